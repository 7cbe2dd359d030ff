#pragma once

// The load channel of the controller.
struct LoadSensorParams {
    enum class Kind { OilPressure, Force };
    Kind kind = Kind::OilPressure;
    double range = 80.0;        // MPa, oil-pressure sensor range
    double sensitivity = 2.13;  // mV/V, oil-pressure sensor
    double countsPerKN = 2.077; // force sensor
};

// Raw count of the load channel: 1200 * S / R counts per MPa for the
// oil-pressure sensor, countsPerKN per kN for a force sensor.
int loadChannelCount(const LoadSensorParams& params, double pressure, double load);
