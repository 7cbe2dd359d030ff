#include "LoadSensor.h"

#include <cmath>

int loadChannelCount(const LoadSensorParams& params, double pressure, double load) {
    const double counts = params.kind == LoadSensorParams::Kind::OilPressure
                              ? pressure * 1200.0 * params.sensitivity / params.range
                              : load * params.countsPerKN;
    return static_cast<int>(std::lround(counts));
}
