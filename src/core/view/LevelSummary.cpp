#include "core/view/LevelSummary.h"

#include "core/view/SettlementRows.h"
#include "core/view/Truncate.h"

#include <algorithm>
#include <cmath>

namespace {

// Appends the level that `lastRow` ends, measured against the level before.
void AppendLevel(CPublic& pub, const Record& lastRow) {
    LevelSummary level;
    level.load = lastRow.rowLoad;
    level.cumSettlement = lastRow.avgSettlement;
    level.levelMinutes = RowMinutesValue(lastRow);
    level.levelSettlement = lastRow.avgSettlement;
    level.cumMinutes = level.levelMinutes;
    if (!pub.levelSummaries.empty()) {
        const LevelSummary& before = pub.levelSummaries.back();
        level.levelSettlement -= before.cumSettlement;
        level.cumMinutes += before.cumMinutes;
    }
    pub.maxLevelLoad = std::max(pub.maxLevelLoad, level.load);
    pub.levelSummaries.push_back(level);
}

} // namespace

void BuildLevelSummary(CPublic& pub, CurveModel& curves) {
    if (pub.readingCount <= 0)
        return;
    const std::vector<Record>& rows = pub.recordList;
    const int code = pub.standardCode;
    const int rowCount = std::min<int>(pub.rowCount, static_cast<int>(rows.size()));
    auto pointOf = [code](int x, const Record& row) {
        return CurvePoint{x, ScaledSettlement(row.avgSettlement, code)};
    };
    // The curves show only what was measured: a level's opening row before
    // its 0-minute reading has the settlement of the level before, and a
    // reading without values (the controller was silent) has none; neither
    // gets a point.
    auto measured = [&pub, &rows](std::size_t r) {
        return r < pub.rowMeasured.size() && pub.rowMeasured[r] && std::isfinite(rows[r].avgSettlement);
    };

    pub.levelSummaries.clear();
    curves.ClearPoints();
    pub.maxLevelLoad = 0;
    pub.levelCount = 0;
    pub.maxMinutes = 0;
    if (rowCount > 0)
        curves.AddLoadPoint({0, 0});

    // Row 0 opens the first level; a later row with minutes "0" opens the
    // next one, so the row before it ends a level.
    for (std::size_t r = 1; r < rows.size() && static_cast<int>(r) <= rowCount; ++r) {
        const Record& row = rows[r];
        const QByteArray minutesText = RowMinutesText(row);
        if (minutesText == kEndOfRows)
            break;
        if (minutesText == "0") {
            ++pub.levelCount;
            const Record& levelEnd = rows[r - 1];
            if (measured(r - 1))
                curves.AddLoadPoint(pointOf(levelEnd.rowLoad, levelEnd));
            AppendLevel(pub, levelEnd);
        } else {
            const int minutes = TruncateToInt(RowMinutesValue(row));
            pub.maxMinutes = std::max(pub.maxMinutes, minutes);
            if (measured(r))
                curves.AddTimePoint(pointOf(minutes, row), row.rowLoad);
        }
    }

    // The newest reading ends the level in progress. With every reading a
    // manual one there is no row, hence no level.
    if (rowCount > 0) {
        const auto newestRow = static_cast<std::size_t>(rowCount) - 1;
        const Record& newest = rows[newestRow];
        if (measured(newestRow))
            curves.AddLoadPoint(pointOf(newest.rowLoad, newest));
        AppendLevel(pub, newest);
    }

    float maxCum = 0.1f;
    for (const LevelSummary& level : pub.levelSummaries)
        maxCum = std::max(maxCum, level.cumSettlement);
    pub.maxCumSettlement = maxCum;

    curves.maxX = pub.maxLevelLoad;
    curves.maxMinutes = pub.maxMinutes;
    curves.standardCode = code;
    curves.yMaxScaled = static_cast<double>(maxCum * static_cast<float>(SettlementScale(code)));
}
