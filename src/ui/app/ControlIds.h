#pragma once

// Control identifiers of the main screen. Every widget carries its identifier
// as its object name, so dialogs, views and tests find it by number.
namespace ControlId {
inline constexpr int tableList = 1000;
inline constexpr int pumpFlow = 1019; // progress bar of the pump speed command
inline constexpr int clock = 1023;
inline constexpr int tableTitle = 1024;
inline constexpr int gaugeFirst = 1025; // 1025-1028 gauges 1-4
inline constexpr int gaugeAverage = 1029;
inline constexpr int gaugeFifth = 1030; // 1030-1033 gauges 5-8
inline constexpr int nextReading = 1034;
inline constexpr int controlLoad = 1035;
inline constexpr int currentLoad = 1036;
inline constexpr int controlStatus = 1037;
inline constexpr int oilPressure = 1038;
inline constexpr int curveTitle = 1039;
inline constexpr int messageLine = 1043;
inline constexpr int pumpAllowed = 1044;       // "油泵允许", pump gate open
inline constexpr int manualOff = 1045;         // "手动控载" red, manual loading off
inline constexpr int loadAllowed = 1046;       // "允许控载"
inline constexpr int pumpProhibited = 1052;    // "油泵禁止", pump gate closed
inline constexpr int loadBlocked = 1053;       // "禁止控载"
inline constexpr int manualOn = 1054;          // "手动控载" green, manual loading on
inline constexpr int manualUnavailable = 1055; // "手动控载" grey
} // namespace ControlId
