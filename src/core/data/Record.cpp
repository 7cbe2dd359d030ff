#include "core/data/Record.h"

#include <cstring>

namespace {

// Copies memory offsets [from, from + size) of a record to or from the file.
struct Span {
    std::size_t memoryOffset;
    std::size_t size;
};

// The record's memory image without the two alignment gaps.
constexpr Span kSpans[] = {
    {0, 5},    // clock
    {8, 165},  // load .. textLong
    {173, 5},  // copyMark
    {180, 92}, // copyLoad .. remark
};

constexpr std::size_t PackedSize() {
    std::size_t total = 0;
    for (const Span& span : kSpans)
        total += span.size;
    return total;
}
static_assert(PackedSize() == kPackedRecordSize);

} // namespace

Record Record::Template() {
    Record record;
    std::memset(&record, 0, sizeof record);
    std::memset(record.clock, '1', sizeof record.clock);
    std::memset(record.copyMark, '1', sizeof record.copyMark);
    std::memset(record.rowMinutes, '9', sizeof record.rowMinutes);
    return record;
}

PackedRecord PackRecord(const Record& record) {
    PackedRecord packed{};
    const auto* memory = reinterpret_cast<const std::uint8_t*>(&record);
    std::size_t at = 0;
    for (const Span& span : kSpans) {
        std::memcpy(packed.data() + at, memory + span.memoryOffset, span.size);
        at += span.size;
    }
    return packed;
}

Record UnpackRecord(const std::uint8_t* bytes) {
    Record record;
    std::memset(&record, 0, sizeof record);
    auto* memory = reinterpret_cast<std::uint8_t*>(&record);
    std::size_t at = 0;
    for (const Span& span : kSpans) {
        std::memcpy(memory + span.memoryOffset, bytes + at, span.size);
        at += span.size;
    }
    return record;
}

bool IsEndMark(const char (&field)[5]) {
    return std::memcmp(field, "11111", 5) == 0;
}
