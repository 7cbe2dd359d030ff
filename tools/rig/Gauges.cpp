#include "Gauges.h"

#include <algorithm>

std::array<double, kGaugeCount> gaugeReadings(const GaugeParams& params, double settlement, double load) {
    const std::array<double, 4> tilt{params.tiltAxis13, params.tiltAxis24, -params.tiltAxis13,
                                     -params.tiltAxis24};
    const double pull = std::max(0.0, load);
    std::array<double, kGaugeCount> readings{};
    for (int i = 0; i < 4; ++i) {
        readings[i] = params.startReading[i] + settlement * (1.0 + tilt[i]);
        readings[i + 4] = params.startReading[i + 4] + pull * params.upliftPerKN[i];
    }
    return readings;
}
