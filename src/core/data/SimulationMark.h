#pragma once

#include "core/data/Record.h"

#include <QString>

#include <optional>
#include <vector>

// A test run on the simulated rig must never pass for a real one. Its data
// file carries a remark in the long text of row 72, a parameter-column field
// no setting uses; the file's layout and every other byte stay as they are.
inline constexpr int kSimulationMarkRow = 72;

// The remark a simulated test writes: "模拟试验", and with an accelerated
// clock its pace, for example "模拟试验 时间倍率60".
QString SimulationRemark(double timeScale);

// Writes `remark` into the test's rows (when they reach row 72).
void MarkSimulatedTest(std::vector<Record>& rows, const QString& remark);

// The remark of a test's rows, empty for a test taken on a real instrument.
QString SimulationRemarkOf(const std::vector<Record>& rows);

// The main screen's mark of a program on the simulated rig: "模拟", and
// under it the clock's pace when it is accelerated ("×60"). A real
// instrument that shows a simulated test's file marks it "模拟数据"; otherwise
// there is no mark.
std::optional<QString> SimulationScreenMark(bool simulated, double timeScale, bool testSimulated);
