#include "core/link/CalibrationTable.h"

namespace {

constexpr int kLeastPoints = 3;

// Load at input v on the slope of the segment from point i to point j,
// measured from point `from`.
float AlongSegment(const CalibrationSelection& table, int from, int i, int j, float v) {
    const auto& p = table.calibrationPressures;
    const auto& l = table.calibrationLoads;
    return l[from] + (v - p[from]) * (l[j] - l[i]) / (p[j] - p[i]);
}

} // namespace

bool IsUsableCalibrationTable(const CalibrationSelection& table) {
    const int n = table.pointCount;
    if (n < kLeastPoints || n > static_cast<int>(table.calibrationPressures.size()))
        return false;
    for (int i = 1; i < n; ++i) {
        // Written so that a NaN pressure is refused as well.
        if (!(table.calibrationPressures[i] > table.calibrationPressures[i - 1]))
            return false;
    }
    return true;
}

std::optional<float> LookupCalibrationTable(const CalibrationSelection& table, float v) {
    if (!IsUsableCalibrationTable(table))
        return std::nullopt;
    const auto& p = table.calibrationPressures;
    const int n = table.pointCount;
    if (v <= p[0])
        return AlongSegment(table, 0, 0, 1, v);
    for (int i = 1; i <= n - 2; ++i) {
        if (p[i - 1] < v && v <= p[i])
            return AlongSegment(table, i - 1, i - 1, i, v);
    }
    if (p[n - 2] < v)
        return AlongSegment(table, n - 2, n - 3, n - 2, v);
    return std::nullopt;
}
