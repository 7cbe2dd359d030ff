#include "core/setup/ConfirmTestSettings.h"

#include "core/data/KVTFile.h"
#include "core/setup/LoadCoefficient.h"

#include <cmath>

namespace {

const QString kNoCalibrationMessage = QStringLiteral("未找到与输入编号相符的率定数据！");

// A numeric box with its two messages. "Greater than 0" is judged on the
// value as the test stores it: a value that its stored text or whole-number
// field turns into 0 would later divide by zero.
struct NumberRule {
    QString TestSettingsForm::*box;
    const char* notNumber;
    const char* notPositive;
    const char* storedFormat;
    bool wholeNumberField; // the typed field keeps only the integer part
};

const NumberRule kSensorRange{&TestSettingsForm::sensorRange, "传感器满量程值要求为数字！",
                              "传感器满量程值要大于0！", StoredFormat::sensorRange, true};
const NumberRule kJackCount{&TestSettingsForm::jackCount, "千斤顶并联台数要求为数字！",
                            "千斤顶并联台数要大于0！", StoredFormat::jackCount, true};
const NumberRule kSensitivity{&TestSettingsForm::sensitivity, "传感器灵敏度要求为数字！",
                              "传感器灵敏度要大于0！", StoredFormat::sensitivity, false};
const NumberRule kForceCoefficient{&TestSettingsForm::sensitivity, "传感器标定系数要求为数字！",
                                   "传感器标定系数要大于0！", StoredFormat::sensitivity, false};
const NumberRule kRatedForce{&TestSettingsForm::ratedForce, "千斤顶额定出力值要求为数字！",
                             "千斤顶额定出力值要大于0！", StoredFormat::ratedForce, false};
const NumberRule kRatedPressure{&TestSettingsForm::ratedPressure, "千斤顶额定油压值要求为数字！",
                                "千斤顶额定油压值要大于0！", StoredFormat::ratedPressure, false};
const NumberRule kRegressionB{&TestSettingsForm::regressionB, "千斤顶回归方程系数b要求为数字！",
                              "千斤顶回归方程系数b要大于0！", StoredFormat::regression, false};

QString Check(const TestSettingsForm& form, const NumberRule& rule) {
    const QString& text = form.*rule.box;
    if (!IsNumber(text))
        return QString::fromUtf8(rule.notNumber);
    const bool positive = StoredValue(text, rule.storedFormat) > 0.0f &&
                          (!rule.wholeNumberField || std::trunc(ReadNumber(text)) > 0.0f);
    return positive ? QString() : QString::fromUtf8(rule.notPositive);
}

// The first refusal among the rules, in order.
QString CheckAll(const TestSettingsForm& form, std::initializer_list<const NumberRule*> rules) {
    for (const NumberRule* rule : rules) {
        if (QString refusal = Check(form, *rule); !refusal.isEmpty())
            return refusal;
    }
    return {};
}

// The outcome of a check that needs no calibration record.
SettingsValidation Verdict(const QString& refusal) {
    return {refusal, std::nullopt};
}

SettingsValidation Lookup(const KVTFile& files, const CalibrationQuery& query) {
    std::optional<CalibrationLookup> found = LookupCalibration(files, query);
    if (!found)
        return Verdict(kNoCalibrationMessage);
    return {QString(), std::move(found)};
}

SettingsValidation ValidateOilCalibrationData(const TestSettingsForm& form, const KVTFile& files) {
    if (form.calibration == CalibrationMode::Jack) {
        if (form.jackNumber.isEmpty())
            return Verdict(QStringLiteral("千斤顶编号不能为空!"));
        SettingsValidation validation = Lookup(files, CalibrationQuery::JackTable(form.jackNumber));
        // A record without a single usable point gives no coefficient.
        if (validation.calibration && !LoadCoefficient(form, &validation.calibration->selection))
            return Verdict(kNoCalibrationMessage);
        return validation;
    }
    if (form.sensorNumber.isEmpty())
        return Verdict(QStringLiteral("传感器编号不能为空！"));
    return Lookup(files, CalibrationQuery::OilSystem(form.sensorNumber, form.jackNumber));
}

SettingsValidation ValidateOilSensor(const TestSettingsForm& form, const KVTFile& files) {
    if (QString refusal = Check(form, kSensitivity); !refusal.isEmpty())
        return Verdict(refusal);
    switch (form.mode) {
    case PressureMode::Computed:
        return Verdict(CheckAll(form, {&kRatedForce, &kRatedPressure}));
    case PressureMode::CalibrationData:
        if (QString refusal = CheckAll(form, {&kRatedForce, &kRatedPressure}); !refusal.isEmpty())
            return Verdict(refusal);
        return ValidateOilCalibrationData(form, files);
    case PressureMode::Regression:
        if (!IsNumber(form.regressionA))
            return Verdict(QStringLiteral("千斤顶回归方程系数a要求为数字！"));
        return Verdict(Check(form, kRegressionB));
    }
    return {};
}

SettingsValidation ValidateForceSensor(const TestSettingsForm& form, const KVTFile& files) {
    if (QString refusal = CheckAll(form, {&kForceCoefficient, &kRatedForce, &kRatedPressure});
        !refusal.isEmpty())
        return Verdict(refusal);
    if (form.mode == PressureMode::Computed)
        return {};
    if (form.sensorNumber.isEmpty())
        return Verdict(QStringLiteral("传感器编号不能为空！"));
    return Lookup(files, CalibrationQuery::ForceSystem(form.sensorNumber));
}

} // namespace

QString CheckWizardIdentity(const TestSettingsForm& form) {
    const QString& serial = form.serialNumber;
    if (serial.isEmpty())
        return QStringLiteral("检测流水号不能为空！");
    if (serial.size() != 6 && serial.size() != 12)
        return QStringLiteral("检测流水号要求为6位或12位数字！");
    if (form.pileNumber.isEmpty())
        return QStringLiteral("试桩编号不能为空！");
    if (form.pileNumber.size() != 4)
        return QStringLiteral("桩号要求为4位数字！");
    // A count that is no number at all is left to the settings checks,
    // which say so more precisely.
    if (IsNumber(form.jackCount) && !(ReadNumber(form.jackCount) > 0.0f))
        return QStringLiteral("千斤顶并联数量必须大于0");
    if (!IsNumber(serial))
        return QStringLiteral("请正确输入检测流水号！");
    if (ReadNumber(serial) == 0.0f)
        return QStringLiteral("检测流水号输入不正确！");
    return {};
}

SettingsValidation ValidateSettings(const TestSettingsForm& form, const KVTFile& files) {
    if (QString refusal = CheckAll(form, {&kSensorRange, &kJackCount}); !refusal.isEmpty())
        return Verdict(refusal);
    return form.sensor == SensorKind::OilPressure ? ValidateOilSensor(form, files)
                                                  : ValidateForceSensor(form, files);
}

QString NewDataFilePath(const TestSettingsForm& form) {
    return QStringLiteral("\\硬盘\\APP\\") + form.serialNumber + QLatin1Char('-') + form.pileNumber +
           QStringLiteral(".kvt");
}

bool ClaimDataFile(CPublic& pub, const KVTFile& files, const QString& path) {
    pub.dataFilePath = path;
    if (files.DataFileMissing(path))
        return true;
    std::vector<Record> rows;
    const bool taken = files.CountRecords(path) >= 1 || !files.ReadDataFile(path, rows);
    if (taken)
        pub.dataFilePath.clear();
    return !taken;
}
