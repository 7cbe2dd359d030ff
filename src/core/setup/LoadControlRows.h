#pragma once

// Rows of the data file's parameter column (their second text field) that
// hold the load-control settings.
namespace LoadControlRow {
inline constexpr int calibrationCoefficient = 0; // shown only, written by the test settings
inline constexpr int loadPulseTicks = 1;
inline constexpr int unloadPulseTicks = 2;
inline constexpr int plateArea = 3;
inline constexpr int targetLoad = 4;
inline constexpr int holdBand = 5;
inline constexpr int stageStep = 6;
inline constexpr int maxLoad = 7;
inline constexpr int maxSettlement = 8;
inline constexpr int maxUnevenSettlement = 9;
inline constexpr int loadProtectSeconds = 10;
inline constexpr int gaugeRangeAlarm = 11;
inline constexpr int anchorUpliftAlarm = 12;
inline constexpr int autoAdvance = 30; // "1" automatic, "0" manual stage advance
} // namespace LoadControlRow
