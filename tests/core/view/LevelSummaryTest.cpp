#include "core/view/LevelSummary.h"

#include "core/view/SettlementRows.h"

#include "TestReadings.h"

#include <climits>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Points = std::vector<CurvePoint>;

class LevelSummaryTest : public ::testing::Test {
  protected:
    LevelSummaryTest() {
        pub.loadIntervals = {5, 10, 15, 15, 15, 30};
        pub.unloadIntervals = {15, 15, 30, 30, 30, 30};
    }

    void Build() {
        DeriveSettlementRows(pub);
        BuildLevelSummary(pub, curves);
    }

    static void ExpectLevel(const LevelSummary& level, int load, float levelSettlement, float cumSettlement,
                            float levelMinutes, float cumMinutes) {
        EXPECT_EQ(level.load, load);
        EXPECT_FLOAT_EQ(level.levelSettlement, levelSettlement);
        EXPECT_FLOAT_EQ(level.cumSettlement, cumSettlement);
        EXPECT_FLOAT_EQ(level.levelMinutes, levelMinutes);
        EXPECT_FLOAT_EQ(level.cumMinutes, cumMinutes);
    }

    CPublic pub;
    CurveModel curves;
    TestReadings test{pub};
};

TEST_F(LevelSummaryTest, CompletedLevelsThenTheLevelInProgress) {
    test.Level(100).Readings({0.1f, 0.2f, 0.3f}).Level(200).Readings({0.5f, 0.7f}).Level(300).Reading(1.0f);
    Build();
    ASSERT_EQ(pub.levelSummaries.size(), 3u);
    ExpectLevel(pub.levelSummaries[0], 100, 0.3f, 0.3f, 15, 15);
    ExpectLevel(pub.levelSummaries[1], 200, 0.4f, 0.7f, 5, 20);
    ExpectLevel(pub.levelSummaries[2], 300, 0.3f, 1.0f, 0, 20);
    EXPECT_EQ(pub.levelCount, 2);
    EXPECT_EQ(pub.maxLevelLoad, 300);
    EXPECT_EQ(pub.maxMinutes, 15);
    EXPECT_FLOAT_EQ(pub.maxCumSettlement, 1.0f);

    EXPECT_EQ(curves.loadPoints, (Points{{0, 0}, {100, 30}, {200, 70}, {300, 100}}));
    EXPECT_EQ(curves.timePoints, (Points{{5, 20}, {15, 30}, {5, 70}}));
    EXPECT_EQ(curves.pointLevel[0], 100);
    EXPECT_EQ(curves.pointLevel[1], 100);
    EXPECT_EQ(curves.pointLevel[2], 200);
    EXPECT_EQ(curves.pointLevel[3], CurveModel::kNoLevel);
    EXPECT_EQ(curves.maxX, 300);
    EXPECT_EQ(curves.maxMinutes, 15);
    EXPECT_DOUBLE_EQ(curves.yMaxScaled, 100.0);
}

TEST_F(LevelSummaryTest, TheFirstLevelGivesTheOriginAndTheNewestReading) {
    test.Level(400).Readings({0.25f, 0.5f});
    Build();
    EXPECT_EQ(curves.loadPoints, (Points{{0, 0}, {400, 50}}));
    ASSERT_EQ(pub.levelSummaries.size(), 1u);
    ExpectLevel(pub.levelSummaries[0], 400, 0.5f, 0.5f, 5, 5);
    EXPECT_EQ(pub.levelCount, 0);
}

TEST_F(LevelSummaryTest, UnloadingTurnsTheLoadCurveBackAndKeepsTheLargestLoad) {
    test.Level(200)
        .Readings({1.0f, 2.0f})
        .Level(400)
        .Readings({3.0f, 4.0f})
        .Level(200)
        .Readings({3.5f, 3.0f});
    Build();
    EXPECT_EQ(curves.loadPoints, (Points{{0, 0}, {200, 200}, {400, 400}, {200, 300}}));
    EXPECT_EQ(curves.maxX, 400);
    ASSERT_EQ(pub.levelSummaries.size(), 3u);
    ExpectLevel(pub.levelSummaries[2], 200, -1.0f, 3.0f, 15, 25);
    EXPECT_FLOAT_EQ(pub.maxCumSettlement, 4.0f);
    EXPECT_EQ(pub.maxMinutes, 15); // the unloading level's 15 minutes
}

// A level's opening row stands at the settlement the level before ended
// with until its 0-minute reading arrives: the tables show it so, but the
// load curve has no point there, as nothing was measured at that load.
TEST(LevelSummaryCurves, LoadPointsComeOnlyFromMeasuredReadings) {
    const struct {
        const char* name;
        std::function<void(TestReadings&)> readings;
        Points loadPoints;
        int lastLevelLoad;
    } cases[] = {
        {"the next level opened, not reached yet",
         [](TestReadings& t) {
             t.Level(100).Readings({0.1f, 0.2f}).Level(200);
         },
         {{0, 0}, {100, 20}},
         200},
        {"a level left before its 0-minute reading",
         [](TestReadings& t) {
             t.Level(100).Readings({0.1f, 0.2f}).Level(200).Level(300).Reading(0.5f);
         },
         {{0, 0}, {100, 20}, {300, 50}},
         300},
        {"unloading opened after the top level",
         [](TestReadings& t) {
             t.Level(200).Readings({1.0f, 2.0f}).Level(400).Readings({3.0f, 4.0f}).Level(200);
         },
         {{0, 0}, {200, 200}, {400, 400}},
         200},
        {"a level with its 0-minute reading only",
         [](TestReadings& t) {
             t.Level(100).Readings({0.1f, 0.2f}).Level(200).Reading(0.3f);
         },
         {{0, 0}, {100, 20}, {200, 30}},
         200},
    };
    for (const auto& c : cases) {
        CPublic pub;
        pub.loadIntervals = {5, 10, 15, 15, 15, 30};
        pub.unloadIntervals = {15, 15, 30, 30, 30, 30};
        TestReadings readings(pub);
        c.readings(readings);
        CurveModel curves;
        DeriveSettlementRows(pub);
        BuildLevelSummary(pub, curves);
        EXPECT_EQ(curves.loadPoints, c.loadPoints) << c.name;
        // The level summary keeps the opened level.
        ASSERT_FALSE(pub.levelSummaries.empty()) << c.name;
        EXPECT_EQ(pub.levelSummaries.back().load, c.lastLevelLoad) << c.name;
    }
}

TEST_F(LevelSummaryTest, RockStandardsScalePointsToThousandths) {
    pub.standardCode = 58;
    test.Level(100).Readings({0.123f, 1.5f});
    Build();
    EXPECT_EQ(curves.loadPoints, (Points{{0, 0}, {100, 1500}}));
    EXPECT_EQ(curves.timePoints, (Points{{5, 1500}}));
    EXPECT_EQ(curves.standardCode, 58);
    EXPECT_DOUBLE_EQ(curves.yMaxScaled, 1500.0);
}

TEST_F(LevelSummaryTest, AnEmptyMinutesTextIsAReadingAtZeroMinutes) {
    pub.loadIntervals = {0, 10, 15, 15, 15, 30};
    test.Level(100).Readings({0.1f, 0.2f, 0.3f});
    Build();
    EXPECT_EQ(pub.levelCount, 0);
    EXPECT_EQ(curves.timePoints, (Points{{0, 20}, {10, 30}}));
    ASSERT_EQ(pub.levelSummaries.size(), 1u);
    EXPECT_FLOAT_EQ(pub.levelSummaries[0].levelMinutes, 10);
}

TEST_F(LevelSummaryTest, HeaveKeepsTheSettlementRangeAtItsLeast) {
    test.Level(100).Readings({-0.5f, -1.0f});
    Build();
    EXPECT_FLOAT_EQ(pub.maxCumSettlement, 0.1f);
    EXPECT_DOUBLE_EQ(curves.yMaxScaled, static_cast<double>(0.1f * 100.0f));
}

TEST_F(LevelSummaryTest, OnlyManualReadingsGiveNoLevel) {
    test.Manual(1.0f).Manual(2.0f);
    Build();
    EXPECT_EQ(pub.rowCount, 0);
    EXPECT_TRUE(pub.levelSummaries.empty());
    EXPECT_TRUE(curves.loadPoints.empty());
    EXPECT_FLOAT_EQ(pub.maxCumSettlement, 0.1f);
}

TEST_F(LevelSummaryTest, WithoutReadingsNothingChanges) {
    pub.levelSummaries.push_back({100, 1, 1, 5, 5});
    pub.maxLevelLoad = 100;
    curves.AddLoadPoint({1, 1});
    Build();
    EXPECT_EQ(pub.levelSummaries.size(), 1u);
    EXPECT_EQ(pub.maxLevelLoad, 100);
    EXPECT_EQ(curves.loadPoints.size(), 1u);
}

TEST_F(LevelSummaryTest, ARebuildStartsAfresh) {
    test.Level(100).Readings({0.1f, 0.2f}).Level(200).Reading(0.3f);
    Build();
    Build();
    EXPECT_EQ(pub.levelSummaries.size(), 2u);
    EXPECT_EQ(curves.loadPoints.size(), 3u);
    EXPECT_EQ(curves.timePoints.size(), 1u);
}

TEST_F(LevelSummaryTest, TimePointsBeyondTheLevelSlotsAreDropped) {
    pub.loadIntervals = {1, 1, 1, 1, 1, 1};
    test.Level(100);
    for (std::size_t k = 0; k < CurveModel::kMaxTimePoints + 3; ++k)
        test.Reading(0.01f);
    Build();
    ASSERT_EQ(curves.timePoints.size(), CurveModel::kMaxTimePoints);
    EXPECT_EQ(curves.timePoints.back().x, static_cast<int>(CurveModel::kMaxTimePoints));
    EXPECT_EQ(curves.pointLevel.back(), 100);
    // The summary still counts every reading.
    EXPECT_EQ(pub.maxMinutes, static_cast<int>(CurveModel::kMaxTimePoints) + 2);
}

TEST(CurveModel, AnEmptyTestShowsTheDefaultRanges) {
    const struct {
        int code;
        double yMaxScaled;
    } cases[] = {{0, 1000}, {3, 10000}, {58, 10000}};
    for (const auto& c : cases) {
        CurveModel curves;
        curves.AddLoadPoint({100, 20});
        curves.AddTimePoint({5, 20}, 100);
        curves.maxX = 300;
        curves.ShowEmptyTest(c.code);
        EXPECT_TRUE(curves.loadPoints.empty());
        EXPECT_TRUE(curves.timePoints.empty());
        EXPECT_EQ(curves.pointLevel[0], CurveModel::kNoLevel);
        EXPECT_EQ(curves.maxX, 1000);
        EXPECT_DOUBLE_EQ(curves.yMaxScaled, c.yMaxScaled) << c.code;
        EXPECT_EQ(curves.standardCode, c.code);
    }
}

TEST(ScaledSettlement, TruncatesTheShownValueInSinglePrecision) {
    const struct {
        float mm;
        int code;
        int expected;
    } cases[] = {{1.15f, 0, 115},   {0.29f, 0, 29},  {1.239f, 0, 123},
                 {1.239f, 3, 1239}, {-0.05f, 0, -5}, {1.0e12f, 0, INT_MAX}};
    for (const auto& c : cases)
        EXPECT_EQ(ScaledSettlement(c.mm, c.code), c.expected) << c.mm << " code " << c.code;
}

} // namespace
