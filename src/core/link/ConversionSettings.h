#pragma once

#include "core/data/CalibrationSelection.h"

#include <array>

// Everything the reply conversion reads, handed to the controller worker as
// one copied value: a reply is converted with a whole set of settings, never
// with a new zero and an old offset.
struct ConversionSettings {
    bool loadInKN = true;                  // false: ground test, loads in kPa
    int pressureSensor = 1;                // 1 oil-pressure sensor, else force sensor
    int sensorRange = 80;                  // MPa (kN for a force sensor)
    float sensorSensitivity = 2.13f;       // mV/V
    float calibrationCoefficient = 2.077f; // K, raw counts per kN
    int jackCount = 1;
    float plateArea = 1.0f;    // m²
    int pressureMode = 1;      // 1 coefficient, 2 calibration table, 3 regression
    int calibrationSource = 0; // 0 jack calibration, 1 system calibration
    float regressionA = 0;     // MPa
    float regressionB = 0;     // MPa/kN
    CalibrationSelection calibration;
    int settlementDecimals = 2;
    float gaugeRangeAlarm = 0; // mm

    std::array<int, 8> gaugeOn{1, 1, 1, 1, 0, 0, 0, 0};
    float loadZero = 0;   // raw counts
    float loadOffset = 0; // load unit
    std::array<int, 8> gaugeDirection{1, 1, 1, 1, 1, 1, 1, 1};
    std::array<float, 8> gaugeZero{};
    std::array<float, 8> gaugeOffset{};
};
