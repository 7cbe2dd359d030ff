#pragma once

#include <cstdint>
#include <optional>

// Reads the controller protocol's three-byte number: byte 0 carries the sign
// (0x80) and a 7-bit exponent field, bytes 1-2 a 16-bit mantissa, high byte
// first. Exponent 1..16 counts the integer digits of the mantissa; 0x40 and
// 0x41..0x7F mark values below 1 (0x40 for 0.5 <= |v| < 1, 0x7F for 0.25..0.5
// and so on), with the mantissa's first digit worth 2^-k for k = 1, 2, ....
// Any other exponent field is not a number the instrument sends: no value.
std::optional<double> decodeNumber3(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2);
