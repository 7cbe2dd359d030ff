#pragma once

// Rows whose flagText carries a copy of a test setting (beside the
// setting's own row of the parameter column).
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
