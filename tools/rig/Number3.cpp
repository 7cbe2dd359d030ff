#include "Number3.h"

#include <cmath>

std::optional<double> decodeNumber3(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2) {
    const bool negative = (b0 & 0x80) != 0;
    const int exponentField = b0 & 0x7F;
    const double mantissa = b1 * 256.0 + b2;

    // Power of two of the mantissa's last digit.
    int lastDigitPower = 0;
    if (exponentField >= 1 && exponentField <= 16) {
        lastDigitPower = exponentField - 16;
    } else if (exponentField == 0x40) {
        lastDigitPower = -16;
    } else if (exponentField > 0x40) {
        const int doublings = 0x81 - exponentField; // 0x7F -> 2, 0x7E -> 3, ...
        lastDigitPower = -15 - doublings;
    } else {
        return std::nullopt;
    }
    const double magnitude = std::ldexp(mantissa, lastDigitPower);
    return negative ? -magnitude : magnitude;
}
