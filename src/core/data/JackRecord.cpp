#include "core/data/JackRecord.h"

#include <cstring>

JackRecord JackRecord::Blank() {
    JackRecord record;
    std::memset(&record, 0, sizeof record);
    record.value84 = 1000.0f;
    record.pointCount = 5;
    return record;
}
