#pragma once

#include "core/data/UploadQueue.h"

#include <QByteArray>

#include <array>
#include <cstdint>

// What one data frame of the GPRS link carries. Texts are the record list's
// device texts as stored (serial number, pile number, coefficient, the gauge
// selection rows).
struct UploadFrameInputs {
    bool oilPressureSensor = true; // false: a force sensor, bytes 2-4 are 0xFF
    float oilPressure = 0;         // MPa
    float maxLoad = 0;
    int year = 2000;       // four digits; the frame keeps the last two
    QByteArray timeText;   // "HH:MM"
    std::int32_t load = 0; // the frame's whole-number load
    float targetLoad = 0;
    std::array<float, 4> gauge{};              // corrected settlements of gauges 1-4, mm
    QByteArray serialNumber;                   // up to 12 digits
    QByteArray pileNumber;                     // 4 digits
    QByteArray coefficientText;                // the calibration coefficient as typed
    std::array<QByteArray, 4> gaugeSelected{}; // "1" when gauge 1-4 is chosen
    int standardCode = 0;
    std::uint8_t uploadFlags = 0;
    bool liveFrame = false;         // the once-a-minute frame, not a reading
    bool stageOpening = false;      // the reading opens a stage
    bool targetLoadReading = false; // the 0-minute reading: load bytes carry the target
    bool resetPending = false;      // a new-test reset is pending: byte 44 is 0xAA
};

// Data frame, 45 bytes (BCD: two digits per byte, first in the high nibble;
// E3: EncodeNumber3, core/link/NumberCodec.h):
//
// | bytes | content                                                        |
// |-------|----------------------------------------------------------------|
// |     0 | 0xAA                                                           |
// |     1 | 0x04                                                           |
// |   2-4 | oil pressure, E3; 0xFF 0xFF 0xFF with a force sensor           |
// |   5-7 | maximum load, E3                                               |
// |     8 | year modulo 100                                                |
// |  9-11 | serial number digits 7-12, BCD                                 |
// |    12 | 0 (carries nothing)                                            |
// |    13 | kind: 0 reading, 0xFF stage opening, 2 live frame              |
// | 14-16 | serial number digits 1-6, BCD                                  |
// | 17-18 | hour, minute of the time text, BCD                             |
// | 19-21 | frame load, E3; the target load for a 0-minute reading         |
// | 22-24 | target load, E3                                                |
// | 25-36 | gauges 1-4, E3 each                                            |
// | 37-39 | calibration coefficient, E3                                    |
// | 40-41 | pile number digits 1-4, BCD                                    |
// |    42 | standard code, low byte                                        |
// |    43 | upload flags                                                   |
// |    44 | gauge selection bits 0-3; 0xAA while a new-test reset is due   |
namespace UploadFrameLayout {
inline constexpr std::size_t kOilPressure = 2;
inline constexpr std::size_t kMaxLoad = 5;
inline constexpr std::size_t kYear = 8;
inline constexpr std::size_t kSerialTail = 9;
inline constexpr std::size_t kKind = 13;
inline constexpr std::size_t kSerialHead = 14;
inline constexpr std::size_t kHour = 17;
inline constexpr std::size_t kMinute = 18;
inline constexpr std::size_t kLoad = 19;
inline constexpr std::size_t kTarget = 22;
inline constexpr std::size_t kGauges = 25;
inline constexpr std::size_t kCoefficient = 37;
inline constexpr std::size_t kPile = 40;
inline constexpr std::size_t kStandard = 42;
inline constexpr std::size_t kFlags = 43;
inline constexpr std::size_t kGaugeSelection = 44;
inline constexpr std::uint8_t kStageOpeningKind = 0xFF;
inline constexpr std::uint8_t kLiveKind = 2;
inline constexpr std::uint8_t kResetMark = 0xAA;
} // namespace UploadFrameLayout
static_assert(UploadFrameLayout::kGaugeSelection + 1 == kUploadFrameSize);

UploadFrame BuildUploadFrame(const UploadFrameInputs& in);

// The module test frame: 0xFF throughout but the serial number digits 1-6
// (bytes 14-16) and the pile number "9999" (bytes 40-41).
UploadFrame BuildModuleTestFrame(const QByteArray& serialNumber);

// Packs `digits` characters of `text` from `first` (0-based) two per byte;
// a missing or non-digit character counts as 0.
void PackBcd(UploadFrame& frame, std::size_t at, const QByteArray& text, int first, int digits);
