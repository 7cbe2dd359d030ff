#include "ui/report/Csv.h"

#include <charconv>
#include <cmath>

namespace {

QString Quoted(const QString& field) {
    const bool needsQuotes = field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) ||
                             field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'));
    if (!needsQuotes)
        return field;
    QString quoted = field;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QByteArray CsvLine(const QStringList& fields) {
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields)
        quoted.append(Quoted(field));
    return quoted.join(QLatin1Char(',')).toUtf8() + '\n';
}

void WriteCsvLine(std::FILE* out, const QStringList& fields) {
    const QByteArray line = CsvLine(fields);
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), out);
}

QString FloatText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

double FloatValue(float value) {
    return std::isfinite(value) ? FloatText(value).toDouble() : static_cast<double>(value);
}
