#include "core/setup/ApplyTestSettings.h"

#include "core/data/CFormat.h"
#include "core/data/DeviceText.h"
#include "core/data/ParameterRows.h"
#include "core/setup/LoadCoefficient.h"
#include "core/setup/TestSettingsRows.h"

namespace {

// A setting whose text also goes to the flag field of its copy row.
void WriteWithCopy(CPublic& pub, ParameterText id, int copyRow, const QByteArray& text) {
    WriteParameterText(pub, id, text);
    if (copyRow < static_cast<int>(pub.recordList.size()))
        SetFieldText(pub.recordList[static_cast<std::size_t>(copyRow)].flagText, text);
}

void SetEntry(ParameterList& list, int entry, float value) {
    if (entry < static_cast<int>(list.size()))
        list[static_cast<std::size_t>(entry)] = value;
}

void StoreCoefficient(CPublic& pub, float k) {
    pub.calibrationCoefficient = k;
    WriteWithCopy(pub, ParameterText::calibrationCoefficient, FlagCopyRow::coefficient,
                  CFormat(StoredFormat::coefficient, static_cast<double>(k)));
}

} // namespace

void WriteSettingsRows(CPublic& pub, const TestSettingsForm& form, const QDate& today) {
    WriteWithCopy(pub, ParameterText::testDate, FlagCopyRow::testDate, DateText(today));
    WriteParameterText(pub, ParameterText::doubleCircuit, FlagText(form.circuit == JackCircuit::Double));
    WriteParameterText(pub, ParameterText::serialNumber, DeviceText::FromUnicode(form.serialNumber));
    WriteParameterText(pub, ParameterText::pileNumber, DeviceText::FromUnicode(form.pileNumber));
    WriteWithCopy(pub, ParameterText::jackNumber, FlagCopyRow::jackNumber,
                  DeviceText::FromUnicode(form.jackNumber));
    WriteWithCopy(pub, ParameterText::sensorNumber, FlagCopyRow::sensorNumber,
                  DeviceText::FromUnicode(form.sensorNumber));
    WriteWithCopy(pub, ParameterText::ratedPressure, FlagCopyRow::ratedPressure,
                  StoredText(form.ratedPressure, StoredFormat::ratedPressure));
    WriteWithCopy(pub, ParameterText::ratedForce, FlagCopyRow::ratedForce,
                  StoredText(form.ratedForce, StoredFormat::ratedForce));
    WriteWithCopy(pub, ParameterText::jackCount, FlagCopyRow::jackCount,
                  StoredText(form.jackCount, StoredFormat::jackCount));
    WriteWithCopy(pub, ParameterText::sensorRange, FlagCopyRow::sensorRange,
                  StoredText(form.sensorRange, StoredFormat::sensorRange));
    WriteWithCopy(pub, ParameterText::sensitivity, FlagCopyRow::sensitivity,
                  StoredText(form.sensitivity, StoredFormat::sensitivity));
}

void ApplySettings(CPublic& pub, const TestSettingsForm& form, const SettingsValidation& validation) {
    const bool oil = form.sensor == SensorKind::OilPressure;
    pub.doubleCircuitJack = form.circuit == JackCircuit::Double;
    pub.sensorRange = static_cast<int>(ReadNumber(form.sensorRange));
    pub.jackCount = static_cast<int>(ReadNumber(form.jackCount));
    pub.sensorSensitivity = ReadNumber(form.sensitivity);
    pub.jackRatedForce = ReadNumber(form.ratedForce);
    pub.jackRatedPressure = ReadNumber(form.ratedPressure);
    pub.jackNumber = form.jackNumber;

    pub.pressureSensor = oil ? 1 : 0;
    WriteWithCopy(pub, ParameterText::pressureSensor, FlagCopyRow::pressureSensor, FlagText(oil));
    const int mode = static_cast<int>(form.mode);
    pub.pressureMode = mode;
    // Written for both sensor kinds: a test reloaded after a power failure
    // takes its mode and calibration source from these rows.
    WriteParameterText(pub, ParameterText::pressureMode, QByteArray::number(mode));
    if (form.mode == PressureMode::CalibrationData) {
        // A force sensor has only the system calibration.
        const bool system = !oil || form.calibration == CalibrationMode::System;
        pub.calibrationSource = system ? 1 : 0;
        WriteParameterText(pub, ParameterText::calibrationSource, FlagText(system));
        pub.sensorNumber = form.sensorNumber;
        if (validation.calibration)
            StoreCalibration(pub, *validation.calibration);
    }
    if (form.mode == PressureMode::Regression) {
        pub.regressionA = ReadNumber(form.regressionA);
        pub.regressionB = ReadNumber(form.regressionB);
        WriteParameterText(pub, ParameterText::regressionA,
                           StoredText(form.regressionA, StoredFormat::regression));
        WriteParameterText(pub, ParameterText::regressionB,
                           StoredText(form.regressionB, StoredFormat::regression));
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
