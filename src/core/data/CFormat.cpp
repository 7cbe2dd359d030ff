#include "core/data/CFormat.h"

#include <QString>

#include <climits>
#include <cstdarg>
#include <cstdio>

QByteArray CFormat(const char* format, ...) {
    char buffer[128];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (length < 0)
        return {};
    if (static_cast<std::size_t>(length) < sizeof buffer)
        return QByteArray(buffer, length);
    QByteArray large(length, Qt::Uninitialized);
    va_start(args, format);
    std::vsnprintf(large.data(), static_cast<std::size_t>(length) + 1, format, args);
    va_end(args);
    return large;
}

int ReadInteger(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}
