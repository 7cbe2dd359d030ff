#pragma once

#include <QString>

#include <optional>

// Values of tableView (which table the list shows) and curveView.
inline constexpr int kSummaryTable = 1;
inline constexpr int kLoadSettlementTable = 2;
inline constexpr int kRecordTable = 3;

// The title above the table of `tableView`; none for a value outside 1-3.
std::optional<QString> TableViewTitle(int tableView);

// The title above the curve of `curveView` in the test's load unit; none for a
// value outside 1-3 (the title then stays as it is).
std::optional<QString> CurveViewTitle(int curveView, bool loadInKN);

// The view after `view` when the operator cycles tables or curves: 1, 2, 3,
// then 1 again.
int CycleView(int view);
