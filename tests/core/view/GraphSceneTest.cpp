#include "core/view/GraphScene.h"

#include <QStringList>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 385;
constexpr int kHeight = 387;

template <typename Item> std::vector<Item> ItemsOf(const std::vector<GraphItem>& scene) {
    std::vector<Item> items;
    for (const GraphItem& item : scene) {
        if (const auto* typed = std::get_if<Item>(&item))
            items.push_back(*typed);
    }
    return items;
}

std::vector<GraphLine> LinesOf(const std::vector<GraphItem>& scene, GraphPen pen) {
    std::vector<GraphLine> lines = ItemsOf<GraphLine>(scene);
    std::erase_if(lines, [pen](const GraphLine& line) { return line.pen != pen; });
    return lines;
}

QStringList TextsOf(const std::vector<GraphItem>& scene) {
    QStringList texts;
    for (const GraphText& text : ItemsOf<GraphText>(scene))
        texts.append(text.text);
    return texts;
}

bool HasText(const std::vector<GraphItem>& scene, GraphText wanted) {
    const std::vector<GraphText> texts = ItemsOf<GraphText>(scene);
    return std::find(texts.begin(), texts.end(), wanted) != texts.end();
}

TEST(GraphScene, EmptyGraphShowsTheDefaultScales) {
    CurveModel curves;
    curves.ShowEmptyTest(0);
    const std::vector<GraphItem> scene = ComposeGraphScene(curves, kWidth, kHeight);
    EXPECT_EQ(TextsOf(scene), (QStringList{"s(mm)", "0.00", "2.40", "4.80", "7.20", "9.60", "12.00", "Q(kN)",
                                           "0", "200", "400", "600", "800", "1000"}));
    // Numbers placed by hand: right-aligned ordinate, centred abscissa.
    EXPECT_TRUE(HasText(scene, {{8, 23}, "0.00"}));
    EXPECT_TRUE(HasText(scene, {{4, 350}, "12.00"}));
    EXPECT_TRUE(HasText(scene, {{37, 10}, "0"}));
    EXPECT_TRUE(HasText(scene, {{93, 10}, "200"}));
    EXPECT_TRUE(HasText(scene, {{341, 10}, "1000"}));
    EXPECT_TRUE(HasText(scene, {{381, 369}, "Q(kN)", true}));
    EXPECT_TRUE(HasText(scene, {{48, 369}, "s(mm)"}));
    EXPECT_TRUE(ItemsOf<GraphMarker>(scene).empty());
    EXPECT_TRUE(LinesOf(scene, GraphPen::Curve).empty());
}

TEST(GraphScene, AxesWithArrowHeadsAndTicks) {
    CurveModel curves;
    const std::vector<GraphLine> axis = LinesOf(ComposeGraphScene(curves, kWidth, kHeight), GraphPen::Axis);
    const GraphLine expected[] = {
        {{40, 30}, {40, 377}}, {{40, 377}, {42, 367}}, {{40, 377}, {38, 367}}, // ordinate, arrow down
        {{40, 30}, {375, 30}}, {{365, 28}, {375, 30}}, {{365, 32}, {375, 30}}, // abscissa, arrow right
        {{40, 36}, {45, 36}},  {{40, 95}, {48, 95}},                           // ordinate ticks 1 and 10
        {{46, 30}, {46, 35}},  {{103, 30}, {103, 38}},                         // abscissa ticks 1 and 10
    };
    for (const GraphLine& line : expected)
        EXPECT_NE(std::find(axis.begin(), axis.end(), line), axis.end())
            << line.from.x << "," << line.from.y << " - " << line.to.x << "," << line.to.y;
    EXPECT_EQ(axis.size(), 6u + 50u + 50u);
}

TEST(GraphScene, OnlyTheLoadCurveHasAGrid) {
    CurveModel curves;
    for (const int mode : {1, 2, 3}) {
        curves.curveMode = mode;
        const std::vector<GraphLine> grid =
            LinesOf(ComposeGraphScene(curves, kWidth, kHeight), GraphPen::Grid);
        EXPECT_EQ(grid.size(), mode == 1 ? 10u : 0u) << mode;
    }
    curves.curveMode = 1;
    const std::vector<GraphLine> grid = LinesOf(ComposeGraphScene(curves, kWidth, kHeight), GraphPen::Grid);
    EXPECT_EQ(grid.front(), (GraphLine{{103, 30}, {103, 357}, GraphPen::Grid}));
    EXPECT_EQ(grid.back(), (GraphLine{{40, 357}, {355, 357}, GraphPen::Grid}));
}

TEST(GraphScene, LogAxesWithTheirDecadesAndCaptions) {
    const struct {
        int curveMode;
        int maxX;
        int maxMinutes;
        bool loadInKN;
        QStringList abscissa; // caption, then the decade numbers
    } cases[] = {
        {2, 1000, 1000, true, {"lgQ(kN)", "1", "10", "100", "1000"}},
        {2, 1001, 1000, true, {"lgQ(kN)", "1", "10", "100", "1000", "10000"}},
        {2, 10000, 1000, false, {"p(kPa)", "1", "10", "100", "1000", "10000", "100000"}},
        {3, 100000, 1000, true, {"lgt(min)", "1", "10", "100", "1000"}},
        {3, 10, 1001, false, {"lgt(min)", "1", "10", "100", "1000", "10000"}},
    };
    for (const auto& c : cases) {
        CurveModel curves;
        curves.curveMode = c.curveMode;
        curves.maxX = c.maxX;
        curves.maxMinutes = c.maxMinutes;
        curves.loadInKN = c.loadInKN;
        const std::vector<GraphItem> scene = ComposeGraphScene(curves, kWidth, kHeight);
        EXPECT_EQ(TextsOf(scene).mid(7), c.abscissa) << c.curveMode << " " << c.maxX;
        const int decades = static_cast<int>(c.abscissa.size()) - 2;
        // Axes, 50 ordinate ticks, a major tick per decade, 9 minor ticks per decade.
        EXPECT_EQ(LinesOf(scene, GraphPen::Axis).size(),
                  static_cast<std::size_t>(6 + 50 + decades + 9 * decades));
    }
    CurveModel curves;
    curves.curveMode = 2;
    const std::vector<GraphItem> scene = ComposeGraphScene(curves, kWidth, kHeight);
    const std::vector<GraphLine> axis = LinesOf(scene, GraphPen::Axis);
    // Decade width 105: the minor tick of 2 at trunc(105 x 0.30103), of 50 at trunc(105 x 1.69897).
    for (const int x : {40 + 31, 40 + 178, 355})
        EXPECT_NE(
            std::find_if(axis.begin(), axis.end(),
                         [x](const GraphLine& l) { return l.from.x == x && l.from.y == 30 && l.to.x == x; }),
            axis.end())
            << x;
    EXPECT_TRUE(HasText(scene, {{341, 10}, "1000"}));
}

// The abscissa caption stood under the axis at the right, on the point at
// the largest load (a first stage, settled little) and cut off at the edge.
TEST(GraphScene, AbscissaCaptionEndsAtTheRightEdgeBelowEveryPoint) {
    const struct {
        int curveMode;
        bool loadInKN;
        const char* caption;
    } cases[] = {
        {1, true, "Q(kN)"},   {1, false, "p(kPa)"},  {2, true, "lgQ(kN)"},
        {2, false, "p(kPa)"}, {3, true, "lgt(min)"}, {3, false, "lgt(min)"},
    };
    for (const auto& c : cases) {
        CurveModel curves;
        curves.curveMode = c.curveMode;
        curves.loadInKN = c.loadInKN;
        curves.maxX = 1000;
        curves.maxMinutes = 1000;
        curves.yMaxScaled = 300; // 3 mm: the largest settlement lies on the lowest grid line
        // First stage just reached, hardly settled; then the largest settlement at full scale.
        curves.AddLoadPoint({0, 0});
        curves.AddLoadPoint({1000, 1});
        curves.AddLoadPoint({1000, 300});
        curves.AddTimePoint({1000, 1}, 1000);
        curves.AddTimePoint({1000, 300}, 1000);
        const std::vector<GraphItem> scene = ComposeGraphScene(curves, kWidth, kHeight);
        const std::vector<GraphText> texts = ItemsOf<GraphText>(scene);
        const auto caption = std::find_if(texts.begin(), texts.end(), [&](const GraphText& t) {
            return t.text == QLatin1String(c.caption);
        });
        ASSERT_NE(caption, texts.end()) << c.caption;
        EXPECT_TRUE(caption->rightAligned);
        EXPECT_EQ(caption->topLeft.x, kWidth - 4) << c.caption;
        int lowestMarker = 0;
        for (const GraphMarker& marker : ItemsOf<GraphMarker>(scene))
            lowestMarker = std::max(lowestMarker, marker.centre.y + 3);
        EXPECT_GT(lowestMarker, 0) << c.caption;
        EXPECT_GT(caption->topLeft.y, lowestMarker) << c.caption;
    }
}

TEST(GraphScene, UnknownCurveModeDrawsTheOrdinateOnly) {
    CurveModel curves;
    curves.curveMode = 4;
    curves.AddLoadPoint({0, 0});
    curves.AddLoadPoint({500, 100});
    const std::vector<GraphItem> scene = ComposeGraphScene(curves, kWidth, kHeight);
    EXPECT_EQ(TextsOf(scene).size(), 7);
    EXPECT_TRUE(ItemsOf<GraphMarker>(scene).empty());
}

// A test loaded to 400 kN in two levels and unloaded to 200 kN.
class GraphCurvesTest : public ::testing::Test {
  protected:
    GraphCurvesTest() {
        curves.maxX = 400;
        curves.maxMinutes = 100;
        curves.yMaxScaled = 400; // 4 mm: a 6 mm scale
        for (const CurvePoint point : {CurvePoint{0, 0}, {200, 100}, {400, 300}, {200, 250}})
            curves.AddLoadPoint(point);
        curves.AddTimePoint({5, 60}, 200);
        curves.AddTimePoint({10, 100}, 200);
        curves.AddTimePoint({0, 130}, 400); // an unloading-style minute 0: no logarithm
        curves.AddTimePoint({5, 200}, 400);
        curves.AddTimePoint({100, 300}, 400);
        curves.AddTimePoint({15, 250}, 200);
        curves.AddTimePoint({30, 240}, 200);
    }

    std::vector<GraphItem> Scene(int mode) {
        curves.curveMode = mode;
        return ComposeGraphScene(curves, kWidth, kHeight);
    }

    GraphPoint Pixel(int mode, CurvePoint point) {
        curves.curveMode = mode;
        return *GraphMapper(curves, GraphFrame(kWidth, kHeight)).MapPoint(point);
    }

    std::vector<GraphPoint> MarkersOf(const std::vector<GraphItem>& scene) {
        std::vector<GraphPoint> centres;
        for (const GraphMarker& marker : ItemsOf<GraphMarker>(scene))
            centres.push_back(marker.centre);
        return centres;
    }

    CurveModel curves;
};

TEST_F(GraphCurvesTest, LoadCurveTurnsBackWithTheUnloading) {
    const std::vector<GraphItem> scene = Scene(1);
    const GraphPoint origin = Pixel(1, {0, 0}), p200 = Pixel(1, {200, 100}), p400 = Pixel(1, {400, 300}),
                     back = Pixel(1, {200, 250});
    EXPECT_EQ(origin, (GraphPoint{40, 30}));
    EXPECT_EQ(p400, (GraphPoint{355, 30 + 327 * 3 / 6}));
    EXPECT_EQ(LinesOf(scene, GraphPen::Curve), (std::vector<GraphLine>{{origin, p200, GraphPen::Curve},
                                                                       {p200, p400, GraphPen::Curve},
                                                                       {p400, back, GraphPen::Curve}}));
    EXPECT_EQ(MarkersOf(scene), (std::vector<GraphPoint>{p200, p400, back})); // none at the origin
}

TEST_F(GraphCurvesTest, LogLoadCurveStopsAtTheLargestLoadAndLeavesOutTheOrigin) {
    const std::vector<GraphItem> scene = Scene(2);
    const GraphPoint p200 = Pixel(2, {200, 100}), p400 = Pixel(2, {400, 300});
    EXPECT_EQ(LinesOf(scene, GraphPen::Curve), (std::vector<GraphLine>{{p200, p400, GraphPen::Curve}}));
    EXPECT_EQ(MarkersOf(scene), (std::vector<GraphPoint>{p200, p400}));
}

TEST_F(GraphCurvesTest, TimeCurvesPerLevelUpToTheLargestLevel) {
    const std::vector<GraphItem> scene = Scene(3);
    const GraphPoint a = Pixel(3, {5, 60}), b = Pixel(3, {10, 100}), c = Pixel(3, {5, 200}),
                     d = Pixel(3, {100, 300});
    EXPECT_EQ(LinesOf(scene, GraphPen::Curve),
              (std::vector<GraphLine>{{a, b, GraphPen::Curve}, {c, d, GraphPen::Curve}}));
    EXPECT_EQ(MarkersOf(scene), (std::vector<GraphPoint>{a, b, c, d}));
    EXPECT_TRUE(HasText(scene, {{b.x + 20, b.y}, "(1) 200(kN)"}));
    EXPECT_TRUE(HasText(scene, {{d.x + 20, d.y}, "(2) 400(kN)"}));
    EXPECT_EQ(TextsOf(scene).filter(QStringLiteral("(kN)")).size(), 2); // the unloading level has none
}

TEST_F(GraphCurvesTest, TimeCurvesOfAKpaTestEndAtTheLastHeldLevel) {
    curves.loadInKN = false;
    curves.maxX = 500; // the largest level was never reached: every level is drawn
    const std::vector<GraphItem> scene = Scene(3);
    const GraphPoint last = Pixel(3, {30, 240});
    EXPECT_EQ(MarkersOf(scene).size(), 6u);
    EXPECT_TRUE(HasText(scene, {{last.x + 20, last.y}, "(3) 200(kPa)"}));
}

TEST_F(GraphCurvesTest, TimeCurvesStopAtTheFirstPointWithoutALevel) {
    curves.pointLevel[2] = CurveModel::kNoLevel;
    const std::vector<GraphItem> scene = Scene(3);
    const GraphPoint b = Pixel(3, {10, 100});
    EXPECT_EQ(MarkersOf(scene).size(), 2u);
    EXPECT_EQ(TextsOf(scene).filter(QStringLiteral(")(")).size(), 0);
    EXPECT_TRUE(HasText(scene, {{b.x + 20, b.y}, "(1) 200(kN)"}));
}

TEST(LevelCaption, NumberLoadAndUnit) {
    EXPECT_EQ(LevelCaption(2, 400, true), QStringLiteral("(2) 400(kN)"));
    EXPECT_EQ(LevelCaption(1, 85, false), QStringLiteral("(1) 85(kPa)"));
}

} // namespace
