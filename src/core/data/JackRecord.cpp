#include "core/data/JackRecord.h"

#include <algorithm>
#include <cstring>

JackRecord JackRecord::Blank() {
    JackRecord record;
    std::memset(&record, 0, sizeof record);
    record.maxForce = 1000.0f;
    record.pointCount = 5;
    return record;
}

QString JackText(const char16_t (&field)[20]) {
    const auto end = std::find(std::begin(field), std::end(field), u'\0');
    return QString::fromUtf16(field, end - std::begin(field));
}
