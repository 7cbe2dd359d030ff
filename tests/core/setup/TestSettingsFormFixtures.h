#pragma once

#include "core/setup/TestSettingsForm.h"

// A form every check accepts: an oil-pressure sensor of 80 MPa and 2.13 mV/V
// on one jack of 65 MPa / 1000 kN, load computed from the rated values.
inline TestSettingsForm ValidComputedForm() {
    TestSettingsForm form;
    form.serialNumber = QStringLiteral("123456");
    form.pileNumber = QStringLiteral("0001");
    form.ratedPressure = QStringLiteral("65");
    form.ratedForce = QStringLiteral("1000");
    form.jackCount = QStringLiteral("1");
    form.sensorRange = QStringLiteral("80");
    form.sensitivity = QStringLiteral("2.13");
    form.regressionA = QStringLiteral("0");
    form.regressionB = QStringLiteral("0");
    form.sensor = SensorKind::OilPressure;
    form.mode = PressureMode::Computed;
    form.calibration = CalibrationMode::System;
    form.circuit = JackCircuit::Double;
    return form;
}
