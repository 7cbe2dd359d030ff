#pragma once

#include <array>

// The jack calibration points chosen in the test settings: the load channel
// is converted through them when the load comes from a calibration table.
struct CalibrationSelection {
    std::array<float, 10> calibrationPressures{}; // p[i]: MPa, or scaled counts of a system calibration
    std::array<float, 10> calibrationLoads{};     // l[i]: kN, one jack
    int pointCount = 0;                           // n: points in use
    int jackCalibrationIndex = 0;                 // the chosen record of jackTable
};
