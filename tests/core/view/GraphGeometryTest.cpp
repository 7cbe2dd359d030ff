#include "core/view/GraphGeometry.h"

#include <cmath>
#include <limits>

#include <climits>

#include <gtest/gtest.h>

namespace {

// The graph window of the main screen: plot area X0 40, W 315, Y0 30, H 327.
const GraphFrame kFrame(385, 387);

TEST(GraphFrame, PlotAreaOfTheMainScreenWindow) {
    EXPECT_EQ(kFrame.X0(), 40);
    EXPECT_EQ(kFrame.X1(), 355);
    EXPECT_EQ(kFrame.Y0(), 30);
    EXPECT_EQ(kFrame.Y1(), 357);
    EXPECT_EQ(kFrame.W(), 315);
    EXPECT_EQ(kFrame.H(), 327);
}

TEST(RoundRange, RaisesToTheNextLadderStep) {
    const struct {
        double mm;
        double range;
    } cases[] = {
        {-1, 3},    {0, 3},     {2.99, 3},  {3, 6},     {5.99, 6},
        {6, 9},     {10, 12},   {18, 24},   {59.9, 60}, {60, 90},
        {359, 360}, {360, 420}, {420, 420}, {1e9, 420}, {std::numeric_limits<double>::quiet_NaN(), 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundRange(c.mm), c.range) << c.mm;
}

TEST(SettlementRange, FromTheLargestSettlementInPointUnits) {
    const struct {
        double yMaxScaled;
        int standardCode;
        double range;
    } cases[] = {
        {1000, 0, 12},                                                        // the empty graph's default
        {600, 0, 9},   {599, 0, 6}, {6000, 3, 9}, {5990, 58, 6}, {600, 3, 3}, // 0.6 mm in thousandths
    };
    for (const auto& c : cases) {
        CurveModel curves;
        curves.yMaxScaled = c.yMaxScaled;
        curves.standardCode = c.standardCode;
        EXPECT_EQ(SettlementRange(curves), c.range) << c.yMaxScaled << " code " << c.standardCode;
    }
}

TEST(LogDecades, LoadAndTimeAxes) {
    EXPECT_EQ(LoadDecades(0), 3);
    EXPECT_EQ(LoadDecades(1000), 3);
    EXPECT_EQ(LoadDecades(1001), 4);
    EXPECT_EQ(LoadDecades(9999), 4);
    EXPECT_EQ(LoadDecades(10000), 5);
    EXPECT_EQ(TimeDecades(0), 3);
    EXPECT_EQ(TimeDecades(1000), 3);
    EXPECT_EQ(TimeDecades(1001), 4);
}

struct MapCase {
    const char* name;
    int curveMode;
    int maxX;
    int maxMinutes;
    int standardCode;
    double yMaxScaled;
    CurvePoint point;
    std::optional<GraphPoint> pixel;
};

TEST(MapPoint, ModesAndUnits) {
    const MapCase cases[] = {
        {"linear: right end, bottom of 12 mm", 1, 1000, 1000, 0, 1000, {1000, 1200}, GraphPoint{355, 357}},
        {"linear: truncated halves", 1, 1000, 1000, 0, 1000, {500, 600}, GraphPoint{197, 193}},
        {"linear: no load span falls back to 1000", 1, 0, 1000, 0, 1000, {500, 0}, GraphPoint{197, 30}},
        {"thousandths scaled by 0.001", 1, 1000, 1000, 3, 10000, {500, 6000}, GraphPoint{197, 193}},
        {"log load: 1000 on the last of three decades",
         2,
         1000,
         1000,
         0,
         1000,
         {1000, 0},
         GraphPoint{355, 30}},
        {"log load: 1000 within four decades", 2, 1001, 1000, 0, 1000, {1000, 0}, GraphPoint{276, 30}},
        {"log load: 1 at the axis origin", 2, 1000, 1000, 0, 1000, {1, 0}, GraphPoint{40, 30}},
        {"log load: load 0 has no logarithm", 2, 1000, 1000, 0, 1000, {0, 0}, std::nullopt},
        {"log load: negative load", 2, 1000, 1000, 0, 1000, {-5, 100}, std::nullopt},
        {"log time: 100 min of three decades", 3, 1000, 1000, 0, 1000, {100, 0}, GraphPoint{250, 30}},
        {"log time: 100 min of four decades", 3, 100000, 1001, 0, 1000, {100, 0}, GraphPoint{197, 30}},
        {"log time: minute 0", 3, 1000, 1000, 0, 1000, {0, 50}, std::nullopt},
        // A damaged file: an infinite settlement (scaled to the int limit)
        // over a tiny range lands far off the frame, saturated, not overflowed.
        {"huge settlement", 3, 1000, 1000, 0, 1e-30, {100, INT_MAX}, GraphPoint{250, INT_MAX}},
        {"huge negative settlement", 1, 1000, 1000, 0, 1e-30, {500, -INT_MAX}, GraphPoint{197, INT_MIN}},
    };
    for (const MapCase& c : cases) {
        CurveModel curves;
        curves.curveMode = c.curveMode;
        curves.maxX = c.maxX;
        curves.maxMinutes = c.maxMinutes;
        curves.standardCode = c.standardCode;
        curves.yMaxScaled = c.yMaxScaled;
        EXPECT_EQ(GraphMapper(curves, kFrame).MapPoint(c.point), c.pixel) << c.name;
    }
}

} // namespace
