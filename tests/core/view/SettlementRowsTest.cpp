#include "core/view/SettlementRows.h"

#include "TestReadings.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Minutes = std::vector<std::string>;

const std::array<int, 6> kLoadIntervals{5, 10, 15, 15, 15, 30};
const std::array<int, 6> kUnloadIntervals{15, 15, 30, 30, 30, 30};

class SettlementRowsTest : public ::testing::Test {
  protected:
    SettlementRowsTest() {
        pub.loadIntervals = kLoadIntervals;
        pub.unloadIntervals = kUnloadIntervals;
    }

    const Record& Row(int k) const { return pub.recordList.at(static_cast<std::size_t>(k)); }

    // Minutes texts of the derived rows; also checks the closing row.
    Minutes MinutesColumn() const {
        Minutes minutes;
        for (int k = 0; k < pub.rowCount; ++k)
            minutes.push_back(TestReadings::MinutesOf(Row(k)));
        EXPECT_EQ(TestReadings::MinutesOf(Row(pub.rowCount)), "99999");
        return minutes;
    }

    std::vector<int> LoadColumn() const {
        std::vector<int> loads;
        for (int k = 0; k < pub.rowCount; ++k)
            loads.push_back(Row(k).rowLoad);
        return loads;
    }

    std::vector<float> AverageColumn() const {
        std::vector<float> averages;
        for (int k = 0; k < pub.rowCount; ++k)
            averages.push_back(Row(k).avgSettlement);
        return averages;
    }

    CPublic pub;
    TestReadings test{pub};
};

TEST_F(SettlementRowsTest, LevelsOpenWithTheirZeroMinuteReading) {
    test.Level(100).Readings({0.1f, 0.2f, 0.3f}).Level(200).Readings({0.5f, 0.6f});
    DeriveSettlementRows(pub);
    EXPECT_EQ(pub.rowCount, 5);
    EXPECT_EQ(MinutesColumn(), (Minutes{"0", "5", "15", "0", "5"}));
    EXPECT_EQ(LoadColumn(), (std::vector<int>{100, 100, 100, 200, 200}));
    EXPECT_EQ(AverageColumn(), (std::vector<float>{0.1f, 0.2f, 0.3f, 0.5f, 0.6f}));
}

TEST_F(SettlementRowsTest, AnOpenedLevelStandsAtThePreviousSettlementUntilItsFirstReading) {
    test.Level(100).Readings({0.1f, 0.2f}).Level(200);
    DeriveSettlementRows(pub);
    EXPECT_EQ(MinutesColumn(), (Minutes{"0", "5", "0"}));
    EXPECT_EQ(Row(2).rowLoad, 200);
    EXPECT_FLOAT_EQ(Row(2).avgSettlement, 0.2f);
}

TEST_F(SettlementRowsTest, TheFirstReadingAlwaysOpensALevel) {
    test.Level(100).Readings({0.1f, 0.2f});
    std::memcpy(pub.recordList[0].clock, "08:00", 5);
    pub.recordList[0].load = 150;
    DeriveSettlementRows(pub);
    EXPECT_EQ(std::string(pub.recordList[0].clock, 5), "--:--");
    EXPECT_EQ(MinutesColumn(), (Minutes{"0", "5"}));
    EXPECT_EQ(LoadColumn(), (std::vector<int>{150, 150}));
}

TEST_F(SettlementRowsTest, ManualReadingsAreLeftOut) {
    test.Level(100).Manual(9.0f).Reading(0.1f).Manual(9.0f).Reading(0.2f).Level(200).Reading(0.4f);
    DeriveSettlementRows(pub);
    EXPECT_EQ(MinutesColumn(), (Minutes{"0", "5", "0"}));
    EXPECT_EQ(AverageColumn(), (std::vector<float>{0.1f, 0.2f, 0.4f}));
}

TEST_F(SettlementRowsTest, NoReadingsGiveNoRows) {
    DeriveSettlementRows(pub);
    EXPECT_EQ(pub.rowCount, 0);
    EXPECT_TRUE(IsEndMark(pub.recordList[0].clock));
}

// Readings of one level: a level-opening row, then `readings` readings.
struct ScheduleCase {
    const char* name;
    int standardCode;
    std::vector<int> levelLoads; // the last one is checked
    std::array<int, 6> loadIntervals;
    int readings;
    Minutes expected;
};

class ReadingScheduleTest : public SettlementRowsTest, public ::testing::WithParamInterface<ScheduleCase> {};

TEST_P(ReadingScheduleTest, MinutesOfTheLastLevel) {
    const ScheduleCase& c = GetParam();
    pub.standardCode = c.standardCode;
    pub.loadIntervals = c.loadIntervals;
    for (std::size_t level = 0; level + 1 < c.levelLoads.size(); ++level)
        test.Level(c.levelLoads[level]).Readings({0.1f, 0.2f});
    // Each earlier level: its 0-minute reading and one more.
    const int firstRow = static_cast<int>(c.levelLoads.size() - 1) * 2;
    test.Level(c.levelLoads.back());
    for (int k = 0; k < c.readings; ++k)
        test.Reading(0.5f);
    DeriveSettlementRows(pub);
    const Minutes all = MinutesColumn();
    ASSERT_EQ(all.size(), static_cast<std::size_t>(firstRow + c.readings));
    EXPECT_EQ(Minutes(all.begin() + firstRow, all.end()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, ReadingScheduleTest,
    ::testing::Values(
        ScheduleCase{"Loading",
                     0,
                     {100},
                     kLoadIntervals,
                     10,
                     {"0", "5", "15", "30", "45", "60", "90", "120", "150", "180"}},
        // The eighth and later readings of a loading level are hourly.
        ScheduleCase{"LoadingCode1",
                     1,
                     {100},
                     kLoadIntervals,
                     10,
                     {"0", "5", "15", "30", "45", "60", "90", "150", "210", "270"}},
        ScheduleCase{"LoadingCode33",
                     33,
                     {100},
                     kLoadIntervals,
                     9,
                     {"0", "5", "15", "30", "45", "60", "90", "150", "210"}},
        ScheduleCase{"Unloading",
                     0,
                     {200, 100},
                     kLoadIntervals,
                     8,
                     {"0", "15", "30", "60", "90", "120", "150", "180"}},
        // Unloading is never doubled.
        ScheduleCase{"UnloadingCode1",
                     1,
                     {200, 100},
                     kLoadIntervals,
                     9,
                     {"0", "15", "30", "60", "90", "120", "150", "180", "210"}},
        ScheduleCase{"ReboundOfAPlateTest", 10, {200, 0}, kLoadIntervals, 4, {"0", "120", "135", "165"}},
        ScheduleCase{"ReboundOtherStandard", 0, {200, 0}, kLoadIntervals, 3, {"0", "15", "30"}},
        ScheduleCase{"PlateTestUnloadingAboveZero", 10, {200, 100}, kLoadIntervals, 3, {"0", "15", "30"}},
        ScheduleCase{"SameLoadKeepsLoading", 0, {200, 200}, kLoadIntervals, 3, {"0", "5", "15"}},
        ScheduleCase{"HigherLoadAfterUnloading", 0, {200, 100, 300}, kLoadIntervals, 3, {"0", "5", "15"}},
        // A time of 0 is printed as nothing, and the level goes on.
        ScheduleCase{"ZeroInterval", 0, {100}, {0, 10, 0, 15, 15, 30}, 5, {"0", "", "10", "10", "25"}},
        // Times that would not fit five characters, or read as the end mark,
        // are held just below it.
        ScheduleCase{
            "HugeIntervals", 0, {100}, {60000, 60000, 5, 5, 5, 5}, 4, {"0", "60000", "99998", "99998"}}),
    [](const ::testing::TestParamInfo<ScheduleCase>& info) { return std::string(info.param.name); });

struct AverageCase {
    const char* name;
    int standardCode;
    std::array<int, 4> gaugeOn;
    std::vector<float> gauges;
    float expected;
};

class GaugeAverageTest : public SettlementRowsTest, public ::testing::WithParamInterface<AverageCase> {};

TEST_P(GaugeAverageTest, RowSettlement) {
    const AverageCase& c = GetParam();
    pub.standardCode = c.standardCode;
    for (std::size_t k = 0; k < 4; ++k)
        pub.gaugeOn[k] = c.gaugeOn[k];
    pub.gaugeOn[4] = 1; // gauges 5-8 never count
    test.Level(100).Gauges(c.gauges).Gauges(c.gauges);
    DeriveSettlementRows(pub);
    ASSERT_EQ(pub.rowCount, 2);
    EXPECT_FLOAT_EQ(Row(0).avgSettlement, c.expected);
    EXPECT_FLOAT_EQ(Row(1).avgSettlement, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Gauges, GaugeAverageTest,
    ::testing::Values(AverageCase{"AllFour", 0, {1, 1, 1, 1}, {1, 2, 3, 6, 100, 100, 100, 100}, 3.0f},
                      AverageCase{"FirstAndThird", 0, {1, 0, 1, 0}, {1, 50, 2, 50}, 1.5f},
                      AverageCase{"RoundedToTwoDecimals", 0, {1, 1, 0, 0}, {0.12f, 0.13f}, 0.12f},
                      AverageCase{"ThreeDecimalsForCode3", 3, {1, 1, 0, 0}, {0.12f, 0.13f}, 0.125f},
                      AverageCase{"ThreeDecimalsForCode58", 58, {1, 1, 0, 0}, {0.1234f, 0.1234f}, 0.123f},
                      AverageCase{"NoGaugeEnabledIsZero", 0, {0, 0, 0, 0}, {5, 5, 5, 5, 5}, 0.0f}),
    [](const ::testing::TestParamInfo<AverageCase>& info) { return std::string(info.param.name); });

struct GroundTestCase {
    const char* name;
    bool loadInKN;
    const char* marker;
    float plateArea;
    std::vector<int> expectedLoads;
};

class GroundTestLoadTest : public SettlementRowsTest, public ::testing::WithParamInterface<GroundTestCase> {};

TEST_P(GroundTestLoadTest, LevelLoads) {
    const GroundTestCase& c = GetParam();
    pub.loadInKN = c.loadInKN;
    pub.plateArea = c.plateArea;
    test.Level(1000).Reading(0.1f).Level(500).Readings({0.2f, 0.3f});
    SetFieldText(pub.recordList[7].clock, c.marker);
    DeriveSettlementRows(pub);
    EXPECT_EQ(LoadColumn(), c.expectedLoads);
    // Either way the second level is an unloading level.
    EXPECT_EQ(MinutesColumn(), (Minutes{"0", "0", "15"}));
}

INSTANTIATE_TEST_SUITE_P(
    Markers, GroundTestLoadTest,
    ::testing::Values(GroundTestCase{"KpaWithK9RX", false, "K9RX", 2.5f, {400, 200, 200}},
                      GroundTestCase{"KpaWithGg", false, "gg", 3.0f, {333, 166, 166}},
                      GroundTestCase{"KpaWithoutMarker", false, "", 2.5f, {1000, 500, 500}},
                      GroundTestCase{"KnIgnoresMarker", true, "K9RX", 2.5f, {1000, 500, 500}},
                      // A plate area of 0 would divide by zero: loads stay undivided.
                      GroundTestCase{"ZeroPlateArea", false, "K9RX", 0.0f, {1000, 500, 500}}),
    [](const ::testing::TestParamInfo<GroundTestCase>& info) { return std::string(info.param.name); });

TEST_F(SettlementRowsTest, AListWithoutASpareRowIsNotWrittenPast) {
    test.Level(100).Level(200).Level(300);
    pub.recordList.resize(3); // a truncated file: no row left for the end mark
    DeriveSettlementRows(pub);
    EXPECT_EQ(pub.rowCount, 3);
    EXPECT_EQ(TestReadings::MinutesOf(Row(2)), "0");
    EXPECT_EQ(Row(2).rowLoad, 300);
}

TEST_F(SettlementRowsTest, ARederivationGivesTheSameRows) {
    test.Level(100).Readings({0.1f, 0.2f, 0.3f}).Level(200).Reading(0.4f);
    DeriveSettlementRows(pub);
    const Minutes first = MinutesColumn();
    DeriveSettlementRows(pub);
    EXPECT_EQ(MinutesColumn(), first);
    EXPECT_EQ(pub.rowCount, 4);
}

TEST(RowMinutesValue, ReadsTheTextAndAnEmptyTextAsZero) {
    Record row = Record::Template();
    const struct {
        const char* text;
        float value;
    } cases[] = {{"0", 0}, {"", 0}, {" 15 ", 15}, {"99998", 99998}, {"-5", -5}};
    for (const auto& c : cases) {
        SetFieldText(row.rowMinutes, c.text);
        EXPECT_EQ(RowMinutesValue(row), c.value) << c.text;
    }
}

} // namespace
