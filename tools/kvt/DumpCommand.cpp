#include "Commands.h"

#include "core/data/DeviceText.h"
#include "core/data/KVTFile.h"
#include "ui/report/Csv.h"

namespace {

// Fixed-width marker fields (clock, rowMinutes, copyMark) may hold five
// characters without a terminator; control bytes are shown as '.'.
QString MarkerText(const char (&field)[5]) {
    QString text;
    for (const char c : FieldText(field))
        text.append(c >= 0x20 && c < 0x7F ? QLatin1Char(c) : QLatin1Char('.'));
    return text;
}

template <std::size_t N> QString Text(const char (&field)[N]) {
    return DeviceText::ToUnicode(FieldText(field));
}

QStringList Header() {
    QStringList header{QStringLiteral("row"), QStringLiteral("clock"), QStringLiteral("load")};
    for (int k = 1; k <= 8; ++k)
        header.append(QStringLiteral("gauge%1").arg(k));
    header << QStringLiteral("avgSettlement") << QStringLiteral("rowLoad") << QStringLiteral("rowMinutes")
           << QStringLiteral("textValue") << QStringLiteral("textValue2") << QStringLiteral("textLong")
           << QStringLiteral("copyMark") << QStringLiteral("copyLoad");
    for (int k = 1; k <= 8; ++k)
        header.append(QStringLiteral("copyGauge%1").arg(k));
    header << QStringLiteral("flagText") << QStringLiteral("remark");
    return header;
}

QStringList Fields(int index, const Record& row) {
    QStringList fields{QString::number(index), MarkerText(row.clock), QString::number(row.load)};
    for (const float gauge : row.gauge)
        fields.append(FloatText(gauge));
    fields << FloatText(row.avgSettlement) << QString::number(row.rowLoad) << MarkerText(row.rowMinutes)
           << Text(row.textValue) << Text(row.textValue2) << Text(row.textLong) << MarkerText(row.copyMark)
           << QString::number(row.copyLoad);
    for (const float gauge : row.copyGauge)
        fields.append(FloatText(gauge));
    fields << Text(row.flagText) << Text(row.remark);
    return fields;
}

} // namespace

int RunDump(const QStringList& args, std::FILE* out) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: kvt dump FILE\n");
        return 2;
    }
    QByteArray bytes;
    if (!ReadHostFile(args[0], bytes))
        return 1;
    const std::vector<Record> rows = ParseDataFile(bytes);
    if (rows.empty()) {
        std::fprintf(stderr, "kvt: %s holds no whole 267-byte row\n", qPrintable(args[0]));
        return 1;
    }
    WriteCsvLine(out, Header());
    for (std::size_t i = 0; i < rows.size(); ++i)
        WriteCsvLine(out, Fields(static_cast<int>(i), rows[i]));
    return 0;
}
