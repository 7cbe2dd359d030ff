#pragma once

#include <climits>
#include <cmath>

// Truncation toward zero of a real number into an int, as the screen's integer
// columns and curve points take it. Values a damaged file can produce are kept
// in range: beyond the int range they saturate, and NaN gives 0.
inline int TruncateToInt(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}
