#pragma once

#include "core/data/CPublic.h"

#include <QString>

#include <map>

// What the test settings dialog shows: the typed boxes and the four radio
// choices. The dialog keeps one form, opens it with OpenTestSettingsForm,
// lets the radio handlers below change it and hands it to the confirmation.

// Control ids of the test settings dialog.
namespace TestSettingsId {
inline constexpr int serialNumber = 1001;
inline constexpr int pileNumber = 1002;
inline constexpr int jackNumber = 1003;
inline constexpr int ratedPressure = 1004;
inline constexpr int ratedForce = 1005;
inline constexpr int jackCount = 1006;
inline constexpr int sensorNumber = 1007;
inline constexpr int sensorRange = 1008;
inline constexpr int sensitivity = 1009;
inline constexpr int regressionA = 1010;
inline constexpr int regressionB = 1011;
inline constexpr int coefficient = 1027;
inline constexpr int back = 1040;
inline constexpr int confirm = 1042;
inline constexpr int doubleCircuit = 1043;
inline constexpr int singleCircuit = 1044;
inline constexpr int oilSensor = 1045;
inline constexpr int forceSensor = 1046;
inline constexpr int computedMode = 1056;
inline constexpr int calibrationDataMode = 1057;
inline constexpr int regressionMode = 1058;
inline constexpr int jackCalibration = 1059;
inline constexpr int systemCalibration = 1060;
inline constexpr int rangeLabel = 1071;
inline constexpr int sensitivityLabel = 1072;
} // namespace TestSettingsId

enum class SensorKind { OilPressure, Force }; // "油压传感器" / "测力传感器"
enum class PressureMode {
    Computed = 1,
    CalibrationData = 2,
    Regression = 3
};                                           // "计算" / "率定数据" / "回归方程"
enum class CalibrationMode { Jack, System }; // "千斤顶" / "系统"
enum class JackCircuit { Double, Single };   // "双油路千斤顶" / "单油路千斤顶"

struct TestSettingsForm {
    QString serialNumber;  // 1001 "检测流水号"
    QString pileNumber;    // 1002 "试桩编号"
    QString jackNumber;    // 1003 "千斤顶编号"
    QString ratedPressure; // 1004 "额定油压(MPa)"
    QString ratedForce;    // 1005 "额定出力(KN)"
    QString jackCount;     // 1006 "千斤顶并联台数"
    QString sensorNumber;  // 1007 "传感器编号"
    QString sensorRange;   // 1008 sensor full scale
    QString sensitivity;   // 1009 sensitivity, or a force sensor's calibration coefficient
    QString regressionA;   // 1010 "常数a"
    QString regressionB;   // 1011 "系数b"
    SensorKind sensor = SensorKind::OilPressure;
    PressureMode mode = PressureMode::Computed;
    CalibrationMode calibration = CalibrationMode::System;
    JackCircuit circuit = JackCircuit::Double;

    bool operator==(const TestSettingsForm&) const = default;
};

// The form as the dialog opens, and whether the operator may change it (not
// while a test runs and the dialog is only looked at).
struct TestSettingsOpening {
    TestSettingsForm form;
    bool editable = true;
};

// Wizard: the boxes from the settings list (entries 10 and 11 that print as
// no number are repaired to 1.0 there) and the pile number handed in.
// Alone without a test: the defaults. Alone during a test: what the test
// runs with, from the record list and the typed parameters.
TestSettingsOpening OpenTestSettingsForm(const CPublic& pub, ParameterList& list, const QString& pileNumber);

// "测试设置", the padding and "文件名: ", then outside the wizard the data
// file's name: the last 15 characters of its path for a serial number of up
// to six digits, the last 21 for a longer one.
QString TestSettingsCaption(const CPublic& pub, const ParameterList& list);

// Enabled state of the controls the sensor and pressure mode decide, by
// control id. Also settles the radio choices the mode implies: a force
// sensor has no regression mode and takes calibration data from the system
// calibration only.
std::map<int, bool> UpdateModeControls(TestSettingsForm& form);

// Captions of labels 1071 and 1072 once a sensor radio has been touched.
struct SensorLabels {
    QString range;
    QString sensitivity;
};
SensorLabels SensorLabelsFor(SensorKind sensor);

// A sensor radio was clicked. Refused (false) once the test has begun to
// load. In the wizard the range box gets the kind's usual full scale.
bool ChooseSensor(TestSettingsForm& form, SensorKind sensor, const CPublic& pub);

// A calibration radio was clicked. During a test the sensor follows the
// stored settings again, so a stray click cannot change it.
void ChooseCalibration(TestSettingsForm& form, CalibrationMode calibration, const CPublic& pub,
                       const ParameterList& list);

// "%f"-style text without its trailing zeros and then a trailing point
// ("2.130000" -> "2.13", "80.000" -> "80"); texts without an inner point stay.
QString TrimTrailingZeros(const QString& text);
