#pragma once

#include <QByteArray>

// printf-style formatting into single-byte text, for the number texts of the
// data file and the screen. The program keeps LC_NUMERIC at "C", so the
// decimal point is always '.'.
QByteArray CFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Whole-number conversion of a text the way the panel's wide-string integer
// conversion reads it: leading blanks, an optional sign, then digits; 0 when
// no digit follows.
int ReadInteger(const QString& text);
