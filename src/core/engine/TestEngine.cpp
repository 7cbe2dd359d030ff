#include "core/engine/TestEngine.h"

#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"
#include "core/data/RowStore.h"
#include "core/data/SimulationMark.h"
#include "core/engine/Alarms.h"
#include "core/engine/Reading.h"
#include "core/engine/SettingsPublication.h"
#include "core/engine/StageTargets.h"
#include "core/engine/UploadFrames.h"
#include "core/standards/StandardsCatalogue.h"
#include "core/view/SettlementRows.h"
#include "platform/Clock.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kBuzzerOn = 0xFF;
constexpr int kDay = 86400;
constexpr int kStableSignalSeconds = 30;
constexpr int kFinalUnloadSignalSeconds = 120;
constexpr int kCounterLimit = 6500;
constexpr int kSerialNumberRow = 7;
constexpr int kLastWindowSecond = 9;
constexpr int kPileNumberRow = 8;

// A short list (a damaged settings file) is left as it is.
void SetEntry(ParameterList& list, int entry, float value) {
    if (entry < static_cast<int>(list.size()))
        list[static_cast<std::size_t>(entry)] = value;
}

int SecondsOfDay(const QDateTime& when) {
    return when.time().msecsSinceStartOfDay() / 1000;
}

} // namespace

TestEngine::TestEngine(CPublic& pub, const KVTFile& files, const Clock& clock, EngineHooks hooks)
    : m_pub(pub), m_files(files), m_clock(clock), m_hooks(std::move(hooks)) {
    // Every change of the upload queue is saved, from whichever thread made it.
    m_pub.gprs.SetSaveQueue(
        [&files](const std::vector<UploadFrame>& frames) { return files.SaveUploadQueue(frames); });
}

// Frames still queued at the end of a test are its last readings, not yet
// at the server: the queue file stays until they have gone.
void TestEngine::RemoveSentUploadQueue() {
    if (m_pub.gprs.Frames().empty())
        m_files.RemoveFile(DeviceFile::kUploadQueue);
}

void TestEngine::QueueLiveFrame() {
    ::QueueLiveFrame(m_pub, m_clock.Now());
}

void TestEngine::Beep() {
    if (m_hooks.playBeep)
        m_hooks.playBeep();
}

// The copy tarvofu.ini is written with every save and kept: start-up
// restores a lost tarvo.ini from it.
void TestEngine::SaveSettingsAndCopy() {
    m_files.SaveSettings(m_pub.dataFilePath, m_pub.paramList);
}

QString TestEngine::StartTest(bool uploadAtReading) {
    CPublic& pub = m_pub;
    const auto rowText = [&pub](int row, auto field) {
        return row < static_cast<int>(pub.recordList.size())
                   ? FieldText(pub.recordList[static_cast<std::size_t>(row)].*field)
                   : QByteArray();
    };
    if (rowText(kSerialNumberRow, &Record::textLong).isEmpty() ||
        rowText(kPileNumberRow, &Record::textValue).isEmpty())
        return QStringLiteral("新试桩之后才能开始测试!");
    SetEntry(pub.paramList, Entry::uploadOff, uploadAtReading ? 0.0f : 1.0f);
    pub.interruptedMark = false;
    PublishSettings(pub);
    // Entry 65 holds 1 while the test runs, so that a restart before the
    // first reading resumes it.
    SetEntry(pub.paramList, Entry::endMark, 1.0f);
    pub.run.Post(RunCommands::Start{});
    if (!pub.simulationRemark.isEmpty())
        MarkSimulatedTest(pub.recordList, pub.simulationRemark);
    // The data file exists whole before the settings name it as running.
    if (!m_files.CreateDataFile(pub.dataFilePath, pub.recordList)) {
        pub.storageFault = true;
        pub.alarmText = QString::fromUtf8(kStorageFailedText);
    }
    m_files.SaveSettings(pub.dataFilePath, pub.paramList);
    pub.wizardMode = false;
    return {};
}

// The jack may still hold load after the end: the pump stops, the pressure
// stays until the operator releases it.
QString TestEngine::EndMessage() const {
    constexpr float kNoLoad = 1.0f; // kN or kPa: below it the jack is taken as empty
    const bool loadHeld = m_pub.run.Live().currentLoad >= std::max(m_pub.holdBand, kNoLoad);
    return loadHeld ? QStringLiteral("测试已结束,千斤顶仍有荷载,请卸压!") : QStringLiteral("测试已结束!");
}

QString TestEngine::EndTest() {
    CPublic& pub = m_pub;
    pub.run.Post(RunCommands::Stop{.finished = false});
    pub.testFinished = false;
    pub.timeChanged = false;
    StoreEnd();
    SetEntry(pub.paramList, Entry::endMark, 0.0f);
    SaveSettingsAndCopy();
    RequestNewTestReset();
    RemoveSentUploadQueue();
    return EndMessage();
}

void TestEngine::PauseTest() {
    CPublic& pub = m_pub;
    SetEntry(pub.paramList, Entry::pausedFlag, 1.0f);
    pub.run.Post(RunCommands::Pause{});
    pub.resyncSplit = false;
    pub.resyncActive = false;
    pub.missedReading = false; // the resume re-aligns the schedule instead
    SaveSettingsAndCopy();
}

void TestEngine::ResumeTest() {
    CPublic& pub = m_pub;
    if (pub.dataFilePath.isEmpty())
        return;
    // The pump stays closed until the operator opens it again.
    pub.run.Post(RunCommands::Resume{});
    SetEntry(pub.paramList, Entry::pausedFlag, 0.0f);
    pub.resyncSplit = true;
    SaveSettingsAndCopy();
}

void TestEngine::RequestManualReading() {
    if (!m_pub.dataFilePath.isEmpty() && m_pub.run.View().controlState != ControlState::Waiting)
        m_pub.manualReadingRequested = true;
}

void TestEngine::RequestNewTestReset() {
    ++m_pendingResets;
}

void TestEngine::CarryOutNewTestReset() {
    if (m_pendingResets == 0)
        return;
    --m_pendingResets;
    NewTestReset();
}

void TestEngine::NewTestReset() {
    CPublic& pub = m_pub;
    pub.ResetTest();
    pub.levelSummaries.clear();
    pub.maxLevelLoad = 0;
    pub.levelCount = 0;
    pub.maxMinutes = 0;
    pub.maxCumSettlement = 0.1f;
    pub.alarmText.clear();
    pub.startupNotice.clear();
    pub.nextReadingText.clear();
    if (m_hooks.newTestResetDone)
        m_hooks.newTestResetDone();
}

// The load controller's events since the last tick become the engine's
// pending flags, which the readings consume.
void TestEngine::TakeControllerEvents(const RunState& run) {
    if (run.stageChanges != m_seenStageChanges) {
        m_seenStageChanges = run.stageChanges;
        m_pub.stageChanged = true;
    }
    if (run.stageReaches != m_seenStageReaches) {
        m_seenStageReaches = run.stageReaches;
        m_pub.stageReachedMark = true;
        m_pub.stageReached = true;
    }
}

void TestEngine::ScheduleTick() {
    CPublic& pub = m_pub;
    RetryUnsavedRows(pub, m_files);
    pub.gprs.RetryFailedSave();
    const RunState run = pub.run.View();
    TakeControllerEvents(run);
    if (run.pausedFlag) {
        pub.alarmText = QStringLiteral("测试暂停");
        pub.run.RequestPumpGate(run.manualLoad ? PumpGate::open : PumpGate::closed);
        return;
    }
    if (!run.running || run.controlState == ControlState::Waiting)
        return;
    const AlarmOutcome alarms = CheckAlarms(pub, run, pub.run.Live());
    if (alarms.playBeep)
        Beep();
    if (alarms.clearMessageLine && m_hooks.clearMessageLine)
        m_hooks.clearMessageLine();

    const int now = SecondsOfDay(m_clock.Now());
    if (pub.stageTimer > kCounterLimit)
        pub.stageTimer = 0;
    if (pub.fullUnloadTimer > kCounterLimit)
        pub.fullUnloadTimer = 0;
    if (pub.nextReadingTime > kDay)
        pub.nextReadingTime -= kDay;

    // After a pause the schedule goes on at its minute and second of the
    // current or a following hour.
    if (std::exchange(pub.resyncSplit, false)) {
        int next = pub.nextReadingTime;
        if (next < 0)
            next += kDay;
        KeepMinuteAndSecond(next);
        pub.resyncActive = true;
    }
    if (pub.resyncActive) {
        pub.nextReadingTime = RealignedReadingTime(now);
        ShowNextReading();
    }

    if (pub.manualReadingRequested)
        Read();
    if (pub.stageChanged)
        Read(); // the stage's opening reading
    if (pub.stageReached) {
        pub.scheduleNow = now;
        const RunState reached = pub.run.View();
        if (IsHoldingLoad(reached.controlState))
            pub.nextReadingTime = now + pub.loadIntervals[0] * 60;
        else if (reached.controlState == ControlState::HoldingUnload)
            pub.nextReadingTime =
                (StandardRulesOf(pub.standardCode).firstReboundAfterTwoHours && reached.targetLoad == 0)
                    ? now + 7200
                    : now + pub.unloadIntervals[0] * 60;
        ShowNextReading();
        pub.missedReading = false; // the new stage's schedule starts now
        pub.readingStep = 0;
        Read(); // the stage's 0-minute reading
    }

    switch (pub.run.View().controlState) {
    case ControlState::Holding:
    case ControlState::Reloading:
        HoldingSchedule(now);
        break;
    case ControlState::Stable:
        StageAdvance();
        break;
    case ControlState::Unloading:
        UnloadingSignal();
        break;
    case ControlState::HoldingUnload:
        UnloadingSchedule(now);
        break;
    case ControlState::Waiting:
    case ControlState::Loading:
        break;
    }
}

void TestEngine::Read() {
    // One reply's values, never a mix of two, and never stale ones.
    const LiveSample live = m_pub.run.Live();
    TakeReading(m_pub, m_files, m_clock.Now(), ValuesStale() ? WithoutValues(live) : live);
    if (m_hooks.readingTaken)
        m_hooks.readingTaken();
}

// The stored minute and second in the current hour, or in the next one when
// their window has passed.
int TestEngine::RealignedReadingTime(int now) const {
    int time = now / 3600 * 3600 + m_resyncMinute * 60 + m_resyncSecond;
    if (time / 10 < now / 10)
        time += 3600;
    return time >= kDay ? time - kDay : time;
}

// The next reading's time after one was taken. After a reading taken late
// (due while the program was down) that time may have passed as well: the
// schedule then goes on at its minute and second, as after a pause.
void TestEngine::ScheduleNextReading(int next, int now) {
    CPublic& pub = m_pub;
    pub.missedReading = false;
    m_missedReadingWait = 0;
    const int behind = (now - next % kDay + kDay) % kDay; // seconds `next` lies behind now
    if (behind > 0 && behind <= kDay / 2 && next % kDay / 10 != now / 10) {
        KeepMinuteAndSecond(next);
        next = RealignedReadingTime(now);
    }
    pub.nextReadingTime = next;
    ShowNextReading();
}

void TestEngine::KeepMinuteAndSecond(int time) {
    m_resyncMinute = time / 60 % 60;
    m_resyncSecond = time % 60;
}

// Readings fall in the 10-second window of their scheduled time, once.
// While the controller is silent, or not heard yet, a reading waits for fresh replies until the
// window's last second, and is then booked without values. A reading missed
// while the program was down is due at once, and waits for fresh values as
// long as a window would.
bool TestEngine::ReadingDue(int now) {
    if (m_pub.missedReading)
        return !ValuesStale() || ++m_missedReadingWait > kLastWindowSecond;
    if (now / 10 != m_pub.nextReadingTime / 10) {
        m_pub.windowTaken = false;
        return false;
    }
    if (ValuesStale() && now % 10 < kLastWindowSecond)
        return false;
    return !m_pub.windowTaken;
}

// A silent controller, or none heard yet since start-up (the first reading
// after a restart can fall before the first reply): no value is fresh.
bool TestEngine::ValuesStale() const {
    return m_pub.run.View().linkFault || m_pub.run.Live().number == 0;
}

void TestEngine::ShowNextReading() {
    m_pub.nextReadingText = FormatSeconds(m_pub.nextReadingTime);
}

void TestEngine::HoldingSchedule(int now) {
    CPublic& pub = m_pub;
    pub.scheduleNow = now;
    if (!ReadingDue(now))
        return;
    int step = pub.readingStep + 1;
    int interval;
    if (step < 6) {
        interval = pub.loadIntervals[static_cast<std::size_t>(step)];
    } else {
        step = 5;
        const bool doubled = StandardRulesOf(pub.standardCode).doublesLastLoadingInterval;
        interval = pub.loadIntervals[5] * (doubled ? 2 : 1);
    }
    pub.readingStep = step;
    ScheduleNextReading(pub.nextReadingTime + interval * 60, now);
    Read();
    pub.windowTaken = true;
}

void TestEngine::StageAdvance() {
    CPublic& pub = m_pub;
    // The stage signal was given before the prompt opened; the operator's
    // answer decides what follows.
    if (pub.maxLoadPromptOpen)
        return;
    ++pub.stageTimer;
    pub.run.RequestBuzzer(kBuzzerOn);
    Beep();
    if (pub.stageTimer < kStableSignalSeconds)
        return;
    pub.run.RequestBuzzer(0);
    pub.stageTimer = 0;
    if (!pub.autoAdvance) {
        // "待加载": the operator enters the next control load
        pub.run.Post(RunCommands::Enter{ControlState::Waiting});
        return;
    }
    const int firstRowLoad = pub.recordList.empty() ? 0 : pub.recordList.front().rowLoad;
    const std::optional<float> next = NextLoadingTarget(pub.standardCode, pub.run.View().targetLoad,
                                                        pub.stageStep, pub.maxLoad, firstRowLoad);
    if (next)
        pub.run.Post(RunCommands::SetTarget{*next});
    else
        OfferUnloadAtMaxLoad();
}

void TestEngine::OfferUnloadAtMaxLoad() {
    if (!m_hooks.offerUnloadAtMaxLoad)
        return;
    m_pub.maxLoadPromptOpen = true;
    // A double-circuit jack waits for its oil path to be reversed: a top-up
    // pump would then draw the load down, unwatched.
    if (!m_pub.doubleCircuitJack)
        m_pub.run.Post(RunCommands::HoldAtMaxLoad{});
    m_hooks.offerUnloadAtMaxLoad(MaxLoadPromptText());
}

QString TestEngine::MaxLoadPromptText() const {
    return m_pub.doubleCircuitJack ? QStringLiteral("已加到最大荷载，若卸载请先油路换向！然后单击确认")
                                   : QStringLiteral("已加到最大荷载，若卸载请单击确认，然后卸压！");
}

// State and the lower target go to the load controller as one command: a
// cycle between the two would open the stage at the old target.
void TestEngine::ConfirmUnloading() {
    const float target =
        FirstUnloadingTarget(m_pub.standardCode, m_pub.run.View().targetLoad, m_pub.stageStep, m_pub.maxLoad);
    m_pub.run.Post(RunCommands::EnterWithTarget{ControlState::Unloading, target});
    m_pub.maxLoadPromptOpen = false;
}

void TestEngine::KeepLoad() {
    m_pub.maxLoadPromptOpen = false;
    m_pub.run.Post(RunCommands::Enter{ControlState::Holding});
}

void TestEngine::LoadNextStage() {
    m_pub.run.Post(RunCommands::Enter{ControlState::Stable});
    m_pub.stageTimer = kStableSignalSeconds - 2; // the advance follows 2 s later
}

void TestEngine::UnloadNextStage() {
    const float target =
        NextUnloadingTarget(m_pub.standardCode, m_pub.run.View().targetLoad, m_pub.stageStep);
    m_pub.run.Post(RunCommands::EnterWithTarget{ControlState::Unloading, target});
    m_pub.stageTimer = kStableSignalSeconds - 2;
}

void TestEngine::UnloadingSignal() {
    CPublic& pub = m_pub;
    ++pub.stageTimer;
    pub.run.RequestBuzzer(kBuzzerOn);
    Beep();
    const bool finalUnloading = pub.run.View().targetLoad <= 0;
    const int signalSeconds = finalUnloading ? kFinalUnloadSignalSeconds : kStableSignalSeconds;
    if (pub.stageTimer < signalSeconds)
        return;
    if (finalUnloading) {
        pub.fullUnloadTimer = kFinalUnloadSignalSeconds;
        pub.run.Post(RunCommands::FinalUnloadSignalDone{});
    }
    pub.run.RequestBuzzer(0);
    pub.stageTimer = 0;
}

void TestEngine::UnloadingSchedule(int now) {
    CPublic& pub = m_pub;
    pub.scheduleNow = now;
    pub.run.RequestBuzzer(0);
    if (!ReadingDue(now))
        return;
    const int step = std::min(pub.readingStep + 1, 5);
    pub.readingStep = step;
    ScheduleNextReading(pub.nextReadingTime + pub.unloadIntervals[static_cast<std::size_t>(step)] * 60, now);
    Read();
    pub.windowTaken = true;

    const float target = pub.run.View().targetLoad;
    if (target > 0) {
        const std::optional<int> readings = StandardRulesOf(pub.standardCode).unloadingStageReadings;
        if (readings && pub.readingStep > *readings)
            pub.run.Post(
                RunCommands::SetTarget{NextUnloadingTarget(pub.standardCode, target, pub.stageStep)});
    } else if (FinalReadingsComplete()) {
        FinishTest();
    }
}

// The rebound after the last unloading: settled within 0.01 mm over the last
// three readings for rock, else held long enough for the standard.
bool TestEngine::FinalReadingsComplete() const {
    const CPublic& pub = m_pub;
    const int last = pub.rowCount - 1;
    if (last < 0 || last >= static_cast<int>(pub.recordList.size()))
        return false;
    const StandardRules& rules = StandardRulesOf(pub.standardCode);
    if (rules.reboundSettlesWithinHundredth && pub.readingStep > 2) {
        if (last < 3)
            return false;
        const float settled = pub.recordList[static_cast<std::size_t>(last - 3)].avgSettlement -
                              pub.recordList[static_cast<std::size_t>(last)].avgSettlement;
        return settled < 0.01f;
    }
    const float minutes = RowMinutesValue(pub.recordList[static_cast<std::size_t>(last)]);
    return minutes > static_cast<float>(rules.finalReboundMinutes);
}

// The data file records the end, so that a restart shows the test for
// review and never takes more readings into it.
void TestEngine::StoreEnd() {
    RefreshRunStateTexts(m_pub, m_clock.Now().date(), true);
    StoreRows(m_pub, m_files, RunStateRowWrites());
}

void TestEngine::FinishTest() {
    CPublic& pub = m_pub;
    pub.run.Post(RunCommands::Stop{.finished = true});
    pub.stageDone = false;
    pub.testFinished = true;
    pub.wizardMode = true;
    // The line keeps the end until the next test.
    pub.alarmText = EndMessage();
    StoreEnd();
    SetEntry(pub.paramList, Entry::endMark, 0.0f);
    SaveSettingsAndCopy();
    RemoveSentUploadQueue();
}
