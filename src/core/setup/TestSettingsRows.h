#pragma once

#include "core/standards/StandardRows.h"

// Rows of the data file's parameter column that hold the test settings, with
// the text field each uses. The settings also leave copies of their texts in
// the flag field of rows 0-10 (FlagCopyRow).
namespace SettingsRow {
using StandardRow::Read;
using StandardRow::Write;

inline constexpr int coefficient = 0;       // textValue2, K "%.3f"
inline constexpr int jackCount = 6;         // textValue
inline constexpr int serialNumber = 7;      // textLong
inline constexpr int pileNumber = 8;        // textValue
inline constexpr int testDate = 9;          // textValue, "%04d-%02d-%02d"
inline constexpr int sensorNumber = 9;      // textLong
inline constexpr int sensorRange = 10;      // textLong
inline constexpr int sensitivity = 11;      // textLong
inline constexpr int jackNumber = 12;       // textValue
inline constexpr int pressureSensor = 12;   // textLong, "1" oil-pressure sensor, "0" force sensor
inline constexpr int pressureMode = 13;     // textLong
inline constexpr int calibrationSource = 14; // textLong
inline constexpr int ratedPressure = 14;    // textValue
inline constexpr int ratedForce = 15;       // textValue
inline constexpr int regressionA = 15;      // textLong
inline constexpr int regressionB = 16;      // textLong
inline constexpr int doubleCircuit = 32;    // textValue2, "1" / "0"
} // namespace SettingsRow

// Rows whose flagText carries a copy of a setting.
namespace FlagCopyRow {
inline constexpr int coefficient = 0;
inline constexpr int testDate = 1;
inline constexpr int jackNumber = 3;
inline constexpr int ratedForce = 4;
inline constexpr int ratedPressure = 5;
inline constexpr int sensorNumber = 6;
inline constexpr int sensorRange = 7;
inline constexpr int sensitivity = 8;
inline constexpr int pressureSensor = 9;
inline constexpr int jackCount = 10;
} // namespace FlagCopyRow
