#pragma once

#include "core/data/CalibrationSelection.h"
#include "core/data/JackRecord.h"
#include "core/data/ParameterList.h"
#include "core/data/Record.h"
#include "core/data/RowWrite.h"
#include "core/engine/RunController.h"
#include "core/remote/GprsLink.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// One load level of the summary table: its end-of-level settlement and
// time, and the same measured from the level before.
struct LevelSummary {
    std::int32_t load = 0;     // kN, or kPa for a ground test
    float levelSettlement = 0; // mm, within this level
    float cumSettlement = 0;   // mm, since the start of the test
    float levelMinutes = 0;    // minutes spent in this level
    float cumMinutes = 0;      // minutes since the start of the test
};
static_assert(sizeof(LevelSummary) == 20);

// Shown on the message line while the controller reader refuses the chosen
// calibration table (fewer than three points, or pressures not increasing).
inline constexpr const char* kCalibrationTableInvalidText = "率定数据无效，请在测试设置中重新选择率定数据！";

// Everything known about the current test: settings, the engine's schedule,
// rows and queues. One instance lives in the main window; dialogs and the
// engine get a reference to it.
//
// Threads: the user-interface thread owns every field but `run` and `gprs`. The run
// state (control state, targets, pump) and the live values belong to the
// controller worker inside `run`; this thread sends it commands and reads
// copies. The worker gets the settings it needs as copied values
// (PublishSettings, SettingsPublication.h), never from these fields.
struct CPublic {
    CPublic();
    CPublic(const CPublic&) = delete;
    CPublic& operator=(const CPublic&) = delete;

    // Fields of a new test; the parameter list is left alone.
    void ResetTest();

    RunController run;

    // --- persisted set ------------------------------------------------------
    ParameterList paramList;
    QString dataFilePath; // device path of the current data file, empty when none
    // On the simulated rig: the remark every test started here carries in its
    // data file (SimulationMark.h); empty on a real instrument. Set at start-up.
    QString simulationRemark;

    // --- lists --------------------------------------------------------------
    std::vector<Record> recordList;
    Record templateRow;
    // The upload queue with the GPRS link's state: shared with the link's
    // thread, so it guards itself.
    GprsLink gprs;
    std::vector<JackRecord> jackTable;

    // --- typed parameters ---------------------------------------------------
    std::array<int, 8> gaugeOn{}; // 1 = gauge k+1 enabled
    int gaugeMask = 0x0F;         // bit k-1 = gauge k chosen
    bool loadInKN = true;         // false: ground test, loads in kPa
    bool doubleCircuitJack = false;
    int pressureSensor = 1;      // 1 oil-pressure sensor, else force sensor
    float jackRatedPressure = 0; // MPa
    float jackRatedForce = 0;    // kN
    int jackCount = 1;
    int sensorRange = 80;                  // MPa (kN for a force sensor)
    float sensorSensitivity = 2.13f;       // mV/V
    float calibrationCoefficient = 2.077f; // K, raw counts per kN
    int loadPulseTicks = 0;
    int unloadPulseTicks = 0;
    float plateArea = 1.0f;      // m²
    float holdBand = 0;          // kN
    float stageStep = 0;         // kN
    float maxLoad = 0;           // kN
    int maxSettlement = 0;       // mm
    int maxUnevenSettlement = 0; // mm
    int loadProtectSeconds = 0;  // s
    float gaugeRangeAlarm = 0;   // mm
    float anchorUpliftAlarm = 0; // mm
    int holdMinutes = 0;
    int stableCheckMinutes = 0;
    int stableCheckCount = 0;
    float stableSettlement = 0;           // mm
    std::array<int, 6> loadIntervals{};   // minutes
    std::array<int, 6> unloadIntervals{}; // minutes
    int standardCode = 0;
    std::array<int, 3> reservedInts{}; // carried in entries 52-54
    int pressureMode = 1;              // 1 coefficient, 2 calibration table, 3 regression
    int calibrationSource = 0;         // 0 jack calibration, 1 system calibration
    float regressionA = 0;             // MPa
    float regressionB = 0;             // MPa/kN
    int bearingCapacity = 0;           // kN
    QString jackNumber;
    QString sensorNumber;
    // The points the test settings chose; the load is converted through
    // them when it comes from a calibration table.
    CalibrationSelection calibration;

    // --- channels: load and gauges 1-8 ----------------------------------------
    int loadDirection = 1;
    float loadZero = 0;                  // raw counts
    float loadOffset = 0;                // load unit
    std::array<int, 8> gaugeDirection{}; // +1 or -1
    std::array<float, 8> gaugeZero{};    // mm
    std::array<float, 8> gaugeOffset{};  // mm

    // --- the engine's schedule --------------------------------------------------
    bool autoAdvance = true;
    // Events of the load controller not yet taken by a reading: the target
    // changed (the opening reading is due), the load reached it (the
    // 0-minute reading is due; the mark books it at the stage load).
    bool stageChanged = false;
    bool stageReached = false;
    bool stageReachedMark = false;
    int stageTimer = 0;
    int fullUnloadTimer = 0;
    int readingStep = 0;
    int nextReadingTime = 0; // seconds since midnight
    int scheduleNow = 0;     // seconds since midnight
    bool windowTaken = false;
    bool stageDone = false;
    bool testFinished = false;
    bool manualReadingRequested = false;
    bool maxLoadPromptOpen = false;
    bool resyncSplit = false;
    bool resyncActive = false;
    // The held stage's reading fell due while the program was down: it is
    // taken as soon as the controller's values are fresh.
    bool missedReading = false;
    // Seconds in which the pump ran while it was commanded without a stop,
    // and the worker's run-cycle count seen at the last check.
    int pumpRunSeconds = 0;
    std::uint32_t pumpRunCyclesSeen = 0;
    bool pressureAlarm = false;
    bool unevenAlarm = false;
    int alarmSeconds = 0;
    std::uint8_t uploadFlags = 0;
    bool timeChanged = false;
    bool interruptedMark = false;
    // A running test came back after a restart with the pump gate closed;
    // cleared when the operator sets the gate.
    bool resumedPumpClosed = false;
    // How start-up restored lost settings (from the copy, from a data file);
    // shown under the alarms until the operator sets the pump gate or a new
    // test begins, since the alarm check empties alarmText every second.
    QString startupNotice;
    bool rangeAdjustPending = false;
    std::array<bool, 4> gaugeAdjusted{};
    QString alarmText;       // the alarm and message line
    QString nextReadingText; // shown as "下次采集"

    int readingCount = 0; // first row whose clock is the end mark
    int rowCount = 0;     // first row whose rowMinutes is "99999"
    // Per settlement row: its settlement is a reading's. A level's opening
    // row is not, until the level's 0-minute reading takes it over.
    std::vector<bool> rowMeasured;
    int copyCount = 0; // first row whose copyMark is the end mark

    // Level summaries and the ranges the curves are scaled to, rebuilt from
    // the settlement rows after every reading.
    std::vector<LevelSummary> levelSummaries; // completed levels, then the level in progress
    int maxLevelLoad = 0;                     // largest level load
    int levelCount = 0;                       // completed levels
    int maxMinutes = 0;                       // longest time within a level
    float maxCumSettlement = 0.1f;            // mm, at least 0.1

    bool wizardMode = false;
    int setupStep = 0;
    bool viewDirty = false;
    bool saveRequested = false;
    // Row writes of the data file that failed and are tried again every tick
    // (the rows stay in recordList meanwhile); storageFault shows the failure.
    std::vector<RowWrite> unsavedRows;
    bool storageFault = false;
};

// Validation and conversion of typed numbers, shared by every dialog.
// True for digits with at most one inner decimal point, optionally after a
// leading minus sign.
bool IsNumber(const QString& text);
// The number a "%f" scan reads from the start of the text; 0 when none.
float ReadNumber(const QString& text);
// "%02d:%02d:%02d" of a time of day; 86400 is taken off once from 86400 on.
QString FormatSeconds(int seconds);
