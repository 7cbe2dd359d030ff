#pragma once

#include "core/data/CPublic.h"
#include "core/engine/SettingsPublication.h"
#include "core/link/MeasurementConversion.h"

#include <array>
#include <cstdint>

// Counts of gauges 1-8 in one controller reply (0.009921875 mm each); 0
// leaves a gauge at 0 mm.
using GaugeCounts = std::array<int, 8>;

// One controller reply through the real measurement conversion with the
// settings of `pub`, so that tests see readings and corrected values exactly
// as the worker makes them (in pub.run.Live()). Counts are positive and
// below 0x8000.
inline bool FeedReply(CPublic& pub, const GaugeCounts& gauges, int loadCounts = 500) {
    std::array<std::uint8_t, kReplyBlockSize> block{};
    block[1] = static_cast<std::uint8_t>(loadCounts & 0xFF);
    block[2] = static_cast<std::uint8_t>(loadCounts >> 8);
    for (std::size_t k = 0; k < gauges.size(); ++k) {
        block[5 + 2 * k] = static_cast<std::uint8_t>(gauges[k] & 0xFF);
        block[6 + 2 * k] = static_cast<std::uint8_t>(gauges[k] >> 8);
    }
    PublishSettings(pub);
    return pub.run.HandleReply(block, 0);
}
