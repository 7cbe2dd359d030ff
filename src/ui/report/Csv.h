#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdio>

// Comma-separated lines with quoting where a field needs it, UTF-8.
QByteArray CsvLine(const QStringList& fields);
void WriteCsvLine(std::FILE* out, const QStringList& fields);

// Shortest text that reads back to the same float.
QString FloatText(float value);

// A float as the decimal it was written from: 0.52f gives 0.52, not
// 0.519999980926513671875. Not-a-number and infinities stay as they are.
double FloatValue(float value);
