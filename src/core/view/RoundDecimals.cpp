#include "core/view/RoundDecimals.h"

#include "core/standards/StandardsCatalogue.h"

#include <cmath>
#include <cstdint>

int SettlementDecimals(int standardCode) {
    return StandardRulesOf(standardCode).settlementDecimals;
}

float RoundDecimals(float v, int decimals) {
    const float sign = v < 0 ? -1.0f : 1.0f;
    const float a = std::fabs(v);
    float m = 1.0f;
    for (int k = 0; k < decimals; ++k)
        m *= 10.0f;

    // The widest product below must fit the 64-bit truncation.
    const float widest = a * 100.0f * m;
    if (!std::isfinite(widest) || widest >= 9.0e18f)
        return v;

    // Each product is rounded to float before it is truncated, as the
    // single-precision original did; keep them as separate float steps.
    const float scaled = a * m;
    const float scaled10 = a * (10.0f * m) + 0.5f;
    const float scaled100 = a * (100.0f * m) + 0.5f;
    std::int64_t q1 = static_cast<std::int64_t>(scaled);
    const std::int64_t q2 = static_cast<std::int64_t>(scaled10);
    const std::int64_t q3 = static_cast<std::int64_t>(scaled100);
    const std::int64_t d = q2 - 10 * q1;
    if (d > 5 || (d == 5 && (q1 % 2 == 1 || q3 > 10 * q2)))
        ++q1;
    return sign * static_cast<float>(q1) / m;
}
