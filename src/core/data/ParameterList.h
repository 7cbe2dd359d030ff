#pragma once

#include <vector>

// The persisted parameter set: 82 float32 entries. Integer settings are
// stored as exact float values, flags as 1.0 / 0.0.
using ParameterList = std::vector<float>;

inline constexpr int kParameterCount = 82;

// Entry numbers read or written by number outside the typed fields.
namespace Entry {
inline constexpr int gaugeOnFirst = 1; // 1-4 gauges 1-4, 5-8 gauges 5-8
inline constexpr int doubleCircuitJack = 10;
inline constexpr int pressureSensor = 11;
inline constexpr int jackNumberValue = 12;
inline constexpr int jackRatedPressure = 13;
inline constexpr int jackRatedForce = 14;
inline constexpr int jackCount = 15;
inline constexpr int sensorNumberValue = 16;
inline constexpr int sensorRange = 17;
inline constexpr int sensorSensitivity = 18;
inline constexpr int pileNumberValue = 19;
inline constexpr int serialNumberValue = 20;
inline constexpr int loadPulseTicks = 21;
inline constexpr int unloadPulseTicks = 22;
inline constexpr int plateArea = 23;
inline constexpr int targetLoad = 24;
inline constexpr int holdBand = 25;
inline constexpr int stageStep = 26;
inline constexpr int maxLoad = 27;
inline constexpr int maxSettlement = 28;
inline constexpr int maxUnevenSettlement = 29;
inline constexpr int loadProtectSeconds = 30;
inline constexpr int gaugeRangeAlarm = 31;
inline constexpr int anchorUpliftAlarm = 32;
inline constexpr int holdMinutes = 35;
inline constexpr int stableCheckMinutes = 36;
inline constexpr int stableCheckCount = 37;
inline constexpr int stableSettlement = 38;
inline constexpr int loadIntervalsFirst = 39;   // 39-44
inline constexpr int unloadIntervalsFirst = 45; // 45-50
inline constexpr int standardCode = 51;
inline constexpr int reservedIntsFirst = 52; // 52-54
inline constexpr int uploadOff = 56;
inline constexpr int realTimeSendOff = 57;
inline constexpr int pressureMode = 60;
inline constexpr int calibrationSource = 61;
inline constexpr int regressionA = 62;
inline constexpr int regressionB = 63;
inline constexpr int groundTest = 64;
inline constexpr int endMark = 65;
inline constexpr int pausedFlag = 70;
inline constexpr int bearingCapacity = 73;
} // namespace Entry

// The 82 values the list gets when the settings file cannot be read.
ParameterList DefaultParameterList();

// Entry i, or `fallback` when the list is shorter.
float ParameterAt(const ParameterList& list, int entry, float fallback = 0.0f);
