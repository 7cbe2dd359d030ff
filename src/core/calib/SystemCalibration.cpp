#include "core/calib/SystemCalibration.h"

#include "core/data/CPublic.h"
#include "core/link/LiveSample.h"

#include <cmath>

namespace {

using namespace SystemCalibrationText;

// A box holding a value that must be a number above zero: the constants
// below divide by it or scale with it.
std::optional<float> PositiveNumber(const QString& text) {
    if (!IsNumber(text))
        return std::nullopt;
    const float value = ReadNumber(text);
    if (!(value > 0))
        return std::nullopt;
    return value;
}

QString Shown(const char* format, float value) {
    return QString::asprintf(format, static_cast<double>(value));
}

void ClearTables(SystemCalibrationRun& run) {
    for (SystemCalibrationRun::Table* table : {&run.standardForce, &run.calibrationForce,
                                               &run.calibrationPressure, &run.checkForce, &run.checkPressure})
        table->fill(0.0f);
}

float AlongSegment(const SystemCalibrationRun::Table& m, const SystemCalibrationRun::Table& s, int i,
                   float c) {
    const auto a = static_cast<std::size_t>(i);
    return s[a] + (s[a + 1] - s[a]) * (c - m[a]) / (m[a + 1] - m[a]);
}

} // namespace

SystemCalibrationForm FormOfRun(const SystemCalibrationRun& run) {
    SystemCalibrationForm form = WithSensorKind(SystemCalibrationForm{}, run.OilSensor());
    form.maxForce = Shown("%.0f", run.maxForce);
    form.pointCount = QString::asprintf("%d", run.pointCount);
    form.sensitivity = Shown("%g", run.sensitivity);
    if (run.started != 1)
        return form;
    if (run.OilSensor()) {
        form.ratedForce = Shown("%.0f", run.ratedForce);
        form.ratedPressure = Shown("%.1f", run.ratedPressure);
        form.range = Shown("%.0f", run.oilRange);
    } else {
        form.range = Shown("%.0f", run.loadRange);
    }
    return form;
}

SystemCalibrationForm WithSensorKind(SystemCalibrationForm form, bool oilSensor) {
    form.oilSensor = oilSensor;
    if (oilSensor) {
        form.range = QStringLiteral("80");
        form.ratedForce = QStringLiteral("1000");
        form.ratedPressure = QStringLiteral("65");
    } else {
        form.range = QStringLiteral("1000");
        form.ratedForce.clear();
        form.ratedPressure.clear();
    }
    return form;
}

const char* StartCalibration(const SystemCalibrationForm& form, SystemCalibrationRun& run) {
    if (run.started == 1)
        return kAlreadyStarted;
    if (!IsNumber(form.maxForce))
        return kMaxForceInvalid;
    // A fractional count has no meaning; it is refused, not cut.
    if (!IsNumber(form.pointCount) || form.pointCount.contains(QLatin1Char('.')))
        return kPointCountInvalid;
    const int n = form.pointCount.toInt();
    if (n < 1)
        return kPointCountBelow;
    if (n > kSystemCalibrationMaxPoints)
        return kPointCountAbove;
    const std::optional<float> range = PositiveNumber(form.range);
    if (!range)
        return kRangeInvalid;
    const std::optional<float> sensitivity = PositiveNumber(form.sensitivity);
    std::optional<float> ratedForce;
    std::optional<float> ratedPressure;
    if (form.oilSensor) {
        if (!sensitivity)
            return kSensitivityInvalid;
        ratedForce = PositiveNumber(form.ratedForce);
        if (!ratedForce)
            return kRatedForceInvalid;
        ratedPressure = PositiveNumber(form.ratedPressure);
        if (!ratedPressure)
            return kRatedPressureInvalid;
    } else if (!sensitivity) {
        return kCoefficientInvalid;
    }
    const float maxForce = ReadNumber(form.maxForce);
    if (!(maxForce > 0))
        return kMaxForceZero;
    if (form.oilSensor && maxForce > *ratedForce)
        return kAboveRatedForce;
    if (!form.oilSensor && maxForce > *range)
        return kAboveLoadRange;

    SystemCalibrationRun started = run;
    started.sensorKind = form.oilSensor ? CalibrationSensor::oil : CalibrationSensor::load;
    started.sensitivity = *sensitivity;
    started.maxForce = maxForce;
    started.pointCount = n;
    if (form.oilSensor) {
        started.oilRange = *range;
        started.ratedForce = *ratedForce;
        started.ratedPressure = *ratedPressure;
        started.countsPerKn = 1200.0f * *sensitivity * *ratedPressure / (*range * *ratedForce);
    } else {
        started.loadRange = *range;
        started.countsPerKn = *sensitivity;
    }
    ClearRun(started);
    for (int i = 0; i <= n; ++i)
        started.standardForce[static_cast<std::size_t>(i)] =
            maxForce / static_cast<float>(n) * static_cast<float>(i);
    started.started = 1;
    run = started;
    return nullptr;
}

std::optional<float> CorrectThroughTable(const SystemCalibrationRun& run, float c) {
    const auto& m = run.calibrationForce;
    const auto& s = run.standardForce;
    const int last = run.pointCount; // points 0..n are recorded
    int segment = last - 1;
    if (c <= m[0]) {
        segment = 0;
    } else {
        for (int i = 0; i < last; ++i) {
            const auto a = static_cast<std::size_t>(i);
            if (m[a] < c && c <= m[a + 1]) {
                segment = i;
                break;
            }
        }
    }
    const auto a = static_cast<std::size_t>(segment);
    if (!(m[a + 1] != m[a]))
        return std::nullopt;
    return AlongSegment(m, s, segment, c);
}

LiveCalibrationValues LiveValues(const SystemCalibrationRun& run, const LiveSample& live) {
    if (run.started != 1 || live.number == 0)
        return {QString::fromUtf8(kNotUsed), QString::fromUtf8(kNotUsed)};
    const float r = live.loadRaw;
    LiveCalibrationValues values;
    if (run.OilSensor()) {
        values.pressure = Shown("%.2f", run.oilRange * r / (1200.0f * run.sensitivity));
        if (!IsNumber(values.pressure))
            values.pressure = QStringLiteral("0.00");
    } else {
        values.pressure = QString::fromUtf8(kNotUsed);
    }
    std::optional<float> force = r / run.countsPerKn;
    if (run.InCheck())
        force = CorrectThroughTable(run, *force);
    values.force = force ? Shown("%.1f", *force) : QString();
    if (!IsNumber(values.force))
        values.force = QString::fromUtf8(kNotUsed);
    return values;
}

RecordOutcome RecordPoint(SystemCalibrationRun& run, const LiveCalibrationValues& live) {
    if (run.started != 1)
        return {};
    const bool check = run.InCheck();
    std::int32_t& done = check ? run.checkDone : run.calibrationDone;
    if (done == 1)
        return {false, check ? kCheckAlreadyDone : kCalibrationAlreadyDone};
    if (!IsNumber(live.force))
        return {false, kNoLiveValue};
    std::int32_t& index = check ? run.checkIndex : run.calibrationIndex;
    const auto point = static_cast<std::size_t>(index);
    (check ? run.checkForce : run.calibrationForce)[point] = ReadNumber(live.force);
    (check ? run.checkPressure : run.calibrationPressure)[point] =
        run.OilSensor() ? ReadNumber(live.pressure) : 0.0f;
    ++index;
    if (index <= run.pointCount)
        return {true, nullptr};
    done = 1;
    run.passDone = 1;
    return {true, check ? kCheckComplete : kCalibrationComplete};
}

void EnterCheckPass(SystemCalibrationRun& run) {
    if (run.started != 1 || run.calibrationDone != 1)
        return;
    run.checkMode = 1;
    run.passDone = run.checkDone;
}

void LeaveCheckPass(SystemCalibrationRun& run) {
    run.checkMode = 0;
    run.passDone = run.calibrationDone;
}

void ClearRun(SystemCalibrationRun& run) {
    run.started = 0;
    run.calibrationIndex = 0;
    run.calibrationDone = 0;
    run.passDone = 0;
    run.checkMode = 0;
    run.checkIndex = 0;
    run.checkDone = 0;
    ClearTables(run);
}

SystemCalibrationView ViewOfRun(const SystemCalibrationRun& run) {
    SystemCalibrationView view;
    const bool check = run.InCheck();
    view.title = QString::fromUtf8(check ? kTitleCheck : kTitleCalibration);
    view.forceHeader = QString::fromUtf8(check ? kCheckHeader : kMeasuredHeader);
    const bool anyRecorded = run.calibrationIndex > 0 || run.checkIndex > 0;
    view.clearCaption = QString::fromUtf8(anyRecorded ? kNewCalibration : kClear);
    if (run.started != 1)
        return view;
    view.inputsEnabled = false;
    view.recordEnabled = true;
    view.clearEnabled = true;
    view.checkEnabled = run.calibrationDone == 1 && !check;
    view.calibrationViewEnabled = true;
    const int n = run.pointCount;
    const int recorded = run.Index();
    const auto& forces = check ? run.checkForce : run.calibrationForce;
    const auto& pressures = check ? run.checkPressure : run.calibrationPressure;
    const QString notUsed = QString::fromUtf8(kNotUsed);
    for (int i = 0; i <= kSystemCalibrationMaxPoints; ++i) {
        const auto p = static_cast<std::size_t>(i);
        if (i > n) {
            view.standard[p] = view.force[p] = view.pressure[p] = notUsed;
            continue;
        }
        // A load sensor's zero point has no standard force to apply.
        if (run.OilSensor() || i > 0)
            view.standard[p] = Shown("%.0f", run.standardForce[p]);
        if (i < recorded)
            view.force[p] = Shown("%.1f", forces[p]);
        if (!run.OilSensor())
            view.pressure[p] = notUsed;
        else if (i < recorded)
            view.pressure[p] = Shown("%.2f", pressures[p]);
    }
    if (recorded <= n)
        view.nextStandard = Shown("%.0f", run.standardForce[static_cast<std::size_t>(recorded)]);
    return view;
}
