#include "core/link/NumberCodec.h"

#include <cmath>

namespace {

constexpr int kMantissaDigits = 16;
constexpr float kLargestMagnitude = 65535.0f; // 16 integer digits leave no room for a fraction
constexpr int kMostDoublings = 64;            // exponent field 0x41

// Appends one binary digit to the mantissa being built, most significant first.
void PushDigit(std::uint16_t& mantissa, bool one) {
    mantissa = static_cast<std::uint16_t>((mantissa << 1) | (one ? 1 : 0));
}

Number3 Pack(bool negative, int exponentField, std::uint16_t mantissa) {
    return {static_cast<std::uint8_t>((negative ? 0x80 : 0) | exponentField),
            static_cast<std::uint8_t>(mantissa >> 8), static_cast<std::uint8_t>(mantissa & 0xFF)};
}

Number3 EncodeAtLeastOne(bool negative, float a) {
    const auto whole = static_cast<std::uint32_t>(a);
    int wholeDigits = 0;
    while ((whole >> wholeDigits) != 0)
        ++wholeDigits;

    std::uint16_t mantissa = 0;
    for (int bit = wholeDigits - 1; bit >= 0; --bit)
        PushDigit(mantissa, ((whole >> bit) & 1) != 0);
    // Float arithmetic is exact here: doubling, and taking 1 off a value in [1, 2).
    float fraction = a - static_cast<float>(whole);
    for (int digit = wholeDigits; digit < kMantissaDigits; ++digit) {
        fraction *= 2.0f;
        const bool one = fraction >= 1.0f;
        if (one)
            fraction -= 1.0f;
        PushDigit(mantissa, one);
    }
    return Pack(negative, wholeDigits, mantissa);
}

Number3 EncodeBelowOne(bool negative, float a) {
    int doublings = 0;
    float running = a;
    while (running < 1.0f) {
        running *= 2.0f;
        ++doublings;
    }
    const int exponentField = doublings == 1 ? 0x40 : 0x40 + (65 - doublings);

    // Digits of a·2^k: a value of exactly 1 still emits 0 first, as the
    // controller expects (0.5 is 0x7F 0xFF, not 0x80 0x00).
    std::uint16_t mantissa = 0;
    for (int digit = 0; digit < kMantissaDigits; ++digit) {
        const bool one = running > 1.0f;
        if (one)
            running -= 1.0f;
        PushDigit(mantissa, one);
        running *= 2.0f;
    }
    return Pack(negative, exponentField, mantissa);
}

} // namespace

Number3 EncodeNumber3(float v) {
    const bool negative = v < 0;
    float a = std::fabs(v);
    if (!(a >= std::ldexp(1.0f, -kMostDoublings)))
        return {0x40, 0x00, 0x00};
    if (a > kLargestMagnitude)
        a = kLargestMagnitude;
    return a >= 1.0f ? EncodeAtLeastOne(negative, a) : EncodeBelowOne(negative, a);
}

std::optional<double> DecodeNumber3(const Number3& bytes) {
    const int exponentField = bytes[0] & 0x7F;
    // The power of two of the mantissa's last digit.
    int scale = 0;
    if (exponentField >= 1 && exponentField <= kMantissaDigits)
        scale = exponentField - kMantissaDigits;
    else if (exponentField >= 0x40)
        scale = -kMantissaDigits - (exponentField == 0x40 ? 0 : 0x81 - exponentField - 1);
    else
        return std::nullopt;
    const double magnitude = std::ldexp(static_cast<double>(bytes[1] << 8 | bytes[2]), scale);
    return (bytes[0] & 0x80) != 0 ? -magnitude : magnitude;
}

int DecodeRaw16(std::uint8_t lo, std::uint8_t hi) {
    if (hi > 0x80)
        return lo + 256 * hi - 65536;
    if (hi == 0x80)
        return lo == 0 ? 0 : 32768 + lo;
    return lo + 256 * hi;
}
