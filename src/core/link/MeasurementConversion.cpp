#include "core/link/MeasurementConversion.h"

#include "core/link/CalibrationTable.h"
#include "core/link/NumberCodec.h"

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
constexpr std::size_t kGauges = 8;
constexpr std::size_t kAveragedGauges = 4; // gauges 5-8 watch the anchor piles

using ReplyBytes = std::array<std::uint8_t, kReplyBlockSize>;

bool IsIdleBlock(const ReplyBytes& bytes) {
    return std::all_of(bytes.begin() + 1, bytes.begin() + 12, [](std::uint8_t b) { return b == 0; });
}

float OilPressure(const ConversionSettings& settings, float counts) {
    return static_cast<float>(settings.sensorRange) * counts / (1200.0f * settings.sensorSensitivity);
}

class ReplyConversion {
  public:
    ReplyConversion(const ConversionSettings& settings, LiveSample& sample)
        : m_settings(settings), m_sample(sample) {}

    std::optional<float> ConvertLoad(float counts);
    void ConvertGauges(const ReplyBytes& bytes);

  private:
    std::optional<float> TableLoad(float tableInput);

    const ConversionSettings& m_settings;
    LiveSample& m_sample;
};

// Load of all jacks through the chosen calibration table, kN; empty (and
// the operator told) when the table cannot convert.
std::optional<float> ReplyConversion::TableLoad(float tableInput) {
    m_sample.calibrationTableRefused = !IsUsableCalibrationTable(m_settings.calibration);
    const std::optional<float> oneJack = LookupCalibrationTable(m_settings.calibration, tableInput);
    if (!oneJack)
        return std::nullopt;
    return static_cast<float>(m_settings.jackCount) * *oneJack;
}

// Load in kN by the channel's sensor and conversion mode; empty when the
// load is to keep its last value.
std::optional<float> ReplyConversion::ConvertLoad(float counts) {
    const ConversionSettings& s = m_settings;
    const float k = s.calibrationCoefficient;
    if (s.pressureSensor != kOilPressureSensor) {
        if (s.pressureMode != 2)
            return counts / k;
        m_sample.oilPressure = OilPressure(s, counts);
        return TableLoad(counts / k);
    }

    const float pressure = OilPressure(s, counts);
    m_sample.oilPressure = pressure;
    switch (s.pressureMode) {
    case 1:
        return counts / k;
    case 2:
        return TableLoad(s.calibrationSource == 0 ? pressure : counts / k);
    case 3:
        // A slope of 0 (never accepted by the test settings, but possible
        // in a damaged settings file) would make the load infinite.
        if (s.regressionB == 0)
            return std::nullopt;
        return static_cast<float>(s.jackCount) * (pressure - s.regressionA) / s.regressionB;
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

void ReplyConversion::ConvertGauges(const ReplyBytes& bytes) {
    const ConversionSettings& s = m_settings;
    for (std::size_t k = 0; k < kGauges; ++k) {
        float reading = 0.0f;
        float corrected = 0.0f;
        bool nearRange = false;
        if (s.gaugeOn[k] == 1) {
            const int raw = DecodeRaw16(bytes[5 + 2 * k], bytes[6 + 2 * k]);
            reading = AtRecordingResolution(static_cast<float>(raw) * kGaugeMmPerCount, s.settlementDecimals);
            corrected =
                ((reading - s.gaugeZero[k]) + s.gaugeOffset[k]) * static_cast<float>(s.gaugeDirection[k]);
            nearRange = s.gaugeRangeAlarm > 0 && reading > s.gaugeRangeAlarm;
        }
        m_sample.gaugeReading[k] = reading;
        m_sample.gaugeValue[k] = corrected;
        m_sample.nearRange[k] = nearRange;
    }
}

} // namespace

void ApplyConversionDefaults(ConversionSettings& settings) {
    if (!(settings.plateArea > 0))
        settings.plateArea = kDefaultPlateArea;
    if (!(settings.sensorSensitivity > 0))
        settings.sensorSensitivity = kDefaultSensitivity;
    if (!(settings.calibrationCoefficient > 0))
        settings.calibrationCoefficient = kDefaultCoefficient;
    if (settings.jackCount < 1)
        settings.jackCount = 1;
}

std::optional<float> LiveAverageOf(const std::array<int, 8>& gaugeOn,
                                   const std::array<float, 8>& gaugeValue) {
    int enabled = 0;
    float sum = 0.0f;
    for (std::size_t k = 0; k < kAveragedGauges; ++k) {
        if (gaugeOn[k] == 1) {
            ++enabled;
            sum += gaugeValue[k];
        }
    }
    if (enabled == 0)
        return std::nullopt;
    return sum / static_cast<float>(enabled);
}

std::optional<LiveSample> ConvertReply(const ConversionSettings& given, std::span<const std::uint8_t> block,
                                       const LiveSample& previous) {
    ReplyBytes bytes{};
    std::copy_n(block.begin(), std::min(block.size(), bytes.size()), bytes.begin());
    if (IsIdleBlock(bytes))
        return std::nullopt;

    ConversionSettings settings = given;
    ApplyConversionDefaults(settings);
    LiveSample sample = previous;
    sample.calibrationTableRefused = false; // only a table conversion is ever refused
    ReplyConversion conversion(settings, sample);

    const float raw = static_cast<float>(DecodeRaw16(bytes[1], bytes[2]));
    const float counts = raw - settings.loadZero;
    sample.loadRaw = raw;
    sample.loadCounts = counts;
    if (const std::optional<float> load = conversion.ConvertLoad(counts)) {
        sample.currentLoad = settings.loadInKN ? *load + settings.loadOffset
                                               : *load / settings.plateArea + settings.loadOffset;
    }
    conversion.ConvertGauges(bytes);
    sample.liveAverage = LiveAverageOf(settings.gaugeOn, sample.gaugeValue).value_or(0.0f);
    return sample;
}
