#pragma once

#include <QString>

#include <functional>

#include <cstdint>

class Clock;
class KVTFile;
struct CPublic;
struct RunState;

// What the engine asks of the main window; all run on the user-interface thread.
struct EngineHooks {
    // Shows the maximum-load prompt and returns at once: the schedule,
    // alarms and clock go on while it is open. The answer arrives as
    // ConfirmUnloading ("确定") or KeepLoad ("取消").
    std::function<void(const QString& text)> offerUnloadAtMaxLoad;
    std::function<void()> playBeep;     // the beep sound file, asynchronously
    std::function<void()> readingTaken; // tables and curves follow the new reading
    // The main window resets its own view fields and repaints.
    std::function<void()> newTestResetDone;
    // The alarm check blanks the message line until the next live refresh.
    std::function<void()> clearMessageLine;
};

// The once-a-second part of the test run: the reading schedule of the held
// stage, stage advance, unloading and the automatic end, alarms; and the
// operator's stage commands. The 200 ms load-control step runs on the
// controller worker (ControlStateMachine.h); the engine reads the worker's
// published run state and sends it commands (CPublic::run).
class TestEngine {
  public:
    TestEngine(CPublic& pub, const KVTFile& files, const Clock& clock, EngineHooks hooks = {});

    // User-interface thread, every second.
    void ScheduleTick();

    // Operator commands, after their question was answered with Yes.
    // StartTest returns the message to show when the test cannot start,
    // EndTest the message that tells the operator the test ended.
    QString StartTest(bool uploadAtReading);
    QString EndTest();
    void PauseTest();
    void ResumeTest();
    void RequestManualReading();
    void LoadNextStage();
    void UnloadNextStage();

    // The once-a-minute live frame for the GPRS link (the main window counts
    // the minute and checks the upload switches).
    void QueueLiveFrame();

    // The maximum-load prompt's answers, whenever the operator gives them.
    void ConfirmUnloading();
    void KeepLoad();
    QString MaxLoadPromptText() const;

    // The new-test reset runs on the main window's tick after its request;
    // a request made while one is pending runs one tick later.
    void RequestNewTestReset();
    void CarryOutNewTestReset();

  private:
    void TakeControllerEvents(const RunState& run);
    void Read();
    bool ReadingDue(int now);
    int RealignedReadingTime(int now) const;
    void ScheduleNextReading(int next, int now);
    void KeepMinuteAndSecond(int time);
    bool ValuesStale() const;
    void ShowNextReading();
    void HoldingSchedule(int now);
    void StageAdvance();
    void OfferUnloadAtMaxLoad();
    void UnloadingSignal();
    void UnloadingSchedule(int now);
    bool FinalReadingsComplete() const;
    void FinishTest();
    QString EndMessage() const;
    void StoreEnd();
    void Beep();
    void SaveSettingsAndCopy();
    void RemoveSentUploadQueue();
    void NewTestReset();

    CPublic& m_pub;
    const KVTFile& m_files;
    const Clock& m_clock;
    EngineHooks m_hooks;
    // Minute and second of the schedule kept across a pause.
    int m_resyncMinute = 0;
    int m_resyncSecond = 0;
    int m_missedReadingWait = 0; // ticks a missed reading has waited for fresh values
    int m_pendingResets = 0;
    // The load controller's event counts already taken.
    std::uint32_t m_seenStageChanges = 0;
    std::uint32_t m_seenStageReaches = 0;
};
