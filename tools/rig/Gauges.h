#pragma once

#include <array>

inline constexpr int kGaugeCount = 8;

// Gauge set-up. Readings in mm.
struct GaugeParams {
    // Reading of each gauge before the test: no gauge stands at its end stop.
    std::array<double, kGaugeCount> startReading{6.00, 4.50, 5.50, 7.00, 3.00, 3.50, 2.50, 4.00};
    // Tilt of the pile head: gauges 1 and 3 sit on one axis, 2 and 4 on the
    // other, so the four move by settlement * (1 +- tilt) and average out.
    double tiltAxis13 = 0.05;
    double tiltAxis24 = 0.03;
    // Uplift of the anchor piles read by gauges 5-8, mm per kN of test load.
    std::array<double, 4> upliftPerKN{0.0020, 0.0018, 0.0022, 0.0019};
    double noise = 0.01; // mm, largest deviation of one reading
};

// True (noise-free) readings of the eight gauges: 1-4 on the pile head, 5-8
// on the anchor piles. A reading grows as the pile goes down or an anchor up.
std::array<double, kGaugeCount> gaugeReadings(const GaugeParams& params, double settlement, double load);
