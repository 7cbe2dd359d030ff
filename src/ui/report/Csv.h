#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

// Comma-separated output with quoting where a field needs it, UTF-8.
void WriteCsvLine(std::FILE* out, const QStringList& fields);

// Shortest text that reads back to the same float.
QString FloatText(float value);
