#include "core/view/ViewTitles.h"

std::optional<QString> TableViewTitle(int tableView) {
    switch (tableView) {
    case kSummaryTable:
        return QStringLiteral("数据汇总表");
    case kLoadSettlementTable:
        return QStringLiteral("荷载沉降表");
    case kRecordTable:
        return QStringLiteral("数据记录表");
    default:
        return std::nullopt;
    }
}

std::optional<QString> CurveViewTitle(int curveView, bool loadInKN) {
    switch (curveView) {
    case 1:
        return loadInKN ? QStringLiteral("Q-s 曲线") : QStringLiteral("p-s 曲线");
    case 2:
        return loadInKN ? QStringLiteral("s-lgQ 曲线") : QStringLiteral("s-lgp 曲线");
    case 3:
        return QStringLiteral("s-lgt 曲线");
    default:
        return std::nullopt;
    }
}

int CycleView(int view) {
    return view >= 1 && view < 3 ? view + 1 : 1;
}
