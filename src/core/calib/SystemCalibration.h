#pragma once

#include "core/calib/SystemCalibrationRun.h"

#include <QString>

#include <array>
#include <optional>

struct LiveSample;

// The entry boxes of the system calibration dialog.
struct SystemCalibrationForm {
    bool oilSensor = true;
    QString maxForce;      // 1001, kN
    QString pointCount;    // 1002
    QString range;         // 1003: MPa (oil) or kN (load sensor)
    QString sensitivity;   // 1005: mV/V (oil) or the calibration coefficient
    QString ratedForce;    // 1004, kN, oil only
    QString ratedPressure; // 1006, MPa, oil only
};

namespace SystemCalibrationText {
inline constexpr const char* kTitleCalibration = "系统标定-系统标定";
inline constexpr const char* kTitleCheck = "系统标定-标定检测";
inline constexpr const char* kAlreadyStarted = "标定已经开始!";
inline constexpr const char* kMaxForceInvalid = "最大力值输入有误！";
inline constexpr const char* kPointCountInvalid = "标定点数输入有误！";
inline constexpr const char* kPointCountBelow = "标定点数必须大于0";
inline constexpr const char* kPointCountAbove = "标定点数必须小于10";
inline constexpr const char* kRangeInvalid = "传感器量程输入有误！";
inline constexpr const char* kSensitivityInvalid = "传感器灵敏度输入有误！";
inline constexpr const char* kRatedForceInvalid = "千斤顶额定出力输入有误！";
inline constexpr const char* kRatedPressureInvalid = "千斤顶额定油压输入有误！";
inline constexpr const char* kCoefficientInvalid = "传感器标定系数输入有误！";
inline constexpr const char* kMaxForceZero = "标定最大力值不能为零！";
inline constexpr const char* kAboveRatedForce = "标定最大力值不允许超过千斤顶的额定出力！";
inline constexpr const char* kAboveLoadRange = "标定最大力值不允许超过荷载传感器量程！";
inline constexpr const char* kCalibrationComplete = "本次标定已经完成，请您及时记录下标定的数据！";
inline constexpr const char* kCalibrationAlreadyDone = "标定已完成，若想重新标定，请选择“新标定”键！";
inline constexpr const char* kCheckComplete = "标定检测已经完成！";
inline constexpr const char* kCheckAlreadyDone = "标定检测已完成，若想重新标定，请选择“新标定”键！";
// A point is recorded from a live value only; none has come from the controller.
inline constexpr const char* kNoLiveValue = "未收到控制器数据，无法记录！";
inline constexpr const char* kClearQuestion = "该操作会清除已经记录的数据，您确定要执行此次操作吗？";
inline constexpr const char* kEnteredCheck = "已经进入标定检测界面！";
inline constexpr const char* kClear = "清零";
inline constexpr const char* kNewCalibration = "新标定";
inline constexpr const char* kMeasuredHeader = "实测力值kN";
inline constexpr const char* kCheckHeader = "标定力值kN";
inline constexpr const char* kPressureHeader = "实测油压MPa";
inline constexpr const char* kOilRangeCaption = "油压传感器量程(MPa)";
inline constexpr const char* kLoadRangeCaption = "测力传感器量程(kN)";
inline constexpr const char* kSensitivityCaption = "传感器灵敏度(mv/V)";
inline constexpr const char* kCoefficientCaption = "传感器标定系数";
inline constexpr const char* kNotUsed = "--";
} // namespace SystemCalibrationText

// The boxes of the run: a started run as it was started, else the
// defaults of its sensor kind with F and n of the run.
SystemCalibrationForm FormOfRun(const SystemCalibrationRun& run);
// A sensor radio: that kind's defaults in the range, rated force and rated
// pressure boxes; the other boxes as typed.
SystemCalibrationForm WithSensorKind(SystemCalibrationForm form, bool oilSensor);

// "开始系统标定": checks the boxes in order and, when they pass, starts a
// new run in `run` (standard forces, K, flags). Returns the refusal or null;
// `run` is unchanged on a refusal.
const char* StartCalibration(const SystemCalibrationForm& form, SystemCalibrationRun& run);

// The live values of boxes 1106 and 1107 from the newest controller reply.
struct LiveCalibrationValues {
    QString force;    // kN; in the check pass corrected through the recorded table
    QString pressure; // MPa, "--" for a load sensor
};
LiveCalibrationValues LiveValues(const SystemCalibrationRun& run, const LiveSample& live);

// The standard force at measured force `c` along the calibration pass's
// points 0..n, the end segments extended. Empty where a segment has no width.
std::optional<float> CorrectThroughTable(const SystemCalibrationRun& run, float c);

// "标定记录": stores the live values as the next point of the pass on
// screen. `recorded` tells whether the run changed (and is to be saved and
// beeped); `message` is the box to show, if any.
struct RecordOutcome {
    bool recorded = false;
    const char* message = nullptr;
};
RecordOutcome RecordPoint(SystemCalibrationRun& run, const LiveCalibrationValues& live);

// "标定检测" and "系统标定": the check pass and back to the calibration pass.
void EnterCheckPass(SystemCalibrationRun& run);
void LeaveCheckPass(SystemCalibrationRun& run);
// "清零" / "新标定" after its question: back to a run not started, its
// settings kept for the next one.
void ClearRun(SystemCalibrationRun& run);

// Everything the dialog shows of a run besides the entry boxes.
struct SystemCalibrationView {
    QString title;
    QString forceHeader;
    QString clearCaption;
    QString nextStandard;                                                           // box 1105
    std::array<QString, kSystemCalibrationMaxPoints + 1> standard, force, pressure; // points 0-10
    bool inputsEnabled = true; // entry boxes, radios, "开始系统标定", keypad
    bool recordEnabled = false;
    bool clearEnabled = false;
    bool checkEnabled = false;
    bool calibrationViewEnabled = false;
};
SystemCalibrationView ViewOfRun(const SystemCalibrationRun& run);
