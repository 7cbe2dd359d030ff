#pragma once

#include "core/data/CPublic.h"
#include "core/data/DeviceText.h"

#include <QByteArray>
#include <QString>

// Rows of the data file's parameter column that hold the standard and its
// criteria, with the text field each uses.
namespace StandardRow {
inline constexpr int serialNumber = 7;          // textLong, the test serial number
inline constexpr int holdMinutes = 13;          // textValue2
inline constexpr int stableCheckMinutes = 14;   // textValue2
inline constexpr int stableCheckCount = 15;     // textValue2
inline constexpr int stableSettlement = 16;     // textValue2
inline constexpr int loadIntervalsFirst = 16;   // textValue, 16-21
inline constexpr int unloadIntervalsFirst = 22; // textValue, 22-27
inline constexpr int standardCode = 69;         // textLong
inline constexpr int bearingCapacity = 71;      // textLong

// A list too short for a row reads it as empty and skips writes to it.
template <std::size_t N> QString Read(const CPublic& pub, int row, const char (Record::*field)[N]) {
    if (row < 0 || static_cast<std::size_t>(row) >= pub.recordList.size())
        return {};
    return DeviceText::ToUnicode(FieldText(pub.recordList[static_cast<std::size_t>(row)].*field));
}

template <std::size_t N> void Write(CPublic& pub, int row, char (Record::*field)[N], const QByteArray& text) {
    if (row >= 0 && static_cast<std::size_t>(row) < pub.recordList.size())
        SetFieldText(pub.recordList[static_cast<std::size_t>(row)].*field, text);
}
} // namespace StandardRow
