#include "core/setup/LoadCoefficient.h"

#include "core/data/CFormat.h"
#include "core/setup/CalibrationLookup.h"

#include <cmath>

namespace {

struct CoefficientInputs {
    float sensitivity;   // S, or a force sensor's calibration coefficient C
    float ratedPressure; // Pr, MPa
    float ratedForce;    // Fr, kN
    float sensorRange;   // R
    float jackCount;     // N
};

CoefficientInputs StoredInputs(const TestSettingsForm& form) {
    return {StoredValue(form.sensitivity, StoredFormat::sensitivity),
            StoredValue(form.ratedPressure, StoredFormat::ratedPressure),
            StoredValue(form.ratedForce, StoredFormat::ratedForce),
            StoredValue(form.sensorRange, StoredFormat::sensorRange),
            StoredValue(form.jackCount, StoredFormat::jackCount)};
}

float RatedCoefficient(const CoefficientInputs& in) {
    return 1200.0f * in.sensitivity * in.ratedPressure / (in.jackCount * in.ratedForce * in.sensorRange);
}

// Points without a positive load carry no ratio (a zero-load point would
// divide by zero), so the mean is taken over the others.
std::optional<float> TableCoefficient(const CoefficientInputs& in, const CalibrationSelection& table) {
    float sum = 0.0f;
    int used = 0;
    for (int j = 0; j < table.pointCount; ++j) {
        const float load = table.calibrationLoads[static_cast<std::size_t>(j)];
        if (!(load > 0.0f))
            continue;
        sum += 1200.0f * in.sensitivity * table.calibrationPressures[static_cast<std::size_t>(j)] /
               (in.sensorRange * load);
        ++used;
    }
    if (used == 0)
        return std::nullopt;
    return sum / (in.jackCount * static_cast<float>(used));
}

std::optional<float> Finite(float value) {
    return std::isfinite(value) ? std::optional<float>(value) : std::nullopt;
}

} // namespace

QByteArray StoredText(const QString& box, const char* format) {
    return CFormat(format, static_cast<double>(ReadNumber(box)));
}

float StoredValue(const QString& box, const char* format) {
    return ReadNumber(QString::fromLatin1(StoredText(box, format)));
}

std::optional<float> LoadCoefficient(const TestSettingsForm& form, const CalibrationSelection* jackTable) {
    const CoefficientInputs in = StoredInputs(form);
    if (form.sensor == SensorKind::Force)
        return Finite(in.sensitivity / in.jackCount);
    if (form.mode == PressureMode::Regression)
        return Finite(15.0f * ReadNumber(form.regressionB) * in.sensitivity);
    if (form.mode == PressureMode::CalibrationData && form.calibration == CalibrationMode::Jack) {
        if (!jackTable)
            return std::nullopt;
        const std::optional<float> k = TableCoefficient(in, *jackTable);
        return k ? Finite(*k) : std::nullopt;
    }
    return Finite(RatedCoefficient(in));
}

QString PreviewCoefficient(const TestSettingsForm& form, const KVTFile& files) {
    std::optional<CalibrationLookup> lookup;
    const bool jackTable = form.sensor == SensorKind::OilPressure &&
                           form.mode == PressureMode::CalibrationData &&
                           form.calibration == CalibrationMode::Jack;
    if (jackTable) {
        if (form.jackNumber.isEmpty())
            return {};
        lookup = LookupCalibration(files, CalibrationQuery::JackTable(form.jackNumber));
        if (!lookup)
            return {};
    }
    const std::optional<float> k = LoadCoefficient(form, lookup ? &lookup->selection : nullptr);
    return k ? QString::fromLatin1(CFormat(StoredFormat::coefficient, static_cast<double>(*k))) : QString();
}
