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
