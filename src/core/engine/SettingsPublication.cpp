#include "core/engine/SettingsPublication.h"

#include "core/data/CPublic.h"
#include "core/link/MeasurementConversion.h"
#include "core/view/RoundDecimals.h"

namespace {

ControlSettings ControlSettingsOf(const CPublic& pub) {
    return ControlSettings{
        .gaugeMask = pub.gaugeMask,
        .stageStep = pub.stageStep,
        .holdBand = pub.holdBand,
        .doubleCircuitJack = pub.doubleCircuitJack,
        .loadPulseTicks = pub.loadPulseTicks,
        .unloadPulseTicks = pub.unloadPulseTicks,
    };
}

ConversionSettings ConversionSettingsOf(const CPublic& pub) {
    ConversionSettings s;
    s.loadInKN = pub.loadInKN;
    s.pressureSensor = pub.pressureSensor;
    s.sensorRange = pub.sensorRange;
    s.sensorSensitivity = pub.sensorSensitivity;
    s.calibrationCoefficient = pub.calibrationCoefficient;
    s.jackCount = pub.jackCount;
    s.plateArea = pub.plateArea;
    s.pressureMode = pub.pressureMode;
    s.calibrationSource = pub.calibrationSource;
    s.regressionA = pub.regressionA;
    s.regressionB = pub.regressionB;
    s.calibration = pub.calibration;
    s.settlementDecimals = SettlementDecimals(pub.standardCode);
    s.gaugeRangeAlarm = pub.gaugeRangeAlarm;
    s.gaugeOn = pub.gaugeOn;
    s.loadZero = pub.loadZero;
    s.loadOffset = pub.loadOffset;
    s.gaugeDirection = pub.gaugeDirection;
    s.gaugeZero = pub.gaugeZero;
    s.gaugeOffset = pub.gaugeOffset;
    return s;
}

} // namespace

void PublishSettings(CPublic& pub) {
    ConversionSettings conversion = ConversionSettingsOf(pub);
    ApplyConversionDefaults(conversion);
    pub.plateArea = conversion.plateArea;
    pub.sensorSensitivity = conversion.sensorSensitivity;
    pub.calibrationCoefficient = conversion.calibrationCoefficient;
    pub.jackCount = conversion.jackCount;
    pub.run.SetConversionSettings(conversion);
    pub.run.SetControlSettings(ControlSettingsOf(pub));
    pub.gprs.SetUploadOff(ParameterAt(pub.paramList, Entry::uploadOff) != 0.0f);
}
