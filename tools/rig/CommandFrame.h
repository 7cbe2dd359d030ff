#pragma once

#include <QByteArray>

#include <optional>

// What the rig takes from one 12-byte command frame of the instrument.
//
// | offset | content                                   |
// |--------|-------------------------------------------|
// | 0      | pump gate: 0x40 = pump prohibited          |
// | 1      | enabled-gauge mask (not used by the rig)   |
// | 3      | pump speed 0-255                           |
// | 4      | pump run: 0xFF = run                       |
// | 6-8    | target load, three-byte number             |
// | 9-11   | the instrument's current load, as it shows it |
struct RigCommand {
    bool pumpAllowed = true;
    int pumpSpeed = 0;
    bool pumpRun = false;
    // Absent in the idle frame (all zero) and for bytes that are no valid number.
    std::optional<double> targetLoad;
    // The load the instrument shows, in the unit of the target: kN, or kPa in
    // a ground test. Absent like the target.
    std::optional<double> shownLoad;
};

inline constexpr int kCommandFrameSize = 12;

// No command for a block that is not exactly one frame long.
std::optional<RigCommand> parseCommandFrame(const QByteArray& frame);
