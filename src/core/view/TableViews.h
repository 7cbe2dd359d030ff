#pragma once

#include "core/data/CPublic.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The text of one of the main screen's tables, ready for the list: its title,
// its columns with their widths in pixels, and the cell texts row by row.
struct TableColumn {
    QString caption;
    int width = 0;
    bool operator==(const TableColumn&) const = default;
};

struct TableView {
    QString title;
    std::vector<TableColumn> columns;
    std::vector<QStringList> rows;
};

// A settlement row with what the load-settlement table derives from it.
struct LoadSettlementRow {
    int load = 0;              // kN, or kPa for a ground test
    QByteArray minutes;        // elapsed in the level, trimmed; "0" opens a level
    float displacement = 0;    // mm, the row's average settlement
    float change = 0;          // mm, since the row before
    float levelSettlement = 0; // mm, since the row that opened the level
};

// The settlement rows of the last derivation, up to the row after the last.
std::vector<LoadSettlementRow> LoadSettlementRows(const CPublic& pub);

// One row per stored reading with every enabled gauge and their average.
TableView RecordTable(const CPublic& pub);

// One row per settlement row of the last derivation.
TableView LoadSettlementTable(const CPublic& pub);

// One row per level summary of the last level-summary build.
TableView SummaryTable(const CPublic& pub);

// The table that `tableView` (1 summary, 2 load-settlement, 3 record) shows.
// The summary re-derives the settlement rows first, as it always has; none for
// a value outside 1-3.
std::optional<TableView> ComposeTable(CPublic& pub, int tableView);

// The columns the list starts with, before any table is shown.
TableView InitialTableColumns();

// A settlement in mm with the decimals of `standardCode` ("%.3f" or "%.2f");
// one that rounds to zero is shown without a minus sign.
QString SettlementText(float mm, int standardCode);
