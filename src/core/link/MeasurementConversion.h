#pragma once

#include "core/link/ConversionSettings.h"
#include "core/link/LiveSample.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// Reply block of the controller: whatever one read returned, up to 31 bytes
// starting at the frame's first byte. Only these bytes are read:
//
// | offset | size | content                                                 |
// |--------|------|---------------------------------------------------------|
// |    1-2 |    2 | load channel raw value, low byte first                  |
// |   5-20 |   16 | gauges 1-8, two bytes each, low byte first               |
//
// Bytes missing from a short block read as 0; bytes from 31 on are ignored.
inline constexpr std::size_t kReplyBlockSize = 31;

// Turns one reply into a live sample: load channel counts, oil pressure,
// current load in the test's unit, the eight gauge readings and corrected
// settlements, their near-range flags and liveAverage. A load that cannot be
// converted (a refused calibration table, a regression slope of 0) keeps its
// value from `previous`; number and arrival time are the caller's to set.
// Empty for a block whose bytes 1-11 are all zero: it carries no measurement.
std::optional<LiveSample> ConvertReply(const ConversionSettings& settings,
                                       std::span<const std::uint8_t> block, const LiveSample& previous);

// Settings that would divide by zero or lose the load take their defaults
// ("not above 0" also catches a NaN read from a damaged settings file).
void ApplyConversionDefaults(ConversionSettings& settings);

// Mean of the enabled gauges among 1-4, unrounded; empty when none of them
// is enabled. Gauges 5-8 (anchor piles) never count.
std::optional<float> LiveAverageOf(const std::array<int, 8>& gaugeOn, const std::array<float, 8>& gaugeValue);
