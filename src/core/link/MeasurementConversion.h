#pragma once

#include "core/data/CPublic.h"

#include <cstddef>
#include <cstdint>
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

// Turns one reply into the live values of the test: load channel counts,
// oil pressure, current load in the test's unit, the eight gauge readings
// and corrected settlements, their near-range flags and liveAverage. Also
// writes back the defaults of a plate area, sensor sensitivity, calibration
// coefficient or jack count that could not convert.
//
// Runs on the controller reader thread. Returns false, changing nothing,
// for a block whose bytes 1-11 are all zero: it carries no measurement.
bool ProcessReply(CPublic& pub, std::span<const std::uint8_t> block);
