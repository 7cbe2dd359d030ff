#pragma once

#include <cstddef>
#include <cstdint>

// One jack calibration group. In memory 188 bytes; the file keeps 148 of
// them, dropping the second half of each 40-byte text field.
//
// | file | size | memory | field        | content                                     |
// |------|------|--------|--------------|---------------------------------------------|
// |    0 |   20 |      0 | jackNumber   | UTF-16LE, 20 units in memory, 10 on file    |
// |   20 |   20 |     40 | sensorNumber | same form                                   |
// |   40 |    4 |     80 | value80      | carried unchanged (0 when blank)            |
// |   44 |    4 |     84 | value84      | float32, carried unchanged (1000 when blank)|
// |   48 |    4 |     88 | pointCount   | int32, points in use, at most 10 (5 blank)  |
// |   52 |   40 |     92 | force[10]    | float32 kN, standard force of each point    |
// |   92 |   40 |    132 | pressure[10] | float32 MPa, measured oil pressure          |
// |  132 |    4 |    172 | value172     | carried unchanged                           |
// |  136 |   12 |    176 | value176[3]  | carried unchanged                           |
struct JackRecord {
    char16_t jackNumber[20];
    char16_t sensorNumber[20];
    std::uint32_t value80;
    float value84;
    std::int32_t pointCount;
    float force[10];
    float pressure[10];
    std::uint32_t value172;
    std::uint32_t value176[3];

    static JackRecord Blank();
};

static_assert(sizeof(JackRecord) == 188);
static_assert(offsetof(JackRecord, value80) == 80);
static_assert(offsetof(JackRecord, pointCount) == 88);
static_assert(offsetof(JackRecord, pressure) == 132);
static_assert(offsetof(JackRecord, value176) == 176);

inline constexpr std::size_t kPackedJackRecordSize = 148;
inline constexpr int kJackSlots = 10;
