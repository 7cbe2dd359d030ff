#include "ui/view/TableList.h"

#include "core/view/LevelSummary.h"
#include "core/view/SettlementRows.h"
#include "core/view/ViewTitles.h"

#include "../../core/view/TestReadings.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <numeric>

#include <gtest/gtest.h>

namespace {

QStringList Captions(const QTableWidget& list) {
    QStringList captions;
    for (int c = 0; c < list.columnCount(); ++c)
        captions.append(list.horizontalHeaderItem(c)->text());
    return captions;
}

std::vector<int> Widths(const QTableWidget& list) {
    std::vector<int> widths;
    for (int c = 0; c < list.columnCount(); ++c)
        widths.push_back(list.columnWidth(c));
    return widths;
}

QStringList RowTexts(const QTableWidget& list, int row) {
    QStringList texts;
    for (int c = 0; c < list.columnCount(); ++c)
        texts.append(list.item(row, c)->text());
    return texts;
}

int Sum(const std::vector<int>& widths) {
    return std::accumulate(widths.begin(), widths.end(), 0);
}

// Every column as wide as its caption and texts with the cell's margins and
// grid line, all of them side by side left of the vertical scroll bar: no
// text cut short, no sideways scrolling.
void ExpectColumnsReadableWithinTheList(QTableWidget& list) {
    EXPECT_LE(Sum(Widths(list)), list.viewport()->width());
    EXPECT_EQ(list.horizontalScrollBar()->maximum(), 0);
    const int margins = 2 * (list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1) + 1;
    const QFontMetrics cells(list.font());
    const QFontMetrics header(list.horizontalHeader()->font());
    for (int c = 0; c < list.columnCount(); ++c) {
        int widest = header.horizontalAdvance(list.horizontalHeaderItem(c)->text());
        for (int r = 0; r < list.rowCount(); ++r) {
            if (const QTableWidgetItem* item = list.item(r, c))
                widest = std::max(widest, cells.horizontalAdvance(item->text()));
        }
        EXPECT_GE(list.columnWidth(c), widest + margins)
            << list.horizontalHeaderItem(c)->text().toStdString();
    }
}

class TableListTest : public ::testing::Test {
  protected:
    TableListTest() : list(&window) {
        window.resize(800, 600);
        QObject::connect(&list, &TableList::TableTitleChanged, [this](const QString& t) { title = t; });
        window.show();
    }

    QWidget window;
    TableList list;
    QString title;
};

TEST_F(TableListTest, StartsPlacedWithTheStartUpColumns) {
    EXPECT_EQ(list.geometry(), QRect(0, 78, 408, 387));
    EXPECT_EQ(Captions(list),
              (QStringList{"序号", "荷载(kN)", "本级沉降", "累计沉降", "本级时间", "累计时间"}));
    ExpectColumnsReadableWithinTheList(list);
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_FALSE(list.verticalHeader()->isVisible());
    EXPECT_TRUE(list.showGrid());
    EXPECT_EQ(list.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(list.horizontalHeader()->sectionsClickable());
    EXPECT_EQ(list.horizontalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    EXPECT_EQ(list.font().pixelSize(), 15);
}

TEST_F(TableListTest, CyclesTheThreeTablesOfATest) {
    CPublic pub;
    pub.loadIntervals = {5, 10, 15, 15, 15, 30};
    pub.unloadIntervals = {15, 15, 30, 30, 30, 30};
    pub.gaugeOn[5] = 1;
    TestReadings(pub).Level(100).Readings({0.1f, 0.2f}).Level(200).Reading(-0.05f);
    CurveModel curves;
    DeriveSettlementRows(pub);
    BuildLevelSummary(pub, curves);

    struct Expected {
        QString title;
        QStringList captions;
        std::vector<int> widths;
        std::vector<QStringList> rows;
    };
    const Expected summary{
        "数据汇总表",
        {"序号", "荷载(kN)", "本级沉降", "累计沉降", "本级时间", "累计时间"},
        {40, 83, 71, 70, 70, 70},
        {{"1", "100", "0.20", "0.20", "5", "5"}, {"2", "200", "-0.25", "-0.05", "0", "5"}}};
    const Expected loadSettlement{"荷载沉降表",
                                  {"序号", "荷载(kN)", "时 间", "位 移", "本次沉降", "本级沉降"},
                                  {40, 83, 71, 70, 70, 70},
                                  {{"1", "100", "0", "0.10", "0.10", "0.10"},
                                   {"2", "100", "5", "0.20", "0.10", "0.20"},
                                   {"3", "200", "0", "-0.05", "-0.25", "-0.25"}}};
    const Expected record{
        "数据记录表",
        {"序号", "荷载(kN)", "时 间", "1#表", "2#表", "3#表", "4#表", "平均", "5#表", "6#表", "7#表", "8#表"},
        {40, 70, 48, 56, 56, 56, 56, 56, 48, 56, 48, 48},
        {{"1", "100", "--:--", "--", "--", "--", "--", "--", "--", "--", "--", "--"},
         {"2", "100", "08:01", "0.10", "0.10", "0.10", "0.10", "0.10", "--", "0.10", "--", "--"},
         {"3", "100", "08:02", "0.20", "0.20", "0.20", "0.20", "0.20", "--", "0.20", "--", "--"},
         {"4", "200", "--:--", "--", "--", "--", "--", "--", "--", "--", "--", "--"},
         {"5", "200", "08:04", "-0.05", "-0.05", "-0.05", "-0.05", "-0.05", "--", "-0.05", "--", "--"}}};

    int view = kRecordTable;
    for (const Expected* expected : {&summary, &loadSettlement, &record, &summary}) {
        view = CycleView(view);
        list.ShowTable(*ComposeTable(pub, view));
        SCOPED_TRACE(expected->title.toStdString());
        EXPECT_EQ(title, expected->title);
        EXPECT_EQ(Captions(list), expected->captions);
        const std::optional<TableView> table = ComposeTable(pub, view);
        std::vector<int> ownWidths;
        for (const TableColumn& column : table->columns)
            ownWidths.push_back(column.width);
        EXPECT_EQ(ownWidths, expected->widths);
        ASSERT_EQ(list.rowCount(), static_cast<int>(expected->rows.size()));
        for (int r = 0; r < list.rowCount(); ++r)
            EXPECT_EQ(RowTexts(list, r), expected->rows[static_cast<std::size_t>(r)]) << r;
        EXPECT_EQ(list.item(0, 1)->textAlignment(), Qt::AlignCenter);
        EXPECT_FALSE(list.item(0, 1)->flags() & Qt::ItemIsEditable);
    }
}

// The list is 408 pixels wide and the tables' own widths add up to 404
// (414 for kPa): beside the vertical scroll bar the last column was cut off
// and a horizontal bar took a row.
TEST_F(TableListTest, EveryTableFitsBesideTheScrollBarInBothUnits) {
    for (const bool loadInKN : {true, false}) {
        CPublic pub;
        pub.loadInKN = loadInKN;
        pub.plateArea = 0.5f;
        pub.loadIntervals = {5, 10, 15, 15, 15, 30};
        pub.unloadIntervals = {15, 15, 30, 30, 30, 30};
        TestReadings readings(pub);
        // Enough rows for the scroll bar in every table; settlements up to
        // two integer digits and a rebound below zero.
        for (int level = 1; level <= 25; ++level)
            readings.Level(level * 400).Readings({level * 3.6f, level * 3.7f, level * 3.81f});
        readings.Level(0).Reading(-0.25f);
        CurveModel curves;
        DeriveSettlementRows(pub);
        BuildLevelSummary(pub, curves);
        for (const int view : {kSummaryTable, kLoadSettlementTable, kRecordTable}) {
            SCOPED_TRACE(testing::Message() << "view " << view << (loadInKN ? " kN" : " kPa"));
            list.ShowTable(*ComposeTable(pub, view));
            ASSERT_GT(list.verticalScrollBar()->maximum(), 0);
            ExpectColumnsReadableWithinTheList(list);
        }
    }
}

// Whatever the operator sets up (one to eight gauges, a standard with 2 or 3
// decimals, kN or kPa), the record table stays readable within the list: a
// reading marked "中断" or "手动" widened the time column, and gauges 5-8 or
// 3 decimals made the texts alone wider than the list, so it scrolled
// sideways.
TEST_F(TableListTest, RecordTableFitsForEveryChoiceOfGaugesDecimalsAndUnit) {
    const struct {
        const char* name;
        int standardCode;
    } decimals[] = {{"2 decimals", 5}, {"3 decimals", 3}};
    for (const int gauges : {1, 2, 3, 4, 5, 6, 7, 8}) {
        for (const auto& places : decimals) {
            for (const bool loadInKN : {true, false}) {
                CPublic pub;
                pub.standardCode = places.standardCode;
                pub.loadInKN = loadInKN;
                pub.plateArea = 0.5f;
                pub.gaugeOn = {};
                for (int k = 0; k < gauges; ++k)
                    pub.gaugeOn[static_cast<std::size_t>(k)] = 1;
                TestReadings readings(pub);
                // Over a hundred readings, settlements with two integer
                // digits, a rebound below zero and both marks.
                for (int level = 1; level <= 12; ++level) {
                    readings.Level(level * 800);
                    for (int r = 0; r < 8; ++r)
                        readings.Reading(level * 3.7f + r * 0.111f);
                }
                readings.Interrupted(44.444f).Manual(44.555f).Level(0).Reading(-0.25f);
                SCOPED_TRACE(testing::Message()
                             << gauges << " gauges, " << places.name << (loadInKN ? ", kN" : ", kPa"));
                list.ShowTable(RecordTable(pub));
                ASSERT_GT(list.rowCount(), 100);
                ExpectColumnsReadableWithinTheList(list);
                EXPECT_GE(list.font().pixelSize(), 12) << "still readable on the panel";
            }
        }
    }
}

TEST_F(TableListTest, ScrollsTheLastRowFullyIntoView) {
    TableView table;
    table.columns = {{"序号", 40}};
    for (int r = 1; r <= 60; ++r)
        table.rows.push_back({QString::number(r)});
    list.ShowTable(table);
    ASSERT_EQ(list.rowCount(), 60);
    EXPECT_GT(list.verticalScrollBar()->value(), 0);
    const QRect last = list.visualItemRect(list.item(59, 0));
    EXPECT_TRUE(list.viewport()->rect().contains(last)) << last.y() << " of " << list.viewport()->height();
    EXPECT_TRUE(list.updatesEnabled());

    // A shorter table replaces every row and column.
    table.rows.resize(2);
    table.columns.push_back({"荷载(kN)", 72});
    list.ShowTable(table);
    EXPECT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.columnCount(), 2);
    EXPECT_EQ(list.item(1, 1), nullptr); // rows with fewer cells than columns
}

} // namespace
