#pragma once

#include <array>
#include <cstdint>
#include <optional>

// The controller's three-byte number, used for the target and current load
// of every command frame and in the upload frames.
//
// | byte | content                                                        |
// |------|----------------------------------------------------------------|
// |    0 | 0x80 when negative, plus a 7-bit exponent field                |
// |  1-2 | 16 mantissa digits, most significant first (byte 1 high byte)  |
//
// Exponent field: for |v| >= 1 the number of binary digits of the integer
// part (1-16), the mantissa being those digits followed by fraction digits;
// 0x40 for 0.5 <= |v| < 1; 0x40 + 65 - k below 0.5, k being the doublings
// that bring |v| to 1 or more. Zero is 0x40 0x00 0x00.
using Number3 = std::array<std::uint8_t, 3>;

// Magnitudes the format cannot hold are brought to its edges: from 65536 on
// the largest number (0x10 0xFF 0xFF with the sign), below 2^-64 (and NaN)
// zero, so a wild value never turns into a different small one.
Number3 EncodeNumber3(float v);

// The value of a three-byte number; no value for an exponent field the
// format does not use (0x11-0x3F).
std::optional<double> DecodeNumber3(const Number3& bytes);

// A 16-bit raw reading of the controller, low byte first. The controller
// marks negative values with a high byte above 0x80 and sends 0x80 0x00 for
// zero; the pair (0x00, 0x80) therefore reads 0, not 32768.
int DecodeRaw16(std::uint8_t lo, std::uint8_t hi);
