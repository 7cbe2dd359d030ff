#pragma once

#include "core/data/JackRecord.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// What the jack calibration dialog shows of one group: the texts of its
// boxes, point 0 (zero load) first, then points 1-10.
struct JackGroupForm {
    bool system = false; // "系统" rather than "千斤顶"
    QString jackNumber;
    QString sensorNumber;
    QString maxForce;
    QString pointCount;
    std::array<QString, kJackPoints + 1> standardForce; // kN
    std::array<QString, kJackPoints + 1> measured;      // MPa (jack) or kN (system)
};

namespace JackCalibrationText {
inline constexpr const char* kSensorNumberEmpty = "传感器编号不能为空！";
inline constexpr const char* kJackNumberEmpty = "千斤顶编号不能为空！";
inline constexpr const char* kMaxForceNotNumber = "率定最大力值要求为数字！";
inline constexpr const char* kMaxForceZero = "标定最大力值不能为零！";
inline constexpr const char* kPointCountInvalid = "标定点数要求为1-10内的数字！";
inline constexpr const char* kPointMissing = "各率定点数据必须输满，返回上一组或其他页面取消输入！";
inline constexpr const char* kPointInvalid = "率定数据输入有误！";
inline constexpr const char* kZeroInvalid = "率定零点数据输入有误！";
inline constexpr const char* kAlreadySaved = "该组数据已经保存过！";
// The load conversion interpolates between points 1..n and needs at least
// three of them, with the standard forces and the measured values rising.
inline constexpr const char* kTooFewPoints = "率定点数不能少于3点！";
inline constexpr const char* kForcesNotRising = "标准力值必须逐点增大，请重新生成标准力值！";
inline constexpr const char* kMeasuredNotRising = "各率定点实测数据必须逐点增大！";
inline constexpr const char* kNextRefused = "数据输入有误或未保存该组数据!";
inline constexpr const char* kSaveQuestion = "保存后的率定数据将不能修改，您确定要保存吗？";
inline constexpr const char* kSaved = "率定数据已保存！";
inline constexpr const char* kSaveFailed = "率定数据保存失败！";
inline constexpr const char* kDeleteWhileRunning = "试桩正在进行，无法进行删除操作！";
inline constexpr const char* kDeleteQuestion = "您确认删除该组率定数据吗？";
inline constexpr const char* kJackHeader = "实测油压MPa";
inline constexpr const char* kJackRadioHeader = "实测压强MPa";
inline constexpr const char* kSystemHeader = "实测力值kN";
} // namespace JackCalibrationText

// "第%d组       共10组".
QString GroupLabel(int group);

// The boxes of a stored record: values "%.2f", the point count "%d".
JackGroupForm FormOfRecord(const JackRecord& record);

// "生成标准力值": the standard forces of points 0..n, (F / n) x i in integer
// arithmetic, or the message that refuses them.
struct StandardForces {
    const char* refusal = nullptr;
    int pointCount = 0;
    std::array<int, kJackPoints + 1> force{}; // kN, points 0..pointCount
};
StandardForces GenerateStandardForces(const JackGroupForm& form);

// Checks the group's boxes and, when they pass, writes them into `record`
// as a saved group. Returns the message of the first failed check, or null.
// `record` is left unchanged on a refusal.
const char* StoreGroup(const JackGroupForm& form, JackRecord& record);

// "下一组" from `group` (1-10): the group to show, or the message that keeps
// the operator on this one. A silent refusal keeps the group and has no message.
struct GroupMove {
    int group = 1;
    const char* refusal = nullptr;
};
GroupMove NextGroup(const std::vector<JackRecord>& table, int group, bool testRunning);
int PreviousGroup(int group);

// "删除": the groups after `group` move up one place and the tenth becomes blank.
void DeleteGroup(std::vector<JackRecord>& table, int group);

// The ten groups as the dialog keeps them: blanks read over by the file.
std::vector<JackRecord> BlankJackTable();
