#include "core/view/TableViews.h"

#include "core/data/CFormat.h"
#include "core/data/DeviceText.h"
#include "core/view/RoundDecimals.h"
#include "core/view/SettlementRows.h"
#include "core/view/ViewTitles.h"

#include <algorithm>
#include <cmath>

namespace {

// A gauge or average column too narrow for its text (over 5 characters, or a
// minus sign) is widened to this and stays so for the rest of the rebuild.
constexpr int kWideGaugeColumn = 56;
const QString kNoValue = QStringLiteral("--");
// The time column widens for a marked reading ("09:05手动").
constexpr std::size_t kClockColumn = 2;
constexpr qsizetype kClockCharacters = 5;
constexpr int kMarkedClockColumn = 80;

QString LoadCaption(bool loadInKN) {
    return loadInKN ? QStringLiteral("荷载(kN)") : QStringLiteral("荷载(kPa)");
}

QString Integer(int value) {
    return QString::number(value);
}

// A value that is not finite (a reading taken while the controller was
// silent, a damaged file) is shown as missing, never as "nan".
QString Fixed(const char* format, float value) {
    if (!std::isfinite(value))
        return kNoValue;
    return QString::fromLatin1(CFormat(format, static_cast<double>(value)));
}

int CountOf(int count, const std::vector<Record>& rows) {
    return std::clamp(count, 0, static_cast<int>(rows.size()));
}

// Builds the cells of one record-table row and widens the columns it needs.
class RecordRow {
  public:
    RecordRow(TableView& table, int standardCode) : m_table(table), m_standardCode(standardCode) {}

    void AddText(const QString& text) { m_cells.append(text); }

    void AddNumber(float mm) {
        const QString text = SettlementText(mm, m_standardCode);
        if (text.size() > 5 || mm < 0)
            m_table.columns[static_cast<std::size_t>(m_cells.size())].width = kWideGaugeColumn;
        m_cells.append(text);
    }

    void Finish() { m_table.rows.push_back(std::move(m_cells)); }

  private:
    TableView& m_table;
    const int m_standardCode;
    QStringList m_cells;
};

// The time of a reading (its remark is in the copy of the same row), with the marks the operator must see: a
// reading taken before the test was started again ("中断") or by hand ("手动").
QString ReadingClock(const Record& record) {
    QString clock = DeviceText::ToUnicode(FieldText(record.clock));
    const QString remark = DeviceText::ToUnicode(FieldText(record.remark));
    for (const QString& mark : {QStringLiteral("中断"), QStringLiteral("手动")}) {
        if (remark.contains(mark))
            clock += mark;
    }
    return clock;
}

} // namespace

QString SettlementText(float mm, int standardCode) {
    if (!std::isfinite(mm))
        return kNoValue;
    QByteArray text = CFormat("%.*f", SettlementDecimals(standardCode), static_cast<double>(mm));
    // A settlement that rounds to zero has no direction: "-0.00" would read
    // as a pile that rose.
    if (text.startsWith('-') && text.mid(1).toDouble() == 0.0)
        text.remove(0, 1);
    return QString::fromLatin1(text);
}

TableView RecordTable(const CPublic& pub) {
    const int code = pub.standardCode;
    std::array<bool, 8> on{};
    for (std::size_t k = 0; k < on.size(); ++k)
        on[k] = pub.gaugeOn[k] == 1;
    const bool gauges5to8 = std::any_of(on.begin() + 4, on.end(), [](bool enabled) { return enabled; });

    TableView table;
    table.title = *TableViewTitle(kRecordTable);
    table.columns = {{QStringLiteral("序号"), 40},
                     {LoadCaption(pub.loadInKN), pub.loadInKN ? 70 : 80},
                     {QStringLiteral("时 间"), 48}};
    auto addGaugeColumns = [&table](int first) {
        for (int k = first; k < first + 4; ++k)
            table.columns.push_back({QStringLiteral("%1#表").arg(k), 48});
    };
    addGaugeColumns(1);
    table.columns.push_back({QStringLiteral("平均"), 54});
    if (gauges5to8)
        addGaugeColumns(5);
    const int valueColumns = static_cast<int>(table.columns.size()) - 3;

    const std::vector<Record>& records = pub.recordList;
    const int readings = CountOf(pub.readingCount, records);
    for (int i = 0; i < readings; ++i) {
        const Record& record = records[static_cast<std::size_t>(i)];
        RecordRow row(table, code);
        row.AddText(Integer(i + 1));
        row.AddText(Integer(record.load));
        const QString clock = ReadingClock(record);
        if (clock.size() > kClockCharacters)
            table.columns[kClockColumn].width = kMarkedClockColumn;
        row.AddText(clock);
        if (OpensLevel(record)) {
            for (int c = 0; c < valueColumns; ++c)
                row.AddText(kNoValue);
        } else {
            auto addGauge = [&](int k) {
                if (on[static_cast<std::size_t>(k)])
                    row.AddNumber(record.gauge[k]);
                else
                    row.AddText(kNoValue);
            };
            for (int k = 0; k < 4; ++k)
                addGauge(k);
            row.AddNumber(RoundedGaugeAverage(pub, record));
            if (gauges5to8) {
                for (int k = 4; k < 8; ++k)
                    addGauge(k);
            }
        }
        row.Finish();
    }
    return table;
}

std::vector<LoadSettlementRow> LoadSettlementRows(const CPublic& pub) {
    const std::vector<Record>& records = pub.recordList;
    const int rowCount = CountOf(pub.rowCount, records);
    std::vector<LoadSettlementRow> rows;
    for (int i = 0; i < rowCount; ++i) {
        const Record& record = records[static_cast<std::size_t>(i)];
        LoadSettlementRow row{record.rowLoad, RowMinutesText(record), record.avgSettlement,
                              record.avgSettlement, record.avgSettlement};
        if (row.minutes == kEndOfRows)
            break;
        if (i > 0) {
            row.change -= records[static_cast<std::size_t>(i) - 1].avgSettlement;
            row.levelSettlement = row.minutes == "0" ? row.change : rows.back().levelSettlement + row.change;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

TableView LoadSettlementTable(const CPublic& pub) {
    const int code = pub.standardCode;
    TableView table;
    table.title = *TableViewTitle(kLoadSettlementTable);
    table.columns = {{QStringLiteral("序号"), 40},     {LoadCaption(pub.loadInKN), 83},
                     {QStringLiteral("时 间"), 71},    {QStringLiteral("位 移"), 70},
                     {QStringLiteral("本次沉降"), 70}, {QStringLiteral("本级沉降"), 70}};
    int number = 0;
    for (const LoadSettlementRow& row : LoadSettlementRows(pub)) {
        // The displacement column keeps 2 decimals for every standard.
        table.rows.push_back({Integer(++number), Integer(row.load), QString::fromLatin1(row.minutes),
                              Fixed("%.2f", row.displacement), SettlementText(row.change, code),
                              SettlementText(row.levelSettlement, code)});
    }
    return table;
}

TableView SummaryTable(const CPublic& pub) {
    const int code = pub.standardCode;
    TableView table;
    table.title = *TableViewTitle(kSummaryTable);
    table.columns = {{QStringLiteral("序号"), 40},     {LoadCaption(pub.loadInKN), 83},
                     {QStringLiteral("本级沉降"), 71}, {QStringLiteral("累计沉降"), 70},
                     {QStringLiteral("本级时间"), 70}, {QStringLiteral("累计时间"), 70}};
    if (pub.readingCount <= 0)
        return table;
    auto minutesText = [](float minutes) { return Fixed("%.f", minutes); };
    int number = 0;
    for (const LevelSummary& level : pub.levelSummaries) {
        table.rows.push_back({Integer(++number), Integer(level.load),
                              SettlementText(level.levelSettlement, code),
                              SettlementText(level.cumSettlement, code), minutesText(level.levelMinutes),
                              minutesText(level.cumMinutes)});
    }
    return table;
}

std::optional<TableView> ComposeTable(CPublic& pub, int tableView) {
    switch (tableView) {
    case kSummaryTable:
        DeriveSettlementRows(pub);
        return SummaryTable(pub);
    case kLoadSettlementTable:
        return LoadSettlementTable(pub);
    case kRecordTable:
        return RecordTable(pub);
    default:
        return std::nullopt;
    }
}

TableView InitialTableColumns() {
    TableView table;
    table.columns = {{QStringLiteral("序号"), 46},     {QStringLiteral("荷载(kN)"), 72},
                     {QStringLiteral("本级沉降"), 72}, {QStringLiteral("累计沉降"), 72},
                     {QStringLiteral("本级时间"), 71}, {QStringLiteral("累计时间"), 71}};
    return table;
}
