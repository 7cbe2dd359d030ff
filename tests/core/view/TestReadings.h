#pragma once

#include "core/data/CPublic.h"

#include <initializer_list>
#include <string>
#include <vector>

// Stores readings into a test's rows the way the engine does: each in row
// readingCount, the count advanced and the row after it holding the end mark.
// Gauges 1-4 are enabled as after a reset, so a reading of one settlement
// averages to that settlement.
class TestReadings {
  public:
    explicit TestReadings(CPublic& pub);

    // A level-opening row ("--:--") for a level at `load`.
    TestReadings& Level(int load);
    // A reading with every gauge at `mm`.
    TestReadings& Reading(float mm);
    // Several readings in a row.
    TestReadings& Readings(std::initializer_list<float> mm);
    // A reading with gauges 1-8 as given.
    TestReadings& Gauges(const std::vector<float>& gauges);
    // A manual reading ("手动" in its remark) with every gauge at `mm`.
    TestReadings& Manual(float mm);
    // The first reading after a restart ("中断" in its remark).
    TestReadings& Interrupted(float mm);

    // The five characters of a field that may lack its terminator.
    static std::string MinutesOf(const Record& row);

  private:
    Record& Next();
    TestReadings& Marked(float mm, const QString& remark);

    CPublic& m_pub;
    int m_level = 0;
};
