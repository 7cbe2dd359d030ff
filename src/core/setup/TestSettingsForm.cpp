#include "core/setup/TestSettingsForm.h"

#include "core/data/CFormat.h"
#include "core/data/ParameterRows.h"

#include <algorithm>

namespace {

QString EntryText(const ParameterList& list, int entry, const char* format) {
    return QString::fromLatin1(CFormat(format, static_cast<double>(ParameterAt(list, entry))));
}

// A stored setting shown only when it prints as a number; otherwise the
// box keeps what it had.
void ShowEntry(QString& box, const ParameterList& list, int entry, const char* format, bool trim = false) {
    const QString text = EntryText(list, entry, format);
    if (IsNumber(text))
        box = trim ? TrimTrailingZeros(text) : text;
}

// Entries 10 and 11 decide radios; a value that prints as no number (nan,
// inf) would decide them arbitrarily, so it is repaired to 1.0.
void RepairFlagEntry(ParameterList& list, int entry) {
    if (entry < static_cast<int>(list.size()) && !IsNumber(EntryText(list, entry, "%f")))
        list[static_cast<std::size_t>(entry)] = 1.0f;
}

// The stored serial number as the operator typed it: short numbers lost
// their leading zeros in the float entry and get them back.
QString StoredSerialNumber(const ParameterList& list) {
    const QString digits = EntryText(list, Entry::serialNumberValue, "%.f");
    const bool allDigits =
        !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); });
    if (!allDigits || digits == QStringLiteral("0") || digits.size() > 6)
        return {};
    return digits.rightJustified(6, QLatin1Char('0'));
}

TestSettingsForm WizardForm(ParameterList& list, const QString& pileNumber) {
    RepairFlagEntry(list, Entry::doubleCircuitJack);
    RepairFlagEntry(list, Entry::pressureSensor);
    TestSettingsForm form;
    form.mode = PressureMode::Computed;
    form.calibration = CalibrationMode::System;
    form.circuit = static_cast<int>(ParameterAt(list, Entry::doubleCircuitJack)) == 1 ? JackCircuit::Double
                                                                                      : JackCircuit::Single;
    form.sensor =
        ParameterAt(list, Entry::pressureSensor) == 1.0f ? SensorKind::OilPressure : SensorKind::Force;
    ShowEntry(form.ratedPressure, list, Entry::jackRatedPressure, "%.2f", true);
    ShowEntry(form.ratedForce, list, Entry::jackRatedForce, "%.0f");
    ShowEntry(form.jackCount, list, Entry::jackCount, "%.f");
    ShowEntry(form.sensorRange, list, Entry::sensorRange, "%.0f");
    ShowEntry(form.sensitivity, list, Entry::sensorSensitivity, "%f", true);
    ShowEntry(form.regressionA, list, Entry::regressionA, "%f", true);
    ShowEntry(form.regressionB, list, Entry::regressionB, "%f", true);
    form.pileNumber = pileNumber;
    form.serialNumber = StoredSerialNumber(list);
    return form;
}

TestSettingsForm DefaultForm() {
    TestSettingsForm form;
    form.sensor = SensorKind::OilPressure;
    form.circuit = JackCircuit::Double;
    form.mode = PressureMode::Computed;
    form.calibration = CalibrationMode::System;
    form.sensorRange = QStringLiteral("80");
    form.sensitivity = QStringLiteral("2.13");
    form.ratedPressure = QStringLiteral("65");
    form.ratedForce = QStringLiteral("1000");
    form.jackCount = QStringLiteral("1");
    return form;
}

PressureMode StoredPressureMode(int code) {
    switch (code) {
    case 2:
        return PressureMode::CalibrationData;
    case 3:
        return PressureMode::Regression;
    default:
        return PressureMode::Computed;
    }
}

TestSettingsForm RunningTestForm(const CPublic& pub) {
    TestSettingsForm form;
    form.pileNumber = ReadParameterText(pub, ParameterText::pileNumber);
    form.serialNumber = ReadParameterText(pub, ParameterText::serialNumber);
    form.sensor = ReadParameterText(pub, ParameterText::pressureSensor).trimmed() == QStringLiteral("1")
                      ? SensorKind::OilPressure
                      : SensorKind::Force;
    form.mode = StoredPressureMode(pub.pressureMode);
    form.calibration = pub.calibrationSource == 0 ? CalibrationMode::Jack : CalibrationMode::System;
    form.circuit = pub.doubleCircuitJack ? JackCircuit::Double : JackCircuit::Single;
    form.sensorRange = QString::number(pub.sensorRange);
    form.jackCount = QString::number(pub.jackCount);
    form.sensitivity = QString::fromLatin1(CFormat("%f", static_cast<double>(pub.sensorSensitivity)));
    form.ratedForce = QString::fromLatin1(CFormat("%.0f", static_cast<double>(pub.jackRatedForce)));
    form.ratedPressure = QString::fromLatin1(CFormat("%.2f", static_cast<double>(pub.jackRatedPressure)));
    form.regressionA =
        TrimTrailingZeros(QString::fromLatin1(CFormat("%f", static_cast<double>(pub.regressionA))));
    form.regressionB =
        TrimTrailingZeros(QString::fromLatin1(CFormat("%f", static_cast<double>(pub.regressionB))));
    form.jackNumber = pub.jackNumber;
    if (form.calibration == CalibrationMode::System)
        form.sensorNumber = pub.sensorNumber;
    return form;
}

} // namespace

TestSettingsOpening OpenTestSettingsForm(const CPublic& pub, ParameterList& list, const QString& pileNumber) {
    TestSettingsOpening opening;
    if (pub.wizardMode)
        opening.form = WizardForm(list, pileNumber);
    else if (!pub.run.View().running)
        opening.form = DefaultForm();
    else {
        opening.form = RunningTestForm(pub);
        opening.editable = false;
    }
    return opening;
}

QString TestSettingsCaption(const CPublic& pub, const ParameterList& list) {
    const QString caption =
        QStringLiteral("测试设置") + QString(33, QLatin1Char(' ')) + QStringLiteral("文件名: ");
    if (pub.wizardMode)
        return caption;
    const int nameLength = EntryText(list, Entry::serialNumberValue, "%.f").size() > 6 ? 21 : 15;
    return caption + pub.dataFilePath.right(nameLength);
}

std::map<int, bool> UpdateModeControls(TestSettingsForm& form) {
    using namespace TestSettingsId;
    const bool oil = form.sensor == SensorKind::OilPressure;
    if (!oil) {
        if (form.mode == PressureMode::Regression)
            form.mode = PressureMode::Computed;
        if (form.mode == PressureMode::CalibrationData)
            form.calibration = CalibrationMode::System;
    }
    const bool computed = form.mode == PressureMode::Computed;
    const bool table = form.mode == PressureMode::CalibrationData;
    const bool regression = form.mode == PressureMode::Regression;
    return {
        {regressionMode, oil},
        {jackCalibration, oil && table},
        {systemCalibration, table},
        {regressionA, regression},
        {regressionB, regression},
        {doubleCircuit, true},
        {singleCircuit, true},
        {jackNumber, computed || table},
        {sensorNumber, computed || table},
        {ratedPressure, computed || table},
        {ratedForce, computed || table},
    };
}

SensorLabels SensorLabelsFor(SensorKind sensor) {
    if (sensor == SensorKind::OilPressure)
        return {QStringLiteral("传感器量程(MPa)"), QStringLiteral("传感器灵敏度(mv/V)")};
    return {QStringLiteral("传感器量程(kN)"), QStringLiteral("传感器标定系数")};
}

bool ChooseSensor(TestSettingsForm& form, SensorKind sensor, const CPublic& pub) {
    if (pub.run.View().controlState != ControlState::Waiting)
        return false;
    if (pub.wizardMode)
        form.sensorRange = sensor == SensorKind::OilPressure ? QStringLiteral("80") : QStringLiteral("2000");
    form.sensor = sensor;
    return true;
}

void ChooseCalibration(TestSettingsForm& form, CalibrationMode calibration, const CPublic& pub,
                       const ParameterList& list) {
    if (pub.run.View().running)
        form.sensor =
            ParameterAt(list, Entry::pressureSensor) == 1.0f ? SensorKind::OilPressure : SensorKind::Force;
    form.calibration = calibration;
}

QString TrimTrailingZeros(const QString& text) {
    if (text.indexOf(QLatin1Char('.')) <= 0)
        return text;
    QString trimmed = text;
    while (trimmed.endsWith(QLatin1Char('0')))
        trimmed.chop(1);
    if (trimmed.endsWith(QLatin1Char('.')))
        trimmed.chop(1);
    return trimmed;
}
