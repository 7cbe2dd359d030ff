#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// One jack calibration group. In memory 188 bytes; the file keeps 148 of
// them, dropping the second half of each 40-byte text field.
//
// | file | size | memory | field        | content                                     |
// |------|------|--------|--------------|---------------------------------------------|
// |    0 |   20 |      0 | jackNumber   | UTF-16LE, 20 units in memory, 10 on file    |
// |   20 |   20 |     40 | sensorNumber | same form                                   |
// |   40 |    4 |     80 | type         | int32: 0 jack calibration, 1 system         |
// |   44 |    4 |     84 | maxForce     | float32 kN, maximum force (1000 when blank) |
// |   48 |    4 |     88 | pointCount   | int32, points in use, at most 10 (5 blank)  |
// |   52 |   40 |     92 | force[10]    | float32 kN, standard force of points 1-10   |
// |   92 |   40 |    132 | pressure[10] | float32, measured value of points 1-10:     |
// |      |      |        |              | MPa for a jack, kN for a system group       |
// |  132 |    4 |    172 | zeroValue    | float32, measured value at zero load        |
// |  136 |    4 |    176 | saved        | int32: 1 once stored; a saved group is fixed|
// |  140 |    8 |    180 | unused[2]    | 0, carried unchanged                        |
struct JackRecord {
    char16_t jackNumber[20];
    char16_t sensorNumber[20];
    std::int32_t type;
    float maxForce;
    std::int32_t pointCount;
    float force[10];
    float pressure[10];
    float zeroValue;
    std::int32_t saved;
    std::uint32_t unused[2];

    static JackRecord Blank();
};

// A number text of a record, up to its terminator.
QString JackText(const char16_t (&field)[20]);

static_assert(sizeof(JackRecord) == 188);
static_assert(offsetof(JackRecord, type) == 80);
static_assert(offsetof(JackRecord, pointCount) == 88);
static_assert(offsetof(JackRecord, pressure) == 132);
static_assert(offsetof(JackRecord, zeroValue) == 172);
static_assert(offsetof(JackRecord, saved) == 176);

inline constexpr std::size_t kPackedJackRecordSize = 148;
inline constexpr int kJackSlots = 10;
inline constexpr int kJackPoints = 10;       // points 1-10 of a group; point 0 is zeroValue
inline constexpr int kJackNumberLength = 10; // units of a number text the file keeps
namespace JackCalibrationType {
inline constexpr std::int32_t jack = 0;
inline constexpr std::int32_t system = 1;
} // namespace JackCalibrationType
