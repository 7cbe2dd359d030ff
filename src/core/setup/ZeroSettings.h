#pragma once

#include "core/data/CPublic.h"

#include <QString>

#include <array>

// What the zero settings dialog shows: for the load and each of the eight
// gauges its current value, the value the operator wants it to show, and
// the zero and reverse ticks.
struct ZeroForm {
    QString loadCurrent;  // current load, "%.0f"
    QString loadModified; // modified load value (not offered on screen)
    bool loadZeroTicked = false;
    std::array<QString, 8> gaugeCurrent;  // corrected values of enabled gauges, empty for the others
    std::array<QString, 8> gaugeModified; // values to show from now on, empty for no change
    std::array<bool, 8> gaugeZeroTicked{};
    std::array<bool, 8> gaugeReverseTicked{};
};

// A dial gauge reset in the middle of a test: the corrected values captured
// when the operator confirmed it, so that the gauges carry on from them.
struct RangeAdjustment {
    bool confirmed = false;
    std::array<float, 8> capturedReadings{}; // mm, gauges 1-8
};

inline constexpr const char* kRangeAdjustQuestion = "确定需要调表？";

// "数据设置", the padding, "文件名： " and the last 15 characters of the
// data file's path.
QString ZeroDialogCaption(const CPublic& pub);

// The form as the dialog opens: the current load and gauge values (to the
// recording resolution of the standard), reverse ticks from the gauges'
// directions, no zero ticks.
ZeroForm OpenZeroForm(const CPublic& pub, const LiveSample& live);

// The operator confirmed a range adjustment: the corrected values are
// captured and the next reading is told at once.
void ConfirmRangeAdjustment(CPublic& pub, const LiveSample& live, RangeAdjustment& adjustment);

// "退出": a confirmed range adjustment is called off.
void CancelRangeAdjustment(CPublic& pub, RangeAdjustment& adjustment);

// "确定": zeroes, reverses and sets the channels as the form says, carries
// the gauges over a confirmed range adjustment, writes the zeros, offsets
// and directions into the parameter column, marks gauges 1-4 that changed
// during a test and asks for the data file to be saved.
//
// Applies nothing when neither a test runs nor the wizard is on; a range
// adjustment confirmed meanwhile is then called off too. Returns whether
// the form was applied.
bool ApplyZeroForm(CPublic& pub, const LiveSample& live, const ZeroForm& form, RangeAdjustment& adjustment);
