#pragma once

#include <cstdint>

// Values of the pump gate, the first byte of every controller command.
namespace PumpGate {
inline constexpr std::uint8_t closed = 0x40; // '@': pump prohibited
inline constexpr std::uint8_t open = 0;
} // namespace PumpGate
