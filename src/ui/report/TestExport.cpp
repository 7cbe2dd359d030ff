#include "ui/report/TestExport.h"

#include "core/data/DeviceText.h"
#include "core/view/RoundDecimals.h"
#include "core/view/SettlementRows.h"
#include "core/view/TableViews.h"
#include "ui/report/Csv.h"
#include "ui/report/TestIdentity.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

QVariant Number(float value) {
    return FloatValue(value);
}

// A settlement worked out as a difference, to the decimals its table shows,
// without the float subtraction's last digits.
QVariant Settlement(float mm, int standardCode) {
    return FloatValue(RoundDecimals(mm, SettlementDecimals(standardCode)));
}

QString Load(bool loadInKN) {
    return loadInKN ? QStringLiteral("load_kN") : QStringLiteral("load_kPa");
}

ExportTable Readings(const CPublic& pub) {
    ExportTable table{QStringLiteral("readings"),
                      {QStringLiteral("index"), QStringLiteral("clock"), Load(pub.loadInKN)},
                      {}};
    std::vector<int> gauges;
    for (int k = 0; k < 8; ++k) {
        if (pub.gaugeOn[static_cast<std::size_t>(k)] == 1) {
            gauges.push_back(k);
            table.columns.append(QStringLiteral("gauge%1_mm").arg(k + 1));
        }
    }
    table.columns << QStringLiteral("average_mm") << QStringLiteral("remark") << QStringLiteral("opens_level")
                  << QStringLiteral("manual");
    const int readings =
        std::clamp(static_cast<int>(pub.readingCount), 0, static_cast<int>(pub.recordList.size()));
    for (int i = 0; i < readings; ++i) {
        const Record& record = pub.recordList[static_cast<std::size_t>(i)];
        QVariantList row{i + 1, QString::fromLatin1(FieldText(record.clock)), record.load};
        for (const int k : gauges)
            row.append(Number(record.gauge[k]));
        row << Number(RoundedGaugeAverage(pub, record))
            << DeviceText::ToUnicode(FieldText(record.remark)).trimmed() << OpensLevel(record)
            << IsManualReading(record);
        table.rows.push_back(std::move(row));
    }
    return table;
}

ExportTable SettlementRows(const CPublic& pub) {
    ExportTable table{QStringLiteral("settlement_rows"),
                      {QStringLiteral("index"), Load(pub.loadInKN), QStringLiteral("elapsed_min"),
                       QStringLiteral("displacement_mm"), QStringLiteral("change_mm"),
                       QStringLiteral("level_settlement_mm")},
                      {}};
    int index = 0;
    for (const LoadSettlementRow& row : LoadSettlementRows(pub)) {
        ++index;
        // An empty minutes text is a computed 0, shown as nothing.
        table.rows.push_back({index, row.load, row.minutes.isEmpty() ? 0.0 : row.minutes.toDouble(),
                              Number(row.displacement), Settlement(row.change, pub.standardCode),
                              Settlement(row.levelSettlement, pub.standardCode)});
    }
    return table;
}

ExportTable LevelSummaryTable(const CPublic& pub) {
    ExportTable table{QStringLiteral("level_summary"),
                      {QStringLiteral("level"), Load(pub.loadInKN), QStringLiteral("level_settlement_mm"),
                       QStringLiteral("cum_settlement_mm"), QStringLiteral("level_time_min"),
                       QStringLiteral("cum_time_min")},
                      {}};
    if (pub.readingCount <= 0)
        return table;
    int level = 0;
    for (const LevelSummary& summary : pub.levelSummaries) {
        table.rows.push_back({++level, summary.load, Settlement(summary.levelSettlement, pub.standardCode),
                              Settlement(summary.cumSettlement, pub.standardCode),
                              Number(summary.levelMinutes), Number(summary.cumMinutes)});
    }
    return table;
}

bool IsNonFinite(const QVariant& value) {
    return value.typeId() == QMetaType::Double && !std::isfinite(value.toDouble());
}

QString CsvField(const QVariant& value) {
    if (!value.isValid() || IsNonFinite(value))
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default:
        return value.toString();
    }
}

QJsonValue JsonField(const QVariant& value) {
    if (!value.isValid() || IsNonFinite(value))
        return QJsonValue::Null;
    return QJsonValue::fromVariant(value);
}

} // namespace

std::vector<ExportTable> ExportTables(const CPublic& pub) {
    return {Readings(pub), SettlementRows(pub), LevelSummaryTable(pub)};
}

QByteArray ExportCsv(const CPublic& pub, const QString& sourceName) {
    QByteArray csv = CsvLine({QStringLiteral("test")});
    csv += CsvLine({QStringLiteral("field"), QStringLiteral("caption"), QStringLiteral("value")});
    csv += CsvLine({QStringLiteral("source"), QStringLiteral("数据文件"), sourceName});
    for (const IdentityField& field : TestIdentity(pub))
        csv += CsvLine({field.key, field.caption, CsvField(field.value)});
    for (const ExportTable& table : ExportTables(pub)) {
        csv += '\n' + CsvLine({table.name}) + CsvLine(table.columns);
        for (const QVariantList& row : table.rows) {
            QStringList fields;
            for (const QVariant& value : row)
                fields.append(CsvField(value));
            csv += CsvLine(fields);
        }
    }
    return csv;
}

QByteArray ExportJson(const CPublic& pub, const QString& sourceName) {
    QJsonObject test;
    for (const IdentityField& field : TestIdentity(pub))
        test.insert(field.key, JsonField(field.value));
    QJsonObject root{{QStringLiteral("source"), sourceName}, {QStringLiteral("test"), test}};
    for (const ExportTable& table : ExportTables(pub)) {
        QJsonArray rows;
        for (const QVariantList& row : table.rows) {
            QJsonObject object;
            for (qsizetype c = 0; c < table.columns.size(); ++c)
                object.insert(table.columns[c], JsonField(row[c]));
            rows.append(object);
        }
        root.insert(table.name, rows);
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}
