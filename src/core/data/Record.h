#pragma once

#include <QByteArray>

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

// One row of a test: a reading, a derived settlement row, a parameter-column
// text and a second copy of the reading with its remark. In memory it keeps
// the panel's 272-byte layout; in the data file it is packed to 267 bytes by
// leaving out the alignment gaps.
//
// | file | size | memory | field          | content                                          |
// |------|------|--------|----------------|--------------------------------------------------|
// |    0 |    5 |      0 | clock          | "%02d:%02d"; "--:--" opens a level; "11111" ends |
// |    - |    - |      5 | (3 gap)        | memory only                                      |
// |    5 |    4 |      8 | load           | int32, load of the reading                       |
// |    9 |   32 |     12 | gauge[8]       | float32 mm, corrected gauges 1-8                 |
// |   41 |   16 |     44 | spare1         | never written (zero)                             |
// |   57 |    4 |     60 | avgSettlement  | float32 mm, settlement row                       |
// |   61 |    4 |     64 | rowLoad        | int32, level load of the settlement row          |
// |   65 |    5 |     68 | rowMinutes     | ASCII minutes; "99999" ends the settlement rows  |
// |   70 |   20 |     73 | textValue      | parameter column text                            |
// |   90 |   20 |     93 | textValue2     | parameter column text                            |
// |  110 |   60 |    113 | textLong       | parameter column text                            |
// |  170 |    5 |    173 | copyMark       | "11111" ends the second copy                     |
// |    - |    - |    178 | (2 gap)        | memory only                                      |
// |  175 |    4 |    180 | copyLoad       | int32, copy of load                              |
// |  179 |   32 |    184 | copyGauge[8]   | float32 mm, copy of the gauges                   |
// |  211 |   16 |    216 | spare2         | never written                                    |
// |  227 |   20 |    232 | flagText       | settings copies (rows 0-10) / reading flag char  |
// |  247 |   20 |    252 | remark         | remark of a reading, e.g. "手动"                 |
//
// Texts are single-byte device code page (GBK), zero-terminated when shorter
// than their field.
struct Record {
    char clock[5];
    std::int32_t load;
    float gauge[8];
    std::uint8_t spare1[16];
    float avgSettlement;
    std::int32_t rowLoad;
    char rowMinutes[5];
    char textValue[20];
    char textValue2[20];
    char textLong[60];
    char copyMark[5];
    std::int32_t copyLoad;
    float copyGauge[8];
    std::uint8_t spare2[16];
    char flagText[20];
    char remark[20];

    // The fresh row: end markers set, everything else zero.
    static Record Template();
};

// The files are little-endian and rows are copied byte for byte.
static_assert(std::endian::native == std::endian::little);
static_assert(sizeof(Record) == 272);
static_assert(offsetof(Record, load) == 8);
static_assert(offsetof(Record, avgSettlement) == 60);
static_assert(offsetof(Record, rowMinutes) == 68);
static_assert(offsetof(Record, textValue) == 73);
static_assert(offsetof(Record, copyMark) == 173);
static_assert(offsetof(Record, copyLoad) == 180);
static_assert(offsetof(Record, flagText) == 232);
static_assert(offsetof(Record, remark) == 252);

inline constexpr std::size_t kPackedRecordSize = 267;
using PackedRecord = std::array<std::uint8_t, kPackedRecordSize>;

PackedRecord PackRecord(const Record& record);
Record UnpackRecord(const std::uint8_t* bytes); // kPackedRecordSize bytes

// File offset and size of the three parameter-column texts in a packed row.
inline constexpr std::size_t kPackedTextsOffset = 70;
inline constexpr std::size_t kPackedTextsSize = 100;

// Field text helpers. A text field holds bytes up to its first zero or its
// full width; a longer text is cut at the field width, never written past it.
template <std::size_t N> QByteArray FieldText(const char (&field)[N]) {
    std::size_t length = 0;
    while (length < N && field[length] != 0)
        ++length;
    return QByteArray(field, static_cast<qsizetype>(length));
}

template <std::size_t N> void SetFieldText(char (&field)[N], const QByteArray& text) {
    const std::size_t length = std::min<std::size_t>(N, static_cast<std::size_t>(text.size()));
    std::fill(field, field + N, 0);
    std::copy(text.constData(), text.constData() + length, field);
}

// True when every one of the five marker bytes is '1' (the end-of-list mark).
bool IsEndMark(const char (&field)[5]);
