#pragma once

#include <array>

// Toolbar command identifiers.
namespace CommandId {
inline constexpr int newTest = 32771;
inline constexpr int openFile = 32772;
inline constexpr int channelSettings = 32773;
inline constexpr int testSettings = 32774;
inline constexpr int loadControlSettings = 32775;
inline constexpr int standardSelection = 32776;
inline constexpr int testControl = 32777;
inline constexpr int zeroSettings = 32778;
inline constexpr int nextTable = 32779;
inline constexpr int nextCurve = 32780;
inline constexpr int jackCalibration = 32781;
inline constexpr int exportData = 32782;
inline constexpr int softwareUpgrade = 32783;
inline constexpr int systemCalibration = 32786;
} // namespace CommandId

// When a toolbar command may be used.
enum class CommandAvailability {
    Always,
    NoTestActive,   // no test running and the test not paused
    NoTestRunning,  // no test running
    NotViewingFile, // no stored file open for viewing (fileMode != 2)
};

struct ToolbarCommand {
    int id;
    const char* caption; // UTF-8
    CommandAvailability availability;
    bool startsGroup; // a separator comes before it
};

// The toolbar, left to right.
inline constexpr std::array<ToolbarCommand, 14> kToolbarCommands{{
    {CommandId::newTest, "新试桩", CommandAvailability::NoTestRunning, false},
    {CommandId::openFile, "打开文件", CommandAvailability::NoTestActive, false},
    {CommandId::channelSettings, "通道设置", CommandAvailability::NotViewingFile, true},
    {CommandId::testSettings, "测试设置", CommandAvailability::NotViewingFile, false},
    {CommandId::loadControlSettings, "控载设置", CommandAvailability::NotViewingFile, false},
    {CommandId::standardSelection, "规范选择", CommandAvailability::NotViewingFile, false},
    {CommandId::testControl, "测试控制", CommandAvailability::NotViewingFile, false},
    {CommandId::zeroSettings, "数据设置", CommandAvailability::NotViewingFile, true},
    {CommandId::nextTable, "表格选择", CommandAvailability::Always, true},
    {CommandId::nextCurve, "曲线选择", CommandAvailability::Always, false},
    {CommandId::jackCalibration, "率定数据", CommandAvailability::NoTestActive, true},
    {CommandId::systemCalibration, "系统标定", CommandAvailability::NoTestActive, false},
    {CommandId::exportData, "数据导出", CommandAvailability::NotViewingFile, true},
    {CommandId::softwareUpgrade, "软件升级", CommandAvailability::NoTestActive, false},
}};

// What the enabling rules look at.
struct ToolbarConditions {
    bool running;
    bool paused;
    int fileMode;
};

bool IsCommandEnabled(CommandAvailability availability, const ToolbarConditions& now);
