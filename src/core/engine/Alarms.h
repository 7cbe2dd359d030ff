#pragma once

struct CPublic;
struct LiveSample;
struct RunState;

inline constexpr const char* kLinkFaultText = "控制器通讯出现故障！";
// The load went above the test's maximum load.
inline constexpr const char* kOverloadText = "荷载超过限制荷载值!";
// The upload queue could not be saved; its frames wait in memory.
inline constexpr const char* kUploadQueueSaveFailedText = "上传数据存储失败,请检查磁盘!";

// What the once-a-second alarm check asks of the main window.
struct AlarmOutcome {
    bool playBeep = false;         // the beep sound file
    bool clearMessageLine = false; // the message line is blanked until the next live refresh
};

// The alarm checks of a running, not paused test: pump running too long
// without reaching its load, a load above the maximum, uneven settlement,
// settlement and anchor uplift limits, gauges near the end of their range, the remote link and
// an upload queue that could not be saved.
// Every alarm sets `alarmText` (the last one wins) and the controller buzzer;
// a pressure, overload, uneven-settlement or settlement alarm that lasts into its
// third second closes the pump gate. While the controller link is at fault
// only its alarm is raised. `run` and `live` are the tick's one
// view of the run state and one live sample.
AlarmOutcome CheckAlarms(CPublic& pub, const RunState& run, const LiveSample& live);
