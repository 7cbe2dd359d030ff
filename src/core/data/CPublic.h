#pragma once

#include "core/data/JackRecord.h"
#include "core/data/ParameterList.h"
#include "core/data/Record.h"
#include "core/data/UploadQueue.h"

#include <QString>

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

// The jack calibration points chosen in the test settings: the load channel
// is converted through them when the load comes from a calibration table.
struct CalibrationSelection {
    std::array<float, 10> calibrationPressures{}; // p[i]: MPa, or scaled counts of a system calibration
    std::array<float, 10> calibrationLoads{};     // l[i]: kN, one jack
    int pointCount = 0;                           // n: points in use
    int jackCalibrationIndex = 0;                 // the chosen record of jackTable
};

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

// Values of the pump gate, the first byte of every controller command.
namespace PumpGate {
inline constexpr std::uint8_t closed = 0x40; // '@': pump prohibited
inline constexpr std::uint8_t open = 0;
} // namespace PumpGate

// Everything known about the current test: settings, run state, rows and
// queues. One instance lives in the main window; dialogs and the engine get
// a reference to it.
//
// Threads: the user-interface thread owns the object. The controller worker
// (every 200 ms) and reader (per reply) read settings and write the run-state
// and live fields, so every scalar they can touch is a std::atomic; a value
// may be one cycle old, never torn. Lists and texts are user-interface only,
// except the upload queue and the calibration selection, which guard themselves.
struct CPublic {
    CPublic();
    CPublic(const CPublic&) = delete;
    CPublic& operator=(const CPublic&) = delete;

    // Fields of a new test; the parameter list is left alone.
    void ResetTest();

    // --- persisted set ------------------------------------------------------
    ParameterList paramList;
    QString dataFilePath; // device path of the current data file, empty when none

    // --- lists --------------------------------------------------------------
    std::vector<Record> recordList;
    Record templateRow;
    UploadQueue uploadQueue;
    std::vector<JackRecord> jackTable;

    // --- typed parameters ---------------------------------------------------
    std::array<std::atomic<int>, 8> gaugeOn; // 1 = gauge k+1 enabled
    std::atomic<int> gaugeMask{0x0F};        // bit k-1 = gauge k chosen
    std::atomic<bool> loadInKN{true};        // false: ground test, loads in kPa
    std::atomic<bool> doubleCircuitJack{false};
    std::atomic<int> pressureSensor{1}; // 1 oil-pressure sensor, else force sensor
    std::atomic<float> jackRatedPressure{0}; // MPa
    std::atomic<float> jackRatedForce{0};    // kN
    std::atomic<int> jackCount{1};
    std::atomic<int> sensorRange{80};          // MPa (kN for a force sensor)
    std::atomic<float> sensorSensitivity{2.13f}; // mV/V
    std::atomic<float> calibrationCoefficient{2.077f}; // K, raw counts per kN
    std::atomic<int> loadPulseTicks{0};
    std::atomic<int> unloadPulseTicks{0};
    std::atomic<float> plateArea{1.0f}; // m²
    std::atomic<float> holdBand{0};     // kN
    std::atomic<float> stageStep{0};    // kN
    std::atomic<float> maxLoad{0};      // kN
    std::atomic<int> maxSettlement{0};       // mm
    std::atomic<int> maxUnevenSettlement{0}; // mm
    std::atomic<int> loadProtectSeconds{0};  // s
    std::atomic<float> gaugeRangeAlarm{0};   // mm
    std::atomic<float> anchorUpliftAlarm{0}; // mm
    std::atomic<int> holdMinutes{0};
    std::atomic<int> stableCheckMinutes{0};
    std::atomic<int> stableCheckCount{0};
    std::atomic<float> stableSettlement{0}; // mm
    std::array<int, 6> loadIntervals{};   // minutes
    std::array<int, 6> unloadIntervals{}; // minutes
    std::atomic<int> standardCode{0};
    std::array<int, 3> reservedInts{}; // carried in entries 52-54
    std::atomic<int> pressureMode{1};  // 1 coefficient, 2 calibration table, 3 regression
    std::atomic<int> calibrationSource{0}; // 0 jack calibration, 1 system calibration
    std::atomic<float> regressionA{0};     // MPa
    std::atomic<float> regressionB{0};     // MPa/kN
    std::atomic<int> bearingCapacity{0};   // kN
    QString jackNumber;
    QString sensorNumber;

    // --- channels: load and gauges 1-8 ----------------------------------------
    std::atomic<int> loadDirection{1};
    std::atomic<float> loadZero{0};   // raw counts
    std::atomic<float> loadOffset{0}; // load unit
    std::array<std::atomic<int>, 8> gaugeDirection;  // +1 or -1
    std::array<std::atomic<float>, 8> gaugeZero;     // mm
    std::array<std::atomic<float>, 8> gaugeOffset;   // mm
    // Held while a reply is converted and while the zeros, offsets and
    // directions change together, so no reply is converted with half of a
    // new setting (a zero taken without its offset reads as a jump).
    mutable std::mutex conversionMutex;

    // --- live values, written by the controller reader -------------------------
    std::atomic<float> loadRaw{0};
    std::atomic<float> loadCounts{0};
    std::atomic<float> oilPressure{0}; // MPa
    std::atomic<float> currentLoad{0}; // test's load unit
    std::array<std::atomic<float>, 8> gaugeReading; // mm, at recording resolution
    std::array<std::atomic<float>, 8> gaugeValue;   // corrected settlement, mm
    std::array<std::atomic<bool>, 8> nearRange;
    std::atomic<float> liveAverage{0}; // mm, enabled gauges among 1-4

    // --- run state ------------------------------------------------------------
    std::atomic<bool> running{false};
    std::atomic<int> controlState{0}; // 0 wait, 1 load, 2 hold, 3 re-load, 4 stable, 5 unload, 6 hold unload
    std::atomic<float> targetLoad{0};
    std::atomic<float> lastTarget{0};
    std::atomic<bool> autoAdvance{true};
    std::atomic<bool> stageChanged{false};
    std::atomic<bool> stageReached{false};
    std::atomic<bool> stageReachedMark{false};
    std::atomic<int> stageTimer{0};
    std::atomic<int> fullUnloadTimer{0};
    std::atomic<int> readingStep{0};
    std::atomic<int> nextReadingTime{0}; // seconds since midnight
    std::atomic<int> scheduleNow{0};     // seconds since midnight
    std::atomic<bool> windowTaken{false};
    std::atomic<bool> stageDone{false};
    std::atomic<bool> testFinished{false};
    std::atomic<bool> pausedFlag{false};
    std::atomic<bool> manualLoad{false};
    std::atomic<std::uint8_t> pumpGate{PumpGate::open};
    std::atomic<int> pumpSpeed{0};
    std::atomic<int> pulseCounter{0};
    std::atomic<float> pulseStartLoad{0};
    std::atomic<bool> nearTarget{false};
    std::atomic<int> buzzerCode{0};
    std::atomic<int> buzzerPhase{0};
    std::atomic<int> beepTicks{0};
    std::atomic<bool> manualReadingRequested{false};
    std::atomic<bool> maxLoadPromptOpen{false};
    std::atomic<bool> resyncSplit{false};
    std::atomic<bool> resyncActive{false};
    std::atomic<int> pumpRunSeconds{0};
    std::atomic<bool> pressureAlarm{false};
    std::atomic<bool> unevenAlarm{false};
    std::atomic<int> alarmSeconds{0};
    std::atomic<std::uint8_t> uploadFlags{0};
    std::atomic<int> gprsState{0}; // GPRS link: 2 sent, 3 not registered, 4 test passed, 5 no answer, 6 test failed
    std::atomic<bool> timeChanged{false};
    std::atomic<bool> interruptedMark{false};
    std::atomic<bool> rangeAdjustPending{false};
    std::array<std::atomic<bool>, 4> gaugeAdjusted;
    QString alarmText;       // the alarm and message line
    QString nextReadingText; // shown as "下次采集"

    std::atomic<int> readingCount{0}; // first row whose clock is the end mark
    std::atomic<int> rowCount{0};     // first row whose rowMinutes is "99999"
    std::atomic<int> copyCount{0};    // first row whose copyMark is the end mark

    // Level summaries and the ranges the curves are scaled to, rebuilt from
    // the settlement rows after every reading. User-interface thread only.
    std::vector<LevelSummary> levelSummaries; // completed levels, then the level in progress
    int maxLevelLoad = 0;                     // largest level load
    int levelCount = 0;                       // completed levels
    int maxMinutes = 0;                       // longest time within a level
    float maxCumSettlement = 0.1f;            // mm, at least 0.1

    // Set by the controller reader while the chosen calibration table cannot
    // convert the load (the load then keeps its last value); cleared by the
    // next conversion through a usable table.
    std::atomic<bool> calibrationTableRefused{false};

    // The test settings (user-interface thread) choose the calibration points;
    // the controller reader takes a copy for every reply.
    void SetCalibrationSelection(const CalibrationSelection& selection);
    CalibrationSelection GetCalibrationSelection() const;

    std::atomic<bool> wizardMode{false};
    std::atomic<int> setupStep{0};
    std::atomic<bool> viewDirty{false};
    std::atomic<bool> saveRequested{false};

private:
    mutable std::mutex m_calibrationMutex; // guards m_calibration
    CalibrationSelection m_calibration;
};

// Validation and conversion of typed numbers, shared by every dialog.
// True for digits with at most one inner decimal point, optionally after a
// leading minus sign.
bool IsNumber(const QString& text);
// The number a "%f" scan reads from the start of the text; 0 when none.
float ReadNumber(const QString& text);
// "%02d:%02d:%02d" of a time of day; 86400 is taken off once from 86400 on.
QString FormatSeconds(int seconds);
