#pragma once

#include <array>
#include <cstdint>

inline constexpr int kSystemCalibrationSlots = 12; // table points 0-11; 0..n are used
inline constexpr int kSystemCalibrationMaxPoints = 10;

namespace CalibrationSensor {
inline constexpr std::int32_t load = 0; // "荷载传感器"
inline constexpr std::int32_t oil = 1;  // "油压传感器"
} // namespace CalibrationSensor

// The state of a system calibration run and its tables, as the file
// xtbd.ini keeps them (SystemCalibrationFile.h gives the bytes).
struct SystemCalibrationRun {
    std::int32_t sensorKind = CalibrationSensor::oil;
    float sensitivity = 2.13f; // S: mV/V (oil) or calibration coefficient (load sensor)
    float countsPerKn = 0;     // K
    float maxForce = 1000;     // F, kN
    std::int32_t pointCount = 10;
    float oilRange = 80;      // R, MPa
    float loadRange = 1000;   // kN
    float ratedForce = 1000;  // Fr, kN
    float ratedPressure = 65; // Pr, MPa
    std::int32_t started = 0;
    std::int32_t calibrationIndex = 0; // next point of the calibration pass
    std::int32_t calibrationDone = 0;
    std::int32_t passDone = 0;             // the pass on screen is complete
    std::int32_t checkMode = 0;            // in the check pass ("标定检测")
    std::array<std::int32_t, 2> carried{}; // fields 15 and 16, kept as read
    std::int32_t checkIndex = 0;           // next point of the check pass
    std::int32_t checkDone = 0;

    using Table = std::array<float, kSystemCalibrationSlots>;
    Table standardForce{};       // kN
    Table calibrationForce{};    // kN
    Table calibrationPressure{}; // MPa
    Table checkForce{};          // kN
    Table checkPressure{};       // MPa

    bool OilSensor() const { return sensorKind == CalibrationSensor::oil; }
    bool InCheck() const { return checkMode == 1; }
    // The next point of the pass on screen.
    int Index() const { return InCheck() ? checkIndex : calibrationIndex; }
};
