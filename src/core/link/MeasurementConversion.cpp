#include "core/link/MeasurementConversion.h"

#include "core/link/CalibrationTable.h"
#include "core/link/NumberCodec.h"
#include "core/view/LivePanel.h"
#include "core/view/RoundDecimals.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <mutex>
#include <optional>

namespace {

constexpr float kGaugeMmPerCount = 0.009921875f;
constexpr float kDefaultPlateArea = 1.0f;
constexpr float kDefaultSensitivity = 2.13f;
constexpr float kDefaultCoefficient = 1.0f;
constexpr int kOilPressureSensor = 1;
constexpr int kGauges = 8;

using ReplyBytes = std::array<std::uint8_t, kReplyBlockSize>;

bool IsIdleBlock(const ReplyBytes& bytes) {
    return std::all_of(bytes.begin() + 1, bytes.begin() + 12, [](std::uint8_t b) { return b == 0; });
}

// Settings that would divide by zero or lose the load take their defaults;
// they are written back so that the dialogs show what was used. "Not above
// 0" also catches a NaN read from a damaged settings file.
void ApplyDefaults(CPublic& pub) {
    if (!(pub.plateArea > 0))
        pub.plateArea = kDefaultPlateArea;
    if (!(pub.sensorSensitivity > 0))
        pub.sensorSensitivity = kDefaultSensitivity;
    if (!(pub.calibrationCoefficient > 0))
        pub.calibrationCoefficient = kDefaultCoefficient;
    if (pub.jackCount < 1)
        pub.jackCount = 1;
}

float OilPressure(const CPublic& pub, float counts) {
    return static_cast<float>(pub.sensorRange) * counts / (1200.0f * pub.sensorSensitivity);
}

// Load of all jacks through the chosen calibration table, kN; empty (and
// the operator told) when the table cannot convert.
std::optional<float> TableLoad(CPublic& pub, float tableInput) {
    const CalibrationSelection table = pub.GetCalibrationSelection();
    pub.calibrationTableRefused = !IsUsableCalibrationTable(table);
    const std::optional<float> oneJack = LookupCalibrationTable(table, tableInput);
    if (!oneJack)
        return std::nullopt;
    return static_cast<float>(pub.jackCount) * *oneJack;
}

// Load in kN by the channel's sensor and conversion mode; empty when the
// load is to keep its last value.
std::optional<float> ConvertLoad(CPublic& pub, float counts) {
    const float k = pub.calibrationCoefficient;
    const int mode = pub.pressureMode;
    if (mode != 2)
        pub.calibrationTableRefused = false; // only a table conversion is ever refused
    if (pub.pressureSensor != kOilPressureSensor) {
        if (mode != 2)
            return counts / k;
        pub.oilPressure = OilPressure(pub, counts);
        return TableLoad(pub, counts / k);
    }

    const float pressure = OilPressure(pub, counts);
    pub.oilPressure = pressure;
    switch (mode) {
    case 1:
        return counts / k;
    case 2:
        return TableLoad(pub, pub.calibrationSource == 0 ? pressure : counts / k);
    case 3: {
        // A slope of 0 (never accepted by the test settings, but possible
        // in a damaged settings file) would make the load infinite.
        const float b = pub.regressionB;
        if (b == 0)
            return std::nullopt;
        return static_cast<float>(pub.jackCount) * (pressure - pub.regressionA) / b;
    }
    default:
        return std::nullopt;
    }
}

// The reading printed to the recording resolution and read back, so that it
// is exactly what a stored reading will show.
float AtRecordingResolution(float mm, int decimals) {
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(mm));
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof text)
        return mm;
    float value = 0.0f;
    const auto result = std::from_chars(text, text + length, value);
    return result.ec == std::errc() ? value : mm;
}

void ConvertGauges(CPublic& pub, const ReplyBytes& bytes) {
    const int decimals = SettlementDecimals(pub.standardCode);
    const float rangeAlarm = pub.gaugeRangeAlarm;
    for (int k = 0; k < kGauges; ++k) {
        float reading = 0.0f;
        float corrected = 0.0f;
        bool nearRange = false;
        if (pub.gaugeOn[k] == 1) {
            const int raw = DecodeRaw16(bytes[5 + 2 * k], bytes[6 + 2 * k]);
            reading = AtRecordingResolution(static_cast<float>(raw) * kGaugeMmPerCount, decimals);
            corrected = ((reading - pub.gaugeZero[k]) + pub.gaugeOffset[k]) *
                        static_cast<float>(pub.gaugeDirection[k].load());
            nearRange = rangeAlarm > 0 && reading > rangeAlarm;
        }
        pub.gaugeReading[k] = reading;
        pub.gaugeValue[k] = corrected;
        // Written once per reply, so the alarm check never sees a cleared flag in between.
        pub.nearRange[k] = nearRange;
    }
}

} // namespace

bool ProcessReply(CPublic& pub, std::span<const std::uint8_t> block) {
    ReplyBytes bytes{};
    std::copy_n(block.begin(), std::min(block.size(), bytes.size()), bytes.begin());
    if (IsIdleBlock(bytes))
        return false;

    const std::lock_guard lock(pub.conversionMutex);
    ApplyDefaults(pub);

    const float raw = static_cast<float>(DecodeRaw16(bytes[1], bytes[2]));
    const float counts = raw - pub.loadZero;
    pub.loadRaw = raw;
    pub.loadCounts = counts;

    if (const std::optional<float> load = ConvertLoad(pub, counts)) {
        pub.currentLoad = pub.loadInKN ? *load + pub.loadOffset : *load / pub.plateArea + pub.loadOffset;
    }

    ConvertGauges(pub, bytes);
    UpdateLiveAverage(pub);
    return true;
}
