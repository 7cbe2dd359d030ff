#pragma once

#include "core/view/CurveModel.h"

#include <optional>

// A pixel of the graph window, measured from its top-left corner.
struct GraphPoint {
    int x = 0;
    int y = 0;
    bool operator==(const GraphPoint&) const = default;
};

// The plot area inside a client rectangle of width x height pixels. The load
// or time axis runs along the top edge (Y0) and settlement grows downward.
struct GraphFrame {
    GraphFrame(int width, int height) : right(width), bottom(height) {}

    int X0() const { return left + 40; }
    int X1() const { return right - 30; }
    int Y0() const { return top + 30; }
    int Y1() const { return bottom - 30; }
    int W() const { return X1() - X0(); }
    int H() const { return Y1() - Y0(); }

    int left = 0;
    int top = 0;
    int right;
    int bottom;
};

// The ordinate range in mm: the next step of the ladder 3, 6, 9, … 420 above
// `mm` (a value on a step moves up one step); below 3 gives 3, 360 and above
// give 420.
double RoundRange(double mm);

// The ordinate range in mm for the largest settlement of `curves`.
double SettlementRange(const CurveModel& curves);

// Decades of the logarithmic axes: the load axis spans 10^0 to 10^D with D
// 3 up to 1000, 5 from 10000, else 4; the time axis has 4 above 1000
// minutes, else 3.
int LoadDecades(int maxX);
int TimeDecades(int maxMinutes);

// The load span of the linear axis: maxX - minX, or 1000 when that leaves
// nothing to divide by.
int LinearLoadSpan(const CurveModel& curves);

// Maps curve points to pixels for the curve mode of `curves`.
class GraphMapper {
  public:
    GraphMapper(const CurveModel& curves, const GraphFrame& frame);

    // The pixel of `point`; none on a logarithmic axis for an abscissa of 0 or
    // less, which has no logarithm (such points are left out of those curves).
    std::optional<GraphPoint> MapPoint(CurvePoint point) const;

  private:
    const CurveModel& m_curves;
    GraphFrame m_frame;
    double m_yRange;
    int m_decades;
};
