#include "core/setup/ApplyTestSettings.h"

#include "core/data/CFormat.h"
#include "core/data/DeviceText.h"
#include "core/setup/LoadCoefficient.h"
#include "core/setup/TestSettingsRows.h"

namespace {

// A setting whose text also goes to the flag field of its copy row.
template <std::size_t N>
void WriteWithCopy(CPublic& pub, int row, char (Record::*field)[N], int copyRow, const QByteArray& text) {
    SettingsRow::Write(pub, row, field, text);
    SettingsRow::Write(pub, copyRow, &Record::flagText, text);
}

QByteArray Flag(bool set) {
    return set ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
}

void SetEntry(ParameterList& list, int entry, float value) {
    if (entry < static_cast<int>(list.size()))
        list[static_cast<std::size_t>(entry)] = value;
}

void StoreCoefficient(CPublic& pub, float k) {
    pub.calibrationCoefficient = k;
    WriteWithCopy(pub, SettingsRow::coefficient, &Record::textValue2, FlagCopyRow::coefficient,
                  CFormat(StoredFormat::coefficient, static_cast<double>(k)));
}

} // namespace

void WriteSettingsRows(CPublic& pub, const TestSettingsForm& form, const QDate& today) {
    using SettingsRow::Write;
    WriteWithCopy(pub, SettingsRow::testDate, &Record::textValue, FlagCopyRow::testDate,
                  CFormat("%04d-%02d-%02d", today.year(), today.month(), today.day()));
    Write(pub, SettingsRow::doubleCircuit, &Record::textValue2, Flag(form.circuit == JackCircuit::Double));
    Write(pub, SettingsRow::serialNumber, &Record::textLong, DeviceText::FromUnicode(form.serialNumber));
    Write(pub, SettingsRow::pileNumber, &Record::textValue, DeviceText::FromUnicode(form.pileNumber));
    WriteWithCopy(pub, SettingsRow::jackNumber, &Record::textValue, FlagCopyRow::jackNumber,
                  DeviceText::FromUnicode(form.jackNumber));
    WriteWithCopy(pub, SettingsRow::sensorNumber, &Record::textLong, FlagCopyRow::sensorNumber,
                  DeviceText::FromUnicode(form.sensorNumber));
    WriteWithCopy(pub, SettingsRow::ratedPressure, &Record::textValue, FlagCopyRow::ratedPressure,
                  StoredText(form.ratedPressure, StoredFormat::ratedPressure));
    WriteWithCopy(pub, SettingsRow::ratedForce, &Record::textValue, FlagCopyRow::ratedForce,
                  StoredText(form.ratedForce, StoredFormat::ratedForce));
    WriteWithCopy(pub, SettingsRow::jackCount, &Record::textValue, FlagCopyRow::jackCount,
                  StoredText(form.jackCount, StoredFormat::jackCount));
    WriteWithCopy(pub, SettingsRow::sensorRange, &Record::textLong, FlagCopyRow::sensorRange,
                  StoredText(form.sensorRange, StoredFormat::sensorRange));
    WriteWithCopy(pub, SettingsRow::sensitivity, &Record::textLong, FlagCopyRow::sensitivity,
                  StoredText(form.sensitivity, StoredFormat::sensitivity));
}

void ApplySettings(CPublic& pub, const TestSettingsForm& form, const SettingsValidation& validation) {
    using SettingsRow::Write;
    const bool oil = form.sensor == SensorKind::OilPressure;
    pub.doubleCircuitJack = form.circuit == JackCircuit::Double;
    pub.sensorRange = static_cast<int>(ReadNumber(form.sensorRange));
    pub.jackCount = static_cast<int>(ReadNumber(form.jackCount));
    pub.sensorSensitivity = ReadNumber(form.sensitivity);
    pub.jackRatedForce = ReadNumber(form.ratedForce);
    pub.jackRatedPressure = ReadNumber(form.ratedPressure);
    pub.jackNumber = form.jackNumber;

    pub.pressureSensor = oil ? 1 : 0;
    WriteWithCopy(pub, SettingsRow::pressureSensor, &Record::textLong, FlagCopyRow::pressureSensor, Flag(oil));
    const int mode = static_cast<int>(form.mode);
    pub.pressureMode = mode;
    // Written for both sensor kinds: a test reloaded after a power failure
    // takes its mode and calibration source from these rows.
    Write(pub, SettingsRow::pressureMode, &Record::textLong, QByteArray::number(mode));
    if (form.mode == PressureMode::CalibrationData) {
        // A force sensor has only the system calibration.
        const bool system = !oil || form.calibration == CalibrationMode::System;
        pub.calibrationSource = system ? 1 : 0;
        Write(pub, SettingsRow::calibrationSource, &Record::textLong, Flag(system));
        pub.sensorNumber = form.sensorNumber;
        if (validation.calibration)
            StoreCalibration(pub, *validation.calibration);
    }
    if (form.mode == PressureMode::Regression) {
        pub.regressionA = ReadNumber(form.regressionA);
        pub.regressionB = ReadNumber(form.regressionB);
        Write(pub, SettingsRow::regressionA, &Record::textLong, StoredText(form.regressionA, StoredFormat::regression));
        Write(pub, SettingsRow::regressionB, &Record::textLong, StoredText(form.regressionB, StoredFormat::regression));
    }

    const CalibrationSelection* table = validation.calibration ? &validation.calibration->selection : nullptr;
    if (const std::optional<float> k = LoadCoefficient(form, table))
        StoreCoefficient(pub, *k);
}

void WriteSettingsEntries(ParameterList& list, const TestSettingsForm& form) {
    SetEntry(list, Entry::doubleCircuitJack, form.circuit == JackCircuit::Double ? 1.0f : 0.0f);
    SetEntry(list, Entry::pressureSensor, form.sensor == SensorKind::OilPressure ? 1.0f : 0.0f);
    SetEntry(list, Entry::jackNumberValue, ReadNumber(form.jackNumber));
    SetEntry(list, Entry::jackRatedPressure, ReadNumber(form.ratedPressure));
    SetEntry(list, Entry::jackRatedForce, ReadNumber(form.ratedForce));
    SetEntry(list, Entry::jackCount, ReadNumber(form.jackCount));
    SetEntry(list, Entry::sensorNumberValue, ReadNumber(form.sensorNumber));
    SetEntry(list, Entry::sensorRange, ReadNumber(form.sensorRange));
    SetEntry(list, Entry::sensorSensitivity, ReadNumber(form.sensitivity));
    SetEntry(list, Entry::pileNumberValue, ReadNumber(form.pileNumber));
    SetEntry(list, Entry::serialNumberValue, ReadNumber(form.serialNumber));
    SetEntry(list, Entry::regressionA, ReadNumber(form.regressionA));
    SetEntry(list, Entry::regressionB, ReadNumber(form.regressionB));
}

void StoreTestSettings(CPublic& pub, ParameterList& list, const TestSettingsForm& form,
                       const SettingsValidation& validation, const QDate& today) {
    WriteSettingsRows(pub, form, today);
    ApplySettings(pub, form, validation);
    WriteSettingsEntries(list, form);
}
