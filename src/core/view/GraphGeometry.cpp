#include "core/view/GraphGeometry.h"

#include "core/view/Truncate.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace {

constexpr std::array<double, 21> kRangeLadder = {3,  6,  9,  12,  15,  18,  24,  30,  36,  42, 48,
                                                 54, 60, 90, 120, 150, 180, 240, 300, 360, 420};

// Millimetres per point unit, as a factor: points are hundredths of a
// millimetre, thousandths for the rock-foundation standards.
double MmPerUnit(int standardCode) {
    return SettlementScale(standardCode) == 1000 ? 0.001 : 0.01;
}

} // namespace

double RoundRange(double mm) {
    if (!(mm >= kRangeLadder.front())) // NaN from a damaged file too
        return kRangeLadder.front();
    for (std::size_t i = 0; i + 1 < kRangeLadder.size(); ++i) {
        if (mm < kRangeLadder[i + 1])
            return kRangeLadder[i + 1];
    }
    return kRangeLadder.back();
}

double SettlementRange(const CurveModel& curves) {
    return RoundRange(curves.yMaxScaled * MmPerUnit(curves.standardCode));
}

int LoadDecades(int maxX) {
    if (maxX >= 10000)
        return 5;
    return maxX <= 1000 ? 3 : 4;
}

int TimeDecades(int maxMinutes) {
    return maxMinutes > 1000 ? 4 : 3;
}

int LinearLoadSpan(const CurveModel& curves) {
    const std::int64_t span = std::int64_t{curves.maxX} - curves.minX;
    return span > 0 && span <= INT32_MAX ? static_cast<int>(span) : 1000;
}

GraphMapper::GraphMapper(const CurveModel& curves, const GraphFrame& frame)
    : m_curves(curves), m_frame(frame), m_yRange(SettlementRange(curves)),
      m_decades(curves.curveMode == 3 ? TimeDecades(curves.maxMinutes) : LoadDecades(curves.maxX)) {}

std::optional<GraphPoint> GraphMapper::MapPoint(CurvePoint point) const {
    const int W = m_frame.W();
    const int H = m_frame.H();
    // Offsets are added in double and saturated: a damaged file's huge load
    // or settlement lands far off the frame instead of overflowing an int.
    double dx = 0;
    if (m_curves.curveMode == 1) {
        dx = static_cast<double>(std::int64_t{W} * point.x / LinearLoadSpan(m_curves));
    } else {
        if (point.x <= 0)
            return std::nullopt;
        dx = std::trunc(W * std::log10(point.x) / m_decades);
    }
    const double scaled = static_cast<double>(std::int64_t{H} * point.y) * MmPerUnit(m_curves.standardCode);
    double dy = std::trunc(scaled / m_yRange);
    if (std::isnan(dy))
        dy = 0;
    return GraphPoint{TruncateToInt(m_frame.X0() + dx), TruncateToInt(m_frame.Y0() + dy)};
}
