#pragma once

#include <array>
#include <cstdint>

// A 45-byte upload frame for the GPRS link; the queue of them lives in the
// link (core/remote/GprsLink.h).
inline constexpr std::size_t kUploadFrameSize = 45;
using UploadFrame = std::array<std::uint8_t, kUploadFrameSize>;
