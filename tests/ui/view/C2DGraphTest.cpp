#include "ui/view/C2DGraph.h"
#include "ui/view/GraphPainter.h"

#include "../../core/view/TestReadings.h"
#include "core/view/GraphGeometry.h"
#include "core/view/LevelSummary.h"
#include "core/view/SettlementRows.h"

#include <gtest/gtest.h>

namespace {

QColor PixelAt(const QImage& image, GraphPoint point) {
    return image.pixelColor(point.x, point.y);
}

GraphPoint Pixel(const CurveModel& curves, CurvePoint point) {
    return *GraphMapper(curves, GraphFrame(kGraphSize.width(), kGraphSize.height())).MapPoint(point);
}

// Loaded to 400 kN in two levels, then unloaded to 200 kN.
CurveModel TwoLevelsAndUnloading() {
    CurveModel curves;
    curves.maxX = 400;
    curves.maxMinutes = 60;
    curves.yMaxScaled = 400;
    for (const CurvePoint point : {CurvePoint{0, 0}, {200, 100}, {400, 300}, {200, 250}})
        curves.AddLoadPoint(point);
    curves.AddTimePoint({5, 60}, 200);
    curves.AddTimePoint({30, 100}, 200);
    curves.AddTimePoint({5, 200}, 400);
    curves.AddTimePoint({60, 300}, 400);
    curves.AddTimePoint({15, 250}, 200);
    return curves;
}

TEST(GraphPainter, DrawsAxesPointsAndLinesWhereTheGeometrySaysAndNothingElse) {
    CurveModel curves = TwoLevelsAndUnloading();
    const QImage image = RenderGraph(curves);
    ASSERT_EQ(image.size(), kGraphSize);
    EXPECT_EQ(PixelAt(image, {40, 200}), kGraphAxisColour); // ordinate
    EXPECT_EQ(PixelAt(image, {200, 30}), kGraphAxisColour); // abscissa along the top
    EXPECT_EQ(PixelAt(image, {40, 377}), kGraphAxisColour); // arrow tip
    EXPECT_EQ(PixelAt(image, {60, 340}), kGraphBackground); // inside the plot, off every line
    EXPECT_EQ(PixelAt(image, {380, 60}), kGraphBackground); // right of the plot
    const GraphPoint p200 = Pixel(curves, {200, 100}), p400 = Pixel(curves, {400, 300}),
                     back = Pixel(curves, {200, 250});
    for (const GraphPoint point : {p200, p400, back}) {
        EXPECT_EQ(PixelAt(image, point), kGraphCurveColour) << point.x << "," << point.y;
        // The marker fills its box around the point.
        EXPECT_EQ(PixelAt(image, {point.x + 2, point.y + 1}), kGraphCurveColour) << point.x << "," << point.y;
    }
    const GraphPoint middle{(p200.x + p400.x) / 2, (p200.y + p400.y) / 2};
    EXPECT_EQ(PixelAt(image, middle), kGraphCurveColour); // the line between them
}

TEST(GraphPainter, LogLoadCurveLeavesOutTheUnloading) {
    CurveModel curves = TwoLevelsAndUnloading();
    curves.curveMode = 2;
    const QImage image = RenderGraph(curves);
    EXPECT_EQ(PixelAt(image, Pixel(curves, {400, 300})), kGraphCurveColour);
    EXPECT_EQ(PixelAt(image, Pixel(curves, {200, 250})), kGraphBackground);
}

TEST(GraphPainter, TimeCurvesLeaveOutTheUnloadingLevel) {
    CurveModel curves = TwoLevelsAndUnloading();
    curves.curveMode = 3;
    const QImage image = RenderGraph(curves);
    EXPECT_EQ(PixelAt(image, Pixel(curves, {60, 300})), kGraphCurveColour);
    EXPECT_EQ(PixelAt(image, Pixel(curves, {15, 250})), kGraphBackground);
}

TEST(C2DGraph, PlacedOnTheMainScreenAndShowingTheEmptyGraph) {
    C2DGraph graph;
    EXPECT_EQ(graph.geometry(), QRect(415, 78, 385, 387));
    CurveModel empty;
    EXPECT_EQ(graph.grab().toImage().convertToFormat(QImage::Format_RGB32), RenderGraph(empty));
}

TEST(C2DGraph, ShowsTheChosenViewOfTheCurvesItWasGiven) {
    C2DGraph graph;
    const CurveModel curves = TwoLevelsAndUnloading();
    for (const int view : {1, 2, 3}) {
        graph.ShowCurves(curves, view, view != 2);
        EXPECT_EQ(graph.Curves().curveMode, view);
        EXPECT_EQ(graph.Curves().loadInKN, view != 2);
        EXPECT_EQ(graph.Curves().loadPoints, curves.loadPoints);
        CurveModel expected = curves;
        expected.curveMode = view;
        expected.loadInKN = view != 2;
        EXPECT_EQ(graph.grab().toImage().convertToFormat(QImage::Format_RGB32), RenderGraph(expected))
            << view;
    }
}

// From readings to pixels: a test in its first level shows the origin and
// one point at the level's load with the newest settlement.
TEST(C2DGraph, FirstLevelOfATestFromItsReadings) {
    CPublic pub;
    TestReadings(pub).Level(300).Readings({0.4f, 0.9f, 1.5f});
    CurveModel curves;
    DeriveSettlementRows(pub);
    BuildLevelSummary(pub, curves);
    ASSERT_EQ(curves.loadPoints, (std::vector<CurvePoint>{{0, 0}, {300, 150}}));

    C2DGraph graph;
    graph.ShowCurves(curves, 1, true);
    const QImage image = graph.grab().toImage();
    EXPECT_EQ(PixelAt(image, Pixel(graph.Curves(), {300, 150})), kGraphCurveColour);
    EXPECT_EQ(Pixel(graph.Curves(), {300, 150}).x, 40 + 315); // 300 kN is the right end
}

TEST(C2DGraph, EmptyTestOfARockStandardShowsTwelveMillimetres) {
    CurveModel curves;
    curves.ShowEmptyTest(58);
    C2DGraph graph;
    graph.ShowCurves(curves, 1, true);
    EXPECT_EQ(SettlementRange(graph.Curves()), 12);
    CurveModel hundredths;
    hundredths.ShowEmptyTest(0);
    // The same scale in either unit draws the same picture.
    EXPECT_EQ(graph.grab().toImage().convertToFormat(QImage::Format_RGB32), RenderGraph(hundredths));
}

} // namespace
