#pragma once

#include <QByteArray>
#include <QString>

// Texts in data files are single-byte in the panel's code page 936 (GBK).
namespace DeviceText {

// Characters GBK cannot hold become '?'.
QByteArray FromUnicode(const QString& text);

// Bytes that are not valid GBK become U+FFFD.
QString ToUnicode(const QByteArray& bytes);

} // namespace DeviceText
