#pragma once

#include "core/data/ControlState.h"

#include <QtGlobal>

#include <array>
#include <cstdint>

// One converted controller reply, published by the controller worker as an
// immutable value: the live panel, the schedule and a reading each take one
// sample, so nothing they show or store mixes two replies.
struct LiveSample {
    std::uint64_t number = 0; // 1 for the first reply since start-up, 0 before any
    qint64 arrivalMs = 0;     // instrument clock, ms since the epoch, when the reply arrived
    ControlState controlState = ControlState::Waiting; // as the worker held it at that reply

    float loadRaw = 0;     // load channel, raw counts
    float loadCounts = 0;  // raw counts less the zero
    float oilPressure = 0; // MPa
    float currentLoad = 0; // test's load unit
    std::array<float, 8> gaugeReading{}; // mm, at recording resolution
    std::array<float, 8> gaugeValue{};   // corrected settlement, mm
    std::array<bool, 8> nearRange{};
    float liveAverage = 0; // mm, enabled gauges among 1-4
    // The chosen calibration table could not convert this reply's load, which
    // then kept its last value.
    bool calibrationTableRefused = false;
};
