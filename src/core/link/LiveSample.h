#pragma once

#include "core/data/ControlState.h"

#include <QtGlobal>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

// One converted controller reply, published by the controller worker as an
// immutable value: the live panel, the schedule and a reading each take one
// sample, so nothing they show or store mixes two replies.
struct LiveSample {
    std::uint64_t number = 0; // 1 for the first reply since start-up, 0 before any
    qint64 arrivalMs = 0;     // instrument clock, ms since the epoch, when the reply arrived
    ControlState controlState = ControlState::Waiting; // as the worker held it at that reply

    float loadRaw = 0;                   // load channel, raw counts
    float loadCounts = 0;                // raw counts less the zero
    float oilPressure = 0;               // MPa
    float currentLoad = 0;               // test's load unit
    std::array<float, 8> gaugeReading{}; // mm, at recording resolution
    std::array<float, 8> gaugeValue{};   // corrected settlement, mm
    std::array<bool, 8> nearRange{};
    float liveAverage = 0; // mm, enabled gauges among 1-4
    // The chosen calibration table could not convert this reply's load, which
    // then kept its last value.
    bool calibrationTableRefused = false;
};

// The sample as a reading records it while the controller is silent: the
// measured values are missing (NaN), never the last ones seen.
inline LiveSample WithoutValues(LiveSample sample) {
    const float missing = std::numeric_limits<float>::quiet_NaN();
    sample.loadRaw = sample.loadCounts = sample.oilPressure = sample.currentLoad = missing;
    sample.gaugeReading.fill(missing);
    sample.gaugeValue.fill(missing);
    sample.nearRange.fill(false);
    sample.liveAverage = missing;
    return sample;
}

inline bool ValuesMissing(const LiveSample& sample) {
    return std::isnan(sample.currentLoad);
}
