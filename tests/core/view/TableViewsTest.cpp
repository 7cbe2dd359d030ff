#include "core/view/TableViews.h"
#include "core/data/DeviceText.h"

#include "core/view/LevelSummary.h"
#include "core/view/SettlementRows.h"

#include "TestReadings.h"

#include <gtest/gtest.h>

namespace {

using Columns = std::vector<TableColumn>;
using Row = QStringList;

class TableViewsTest : public ::testing::Test {
  protected:
    TableViewsTest() {
        pub.loadIntervals = {5, 10, 15, 15, 15, 30};
        pub.unloadIntervals = {15, 15, 30, 30, 30, 30};
    }

    void Refresh() {
        DeriveSettlementRows(pub);
        BuildLevelSummary(pub, curves);
    }

    static std::vector<int> Widths(const TableView& table) {
        std::vector<int> widths;
        for (const TableColumn& column : table.columns)
            widths.push_back(column.width);
        return widths;
    }

    CPublic pub;
    CurveModel curves;
    TestReadings test{pub};
};

// --- record table -------------------------------------------------------------

struct RecordColumnsCase {
    const char* name;
    bool loadInKN;
    int enabledGauge; // besides gauges 1-4; 0 for none
    Columns expected;
};

class RecordColumnsTest : public TableViewsTest, public ::testing::WithParamInterface<RecordColumnsCase> {};

TEST_P(RecordColumnsTest, Captions) {
    const RecordColumnsCase& c = GetParam();
    pub.loadInKN = c.loadInKN;
    if (c.enabledGauge > 0)
        pub.gaugeOn[static_cast<std::size_t>(c.enabledGauge) - 1] = 1;
    const TableView table = RecordTable(pub);
    EXPECT_EQ(table.title, QStringLiteral("数据记录表"));
    EXPECT_EQ(table.columns, c.expected);
    EXPECT_TRUE(table.rows.empty());
}

const Columns kRecordBase{{"序号", 40}, {"荷载(kN)", 70}, {"时 间", 48}, {"1#表", 48},
                          {"2#表", 48}, {"3#表", 48},     {"4#表", 48},  {"平均", 54}};
const Columns kGauges5to8{{"5#表", 48}, {"6#表", 48}, {"7#表", 48}, {"8#表", 48}};

Columns Joined(Columns a, const Columns& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Columns InKpa(Columns columns) {
    columns[1] = {QStringLiteral("荷载(kPa)"), 80};
    return columns;
}

INSTANTIATE_TEST_SUITE_P(
    Variants, RecordColumnsTest,
    ::testing::Values(RecordColumnsCase{"Kn", true, 0, kRecordBase},
                      RecordColumnsCase{"Kpa", false, 0, InKpa(kRecordBase)},
                      RecordColumnsCase{"Gauge8", true, 8, Joined(kRecordBase, kGauges5to8)},
                      RecordColumnsCase{"Gauge5Kpa", false, 5, Joined(InKpa(kRecordBase), kGauges5to8)}),
    [](const ::testing::TestParamInfo<RecordColumnsCase>& info) { return std::string(info.param.name); });

TEST_F(TableViewsTest, RecordTableShowsEveryReadingWithEnabledGaugesOnly) {
    pub.gaugeOn[1] = 0;
    pub.gaugeOn[3] = 0;
    pub.gaugeOn[6] = 1;
    test.Level(100).Gauges({1.0f, 9.0f, 2.0f, 9.0f, 0, 0, 0.5f, 0}).Manual(0.3f);
    // Taken after a restart before the test was started again.
    SetFieldText(pub.recordList[1].remark, DeviceText::FromUnicode(QStringLiteral("表1 中断")));
    Refresh();
    const TableView table = RecordTable(pub);
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[0],
              (Row{"1", "100", "--:--", "--", "--", "--", "--", "--", "--", "--", "--", "--"}));
    // Gauges 1 and 3 averaged; gauge 7 shown but not averaged.
    EXPECT_EQ(table.rows[1],
              (Row{"2", "100", "08:01中断", "1.00", "--", "2.00", "--", "1.50", "--", "--", "0.50", "--"}));
    // A manual reading is listed here, marked, though the other tables leave it out.
    EXPECT_EQ(table.rows[2],
              (Row{"3", "100", "08:02手动", "0.30", "--", "0.30", "--", "0.30", "--", "--", "0.30", "--"}));
}

TEST_F(TableViewsTest, RecordTableWithNoGaugeAmongOneToFourAveragesToZero) {
    for (std::size_t k = 0; k < 4; ++k)
        pub.gaugeOn[k] = 0;
    test.Level(100).Reading(2.0f);
    const TableView table = RecordTable(pub);
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[1], (Row{"2", "100", "08:01", "--", "--", "--", "--", "0.00"}));
}

struct WideningCase {
    const char* name;
    int standardCode;
    float gauge1;
    std::vector<int> widths;
};

class ColumnWideningTest : public TableViewsTest, public ::testing::WithParamInterface<WideningCase> {};

TEST_P(ColumnWideningTest, Widths) {
    const WideningCase& c = GetParam();
    pub.standardCode = c.standardCode;
    pub.gaugeOn[1] = 0;
    pub.gaugeOn[2] = 0;
    pub.gaugeOn[3] = 0;
    // A narrow reading after the wide one does not narrow the column again.
    test.Level(100).Gauges({c.gauge1}).Gauges({1.0f});
    EXPECT_EQ(Widths(RecordTable(pub)), c.widths);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ColumnWideningTest,
    ::testing::Values(WideningCase{"FiveCharacters", 0, 10.0f, {40, 70, 48, 48, 48, 48, 48, 54}},
                      WideningCase{"SixCharacters", 0, 100.0f, {40, 70, 48, 56, 48, 48, 48, 56}},
                      WideningCase{"NegativeFiveCharacters", 0, -0.05f, {40, 70, 48, 56, 48, 48, 48, 56}},
                      WideningCase{"ThreeDecimalsFiveCharacters", 3, 1.5f, {40, 70, 48, 48, 48, 48, 48, 54}},
                      WideningCase{"ThreeDecimalsSixCharacters", 3, 10.0f, {40, 70, 48, 56, 48, 48, 48, 56}}),
    [](const ::testing::TestParamInfo<WideningCase>& info) { return std::string(info.param.name); });

// --- load-settlement table ---------------------------------------------------------

TEST_F(TableViewsTest, LoadSettlementTableMeasuresEachLevelFromItsOpening) {
    test.Level(100).Readings({0.1f, 0.25f, 0.3f}).Manual(5.0f).Level(200).Readings({0.5f, 0.55f});
    Refresh();
    const TableView table = LoadSettlementTable(pub);
    EXPECT_EQ(table.title, QStringLiteral("荷载沉降表"));
    EXPECT_EQ(table.columns, (Columns{{"序号", 40},
                                      {"荷载(kN)", 83},
                                      {"时 间", 71},
                                      {"位 移", 70},
                                      {"本次沉降", 70},
                                      {"本级沉降", 70}}));
    ASSERT_EQ(table.rows.size(), 5u);
    EXPECT_EQ(table.rows[0], (Row{"1", "100", "0", "0.10", "0.10", "0.10"}));
    EXPECT_EQ(table.rows[1], (Row{"2", "100", "5", "0.25", "0.15", "0.25"}));
    EXPECT_EQ(table.rows[2], (Row{"3", "100", "15", "0.30", "0.05", "0.30"}));
    EXPECT_EQ(table.rows[3], (Row{"4", "200", "0", "0.50", "0.20", "0.20"}));
    EXPECT_EQ(table.rows[4], (Row{"5", "200", "5", "0.55", "0.05", "0.25"}));
}

TEST_F(TableViewsTest, RockStandardsShowThreeDecimalsExceptTheDisplacement) {
    pub.standardCode = 3;
    pub.loadInKN = false;
    test.Level(100).Readings({0.1234f, 0.2468f});
    Refresh();
    const TableView table = LoadSettlementTable(pub);
    EXPECT_EQ(table.columns[1], (TableColumn{"荷载(kPa)", 83}));
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0], (Row{"1", "100", "0", "0.12", "0.123", "0.123"}));
    EXPECT_EQ(table.rows[1], (Row{"2", "100", "5", "0.25", "0.124", "0.247"}));
}

TEST_F(TableViewsTest, LoadSettlementTableStopsAtTheEndMark) {
    test.Level(100).Readings({0.1f, 0.2f, 0.3f});
    Refresh();
    SetFieldText(pub.recordList[1].rowMinutes, "99999");
    EXPECT_EQ(LoadSettlementTable(pub).rows.size(), 1u);
}

TEST_F(TableViewsTest, AnEmptyMinutesTextIsShownEmpty) {
    pub.loadIntervals = {0, 10, 15, 15, 15, 30};
    test.Level(100).Readings({0.1f, 0.2f, 0.3f});
    Refresh();
    const TableView table = LoadSettlementTable(pub);
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[1], (Row{"2", "100", "", "0.20", "0.10", "0.20"}));
    EXPECT_EQ(table.rows[2], (Row{"3", "100", "10", "0.30", "0.10", "0.30"}));
}

// --- summary table -------------------------------------------------------------------

TEST_F(TableViewsTest, SummaryTableEndsWithTheLevelInProgress) {
    test.Level(100).Readings({0.1f, 0.2f, 0.3f}).Level(200).Readings({0.5f, 0.7f}).Level(300).Reading(1.0f);
    Refresh();
    const TableView table = SummaryTable(pub);
    EXPECT_EQ(table.title, QStringLiteral("数据汇总表"));
    EXPECT_EQ(table.columns, (Columns{{"序号", 40},
                                      {"荷载(kN)", 83},
                                      {"本级沉降", 71},
                                      {"累计沉降", 70},
                                      {"本级时间", 70},
                                      {"累计时间", 70}}));
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[0], (Row{"1", "100", "0.30", "0.30", "15", "15"}));
    EXPECT_EQ(table.rows[1], (Row{"2", "200", "0.40", "0.70", "5", "20"}));
    EXPECT_EQ(table.rows[2], (Row{"3", "300", "0.30", "1.00", "0", "20"}));
}

TEST_F(TableViewsTest, SummaryTableUsesTheSettlementDecimals) {
    pub.standardCode = 58;
    test.Level(100).Readings({0.1234f, 0.2468f});
    Refresh();
    const TableView table = SummaryTable(pub);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0], (Row{"1", "100", "0.247", "0.247", "5", "5"}));
}

TEST_F(TableViewsTest, TablesOfATestWithoutReadingsHaveColumnsOnly) {
    pub.levelSummaries.push_back({100, 1, 1, 5, 5}); // left from an earlier test
    for (int view = 1; view <= 3; ++view) {
        const std::optional<TableView> table = ComposeTable(pub, view);
        ASSERT_TRUE(table.has_value());
        EXPECT_EQ(table->columns.size(), view == 3 ? 8u : 6u);
        EXPECT_TRUE(table->rows.empty()) << view;
    }
}

TEST_F(TableViewsTest, ComposeTablePicksTheViewAndTheSummaryRederives) {
    test.Level(100).Readings({0.1f, 0.2f});
    Refresh();
    test.Reading(0.3f);
    EXPECT_EQ(ComposeTable(pub, 2)->rows.size(), 2u); // rows of the last derivation
    EXPECT_EQ(ComposeTable(pub, 3)->rows.size(), 4u);
    EXPECT_EQ(ComposeTable(pub, 1)->title, QStringLiteral("数据汇总表"));
    EXPECT_EQ(pub.rowCount, 3);
    EXPECT_FALSE(ComposeTable(pub, 0).has_value());
    EXPECT_FALSE(ComposeTable(pub, 4).has_value());
}

TEST(InitialTableColumns, AreTheStartUpColumns) {
    const TableView table = InitialTableColumns();
    EXPECT_EQ(table.columns, (Columns{{"序号", 46},
                                      {"荷载(kN)", 72},
                                      {"本级沉降", 72},
                                      {"累计沉降", 72},
                                      {"本级时间", 71},
                                      {"累计时间", 71}}));
    EXPECT_TRUE(table.rows.empty());
}

} // namespace
