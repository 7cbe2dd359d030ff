#include "core/engine/TestEngine.h"
#include "core/data/DeviceText.h"
#include "core/data/SimulationMark.h"
#include "core/engine/Alarms.h"
#include "core/engine/SettingsPublication.h"
#include "platform/ManualClock.h"
#include "support/GprsStates.h"
#include "support/RunStateSetup.h"
#include "support/TempDevice.h"

#include <cmath>
#include <cstring>
#include <functional>

#include <gtest/gtest.h>
#include <utility>

namespace {

const QString kDataPath = QStringLiteral("\\硬盘\\APP\\123456-0001.kvt");
const QDateTime kStart(QDate(2026, 5, 4), QTime(10, 0, 0));

// A running test on a manual clock, driven one second at a time; the load
// follows the target at once, as if the pump were ideal.
class EngineTest : public ::testing::Test {
  protected:
    EngineTest() {
        pub.paramList = DefaultParameterList();
        KVTFile::BuildBlankRecords(pub);
        pub.dataFilePath = kDataPath;
        EXPECT_TRUE(device.Files().CreateDataFile(kDataPath, pub.recordList));
        EXPECT_TRUE(device.Files().SaveSettingsCopy(kDataPath, pub.paramList));
        device.Write(DeviceFile::kUploadQueue, QByteArray(45, '\1'));
        pub.run.Post(RunCommands::Start{});
        pub.interruptedMark = false;
        pub.holdBand = 10;
        pub.stageStep = 100;
        pub.maxLoad = 1000;
        pub.standardCode = 5;
        pub.holdMinutes = 120;
        pub.stableCheckMinutes = 60;
        pub.stableCheckCount = 2;
        pub.stableSettlement = 0.1f;
        pub.loadIntervals = {5, 10, 15, 15, 15, 30};
        pub.unloadIntervals = {15, 15, 30, 30, 30, 30};
        pub.maxSettlement = 0; // no alarms in these tests
        pub.maxUnevenSettlement = 0;
        pub.loadProtectSeconds = 0;
    }

    // One second: the controller's load-control steps, then the schedule.
    void Second() {
        clock.AdvanceMs(1000);
        IdealControllerCycle(pub, pub.run.View().targetLoad);
        engine.ScheduleTick();
    }
    void Seconds(int count) {
        for (int i = 0; i < count; ++i)
            Second();
    }
    // Seconds until the test ends by itself, at most `limit`.
    int SecondsUntilTheEnd(int limit) {
        int seconds = 0;
        while (!pub.testFinished && seconds < limit) {
            Second();
            ++seconds;
        }
        return seconds;
    }
    // A held stage at 200 with readings on file.
    void SetUpRestartCase() {
        pub.run.Post(RunCommands::SetTarget{200});
        Seconds(20 * 60);
        ASSERT_GT(pub.readingCount, 2);
    }
    // The program starts again from the data file and runs an hour: true
    // when the test resumed and took readings.
    bool RestartTakesReadings() {
        CPublic restarted;
        if (!device.Files().ReadDataFile(kDataPath, restarted.recordList))
            return false;
        device.Files().RestoreParameters(restarted, restarted.recordList, clock.Now());
        const bool running = restarted.run.View().running;
        const int readings = restarted.readingCount;
        TestEngine after{restarted, device.Files(), clock};
        for (int second = 0; second < 3600; ++second) {
            clock.AdvanceMs(1000);
            IdealControllerCycle(restarted, restarted.run.View().targetLoad);
            after.ScheduleTick();
        }
        EXPECT_EQ(restarted.readingCount > readings, running) << "readings follow the restored run state";
        return running;
    }
    QString LastClock() const {
        return QString::fromLatin1(pub.recordList[static_cast<std::size_t>(pub.readingCount - 1)].clock, 5);
    }
    // Minutes into the stage of the readings taken so far (their clocks).
    QStringList Clocks() const {
        QStringList clocks;
        for (int i = 0; i < pub.readingCount; ++i)
            clocks.append(QString::fromLatin1(pub.recordList[static_cast<std::size_t>(i)].clock, 5));
        return clocks;
    }

    TempDevice device;
    ManualClock clock{kStart};
    CPublic pub;
    int prompts = 0;
    bool unloadAnswer = true;
    bool answerAtOnce = true; // else the prompt stays open until the test answers
    TestEngine engine{pub, device.Files(), clock,
                      EngineHooks{.offerUnloadAtMaxLoad =
                                      [this](const QString&) {
                                          ++prompts;
                                          if (!answerAtOnce)
                                              return;
                                          if (unloadAnswer)
                                              engine.ConfirmUnloading();
                                          else
                                              engine.KeepLoad();
                                      },
                                  .playBeep = {},
                                  .readingTaken = {},
                                  .newTestResetDone = {},
                                  .clearMessageLine = {}}};
};

TEST_F(EngineTest, AHeldStageIsReadOnTheStandardsSchedule) {
    pub.run.Post(RunCommands::SetTarget{100});
    Seconds(120 * 60 + 5);
    // The opening row, then 0, 5, 15, 30, 45, 60, 90 and 120 minutes.
    EXPECT_EQ(Clocks(),
              (QStringList{"--:--", "10:00", "10:05", "10:15", "10:30", "10:45", "11:00", "11:30", "12:00"}));
    EXPECT_EQ(pub.nextReadingText, QStringLiteral("12:30:01"));
    // The gauges did not move: standard 5 finds the stage stable at 120 minutes.
    EXPECT_EQ(pub.run.View().controlState, ControlState::Stable);
}

TEST_F(EngineTest, AStableStageSignals30SecondsThenLoadsTheNextStage) {
    EnterRunState(pub, ControlState::Stable, 300);
    Seconds(29);
    EXPECT_EQ(pub.run.View().controlState, ControlState::Stable);
    EXPECT_EQ(pub.run.View().buzzerCode, 0xFF);
    Second();
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 400);
    EXPECT_EQ(pub.run.View().buzzerCode, 0);
    Second();
    EXPECT_EQ(pub.run.View().controlState, ControlState::Holding)
        << "the load-control step saw the higher target, the load followed";
}

TEST_F(EngineTest, InManualModeAStableStageWaitsForTheOperator) {
    pub.autoAdvance = false;
    EnterRunState(pub, ControlState::Stable, 300);
    Seconds(30);
    EXPECT_EQ(pub.run.View().controlState, ControlState::Waiting);
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 300);
    // "加载下一级" signals 2 s more and waits again.
    engine.LoadNextStage();
    Seconds(1);
    EXPECT_EQ(pub.run.View().controlState, ControlState::Stable);
    Seconds(1);
    EXPECT_EQ(pub.run.View().controlState, ControlState::Waiting);
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 300);
}

TEST_F(EngineTest, AtTheMaximumLoadTheOperatorIsAskedOnce) {
    EnterRunState(pub, ControlState::Stable, 1000);
    unloadAnswer = false; // keep the load
    Seconds(30);
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(pub.run.View().controlState, ControlState::Holding);
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 1000) << "never above the maximum";
    EXPECT_FALSE(pub.maxLoadPromptOpen);

    engine.LoadNextStage();
    unloadAnswer = true;
    Seconds(2);
    EXPECT_EQ(prompts, 2);
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 800);
    EXPECT_EQ(pub.run.View().controlState, ControlState::Unloading);
}

// The top stage's signal leaves the load alone; once the prompt waits the
// controller tops the load up as during the stage's hold.
TEST_F(EngineTest, TheMaximumLoadPromptHoldsTheStageLoad) {
    // A double-circuit jack is not topped up: the prompt asks the operator to
    // reverse the oil path first, and the pump would then draw the load down.
    for (const auto& [doubleCircuit, topUpSpeed] : {std::pair{false, 25}, std::pair{true, 0}}) {
        SCOPED_TRACE(doubleCircuit ? "double circuit" : "single circuit");
        answerAtOnce = false;
        pub.doubleCircuitJack = doubleCircuit;
        PublishSettings(pub);
        EnterRunState(pub, ControlState::Stable, 1000);
        Seconds(20);
        IdealControllerCycle(pub, 985);
        EXPECT_EQ(pub.run.View().pump.pumpSpeed, 0) << "the stage signal";
        Seconds(10);
        ASSERT_TRUE(pub.maxLoadPromptOpen);
        IdealControllerCycle(pub, 985);
        IdealControllerCycle(pub, 985);
        EXPECT_EQ(pub.run.View().pump.pumpSpeed, topUpSpeed) << "topped up: shortfall 15 + 10";
        engine.ConfirmUnloading();
        IdealControllerCycle(pub, 985);
        EXPECT_FALSE(pub.run.View().holdAtMaxLoad);
    }
}

TEST_F(EngineTest, TheScheduleGoesOnWhileTheMaximumLoadPromptIsOpen) {
    answerAtOnce = false;
    EnterRunState(pub, ControlState::Stable, 1000);
    Seconds(30);
    ASSERT_EQ(prompts, 1);
    ASSERT_TRUE(pub.maxLoadPromptOpen);
    // An hour without an answer while the jack leaks from 1000 to 450 kN; the
    // alarm checks go on (an unregistered modem stands for any alarm).
    pub.paramList[Entry::uploadOff] = 0;
    DriveGprsState(pub.gprs, GprsLink::kNotRegistered);
    for (int second = 1; second <= 3600; ++second) {
        clock.AdvanceMs(1000);
        IdealControllerCycle(pub, static_cast<float>(1000 - second * 550 / 3600));
        engine.ScheduleTick();
    }
    EXPECT_EQ(prompts, 1) << "never a second prompt";
    EXPECT_EQ(pub.alarmText, QStringLiteral("gprs模块未登记!"));
    EXPECT_EQ(pub.run.View().buzzerCode, 0xFF) << "the alarm sounds, not the stage signal";
    EXPECT_EQ(pub.run.View().controlState, ControlState::Stable);

    const int before = pub.readingCount;
    engine.ConfirmUnloading();
    EXPECT_FALSE(pub.maxLoadPromptOpen);
    clock.AdvanceMs(1000);
    IdealControllerCycle(pub, 450);
    engine.ScheduleTick();
    // The jack already holds less than the first unloading stage (800): the
    // stage is reached at once and its 0-minute reading books what it holds.
    EXPECT_EQ(pub.run.View().controlState, ControlState::HoldingUnload);
    ASSERT_EQ(pub.readingCount, before + 2);
    EXPECT_EQ(QByteArray(pub.recordList[before].clock, 5), QByteArray("--:--"));
    EXPECT_EQ(pub.recordList[before + 1].load, 450);
}

TEST_F(EngineTest, AnUnloadingStageEndsAfterTheStandardsReadings) {
    EnterRunState(pub, ControlState::Waiting, 1000);
    engine.ConfirmUnloading(); // standard 5: two stages down
    Seconds(1);
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 800);
    // Signal for 30 s, reached within the band: held; readings at 0, 15, 30, 60 minutes.
    Seconds(30 + 61 * 60);
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 600)
        << "standard 5 unloads after the third reading past the 0-minute one";
}

TEST_F(EngineTest, TheTestEndsByItselfAfterTheFinalRebound) {
    pub.standardCode = 0; // final rebound held 20 minutes
    pub.unloadIntervals = {5, 5, 5, 5, 5, 5};
    EnterRunState(pub, ControlState::Waiting, 200);
    engine.UnloadNextStage(); // 2·S and below: straight to 0
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 0);
    Seconds(120); // 120 s of unloading signal before the final stage is held
    EXPECT_EQ(pub.run.View().controlState, ControlState::HoldingUnload);
    Seconds(26 * 60);
    EXPECT_TRUE(pub.testFinished);
    EXPECT_EQ(pub.alarmText, QStringLiteral("测试已结束!")) << "the end is told on the message line";
    EXPECT_FALSE(pub.run.View().running);
    EXPECT_EQ(pub.run.View().controlState, ControlState::Waiting);
    EXPECT_TRUE(pub.wizardMode);

    QString path;
    ParameterList list;
    ASSERT_TRUE(device.Files().LoadSettings(path, list));
    EXPECT_EQ(path, kDataPath);
    EXPECT_EQ(list[Entry::endMark], 0.0f);
    // No module took the readings' frames: the queue file keeps them, the
    // last readings of the test, until they have gone.
    const std::vector<UploadFrame> unsent = pub.gprs.Frames();
    ASSERT_FALSE(unsent.empty());
    EXPECT_EQ(device.Read(DeviceFile::kUploadQueue), QByteArray(reinterpret_cast<const char*>(unsent.data()),
                                                                static_cast<qsizetype>(unsent.size() * 45)));
    // The copy is kept, equal to tarvo.ini, for start-up to restore from.
    EXPECT_EQ(device.Read(DeviceFile::kSettingsCopy), device.Read(DeviceFile::kSettings));
}

TEST_F(EngineTest, APausedTestStandsStillWithThePumpClosed) {
    pub.run.Post(RunCommands::SetTarget{100});
    Seconds(2);
    const int readings = pub.readingCount;
    pub.run.Post(RunCommands::Pause{});
    Seconds(600);
    EXPECT_EQ(pub.readingCount, readings);
    EXPECT_EQ(pub.alarmText, QStringLiteral("测试暂停"));
    EXPECT_EQ(pub.run.View().pumpGate, PumpGate::closed);
}

TEST_F(EngineTest, TheOperatorsEndSaysWhetherTheJackStillHoldsLoad) {
    const struct {
        float load;
        const char* message;
    } cases[] = {
        {300, "测试已结束,千斤顶仍有荷载,请卸压!"},
        {10, "测试已结束,千斤顶仍有荷载,请卸压!"}, // the hold band
        {5, "测试已结束!"},                        // within the band: taken as released
    };
    for (const auto& c : cases) {
        EnterRunState(pub, ControlState::Holding, 300);
        IdealControllerCycle(pub, c.load);
        EXPECT_EQ(engine.EndTest(), QString::fromUtf8(c.message)) << c.load;
    }
}

// A restart after the end shows the test for review: it never runs again
// and takes no more readings; a test that was still running resumes.
TEST_F(EngineTest, ATestEndedByTheOperatorStaysEndedAfterARestart) {
    SetUpRestartCase();
    engine.EndTest();
    EXPECT_FALSE(RestartTakesReadings());
}

TEST_F(EngineTest, ATestEndedByItselfStaysEndedAfterARestart) {
    SetUpRestartCase();
    pub.standardCode = 0; // the final rebound is held 20 minutes
    pub.unloadIntervals = {5, 5, 5, 5, 5, 5};
    engine.UnloadNextStage();
    SecondsUntilTheEnd(3 * 3600);
    ASSERT_TRUE(pub.testFinished);
    EXPECT_FALSE(RestartTakesReadings());
}

TEST_F(EngineTest, ARunningTestResumesAfterARestart) {
    SetUpRestartCase();
    EXPECT_TRUE(RestartTakesReadings());
}

// Right after a restart no reply has come yet: a reading due then waits
// for the first one instead of storing the empty sample's zeros.
TEST_F(EngineTest, AReadingDueBeforeTheFirstReplyAfterARestartWaitsForIt) {
    SetUpRestartCase();
    CPublic restarted;
    ASSERT_TRUE(device.Files().ReadDataFile(kDataPath, restarted.recordList));
    device.Files().RestoreParameters(restarted, restarted.recordList, clock.Now());
    ASSERT_TRUE(restarted.run.View().running);
    TestEngine after{restarted, device.Files(), clock};
    clock.Set(QDateTime(kStart.date(), QTime(0, 0).addSecs(restarted.nextReadingTime)));
    const int readings = restarted.readingCount;
    for (int second = 0; second < 3; ++second) {
        after.ScheduleTick();
        clock.AdvanceMs(1000);
    }
    EXPECT_EQ(restarted.readingCount, readings) << "taken from a sample no reply has filled";

    IdealControllerCycle(restarted, restarted.run.View().targetLoad);
    after.ScheduleTick();
    ASSERT_EQ(restarted.readingCount, readings + 1);
    const Record& reading = restarted.recordList[static_cast<std::size_t>(restarted.readingCount - 1)];
    EXPECT_EQ(reading.load, 200);
    EXPECT_FALSE(std::isnan(reading.gauge[0])) << "measured, not booked as missing";
}

TEST_F(EngineTest, TheFinalReboundEndsByTheStandardsRule) {
    // Readings every 5 minutes after the final unloading target is reached.
    const struct {
        int standard;
        bool reboundGoesOn;
        int minutes; // from reaching 0 to the automatic end; 0: no end within 4 hours
    } cases[] = {
        {0, false, 20},   {4, false, 120}, {5, false, 180},
        {10, false, 120},                                // standard 10: first reading at 2 h
        {58, false, 15},  {3, false, 15},  {3, true, 0}, // rock: settled over three readings
    };
    for (const auto& c : cases) {
        TempDevice caseDevice;
        CPublic casePub;
        casePub.paramList = DefaultParameterList();
        KVTFile::BuildBlankRecords(casePub);
        casePub.dataFilePath = kDataPath;
        ASSERT_TRUE(caseDevice.Files().CreateDataFile(kDataPath, casePub.recordList));
        ManualClock caseClock{kStart};
        TestEngine caseEngine{casePub, caseDevice.Files(), caseClock};
        casePub.stageStep = 100;
        casePub.maxLoad = 1000;
        casePub.holdBand = 10;
        casePub.standardCode = c.standard;
        casePub.unloadIntervals = {5, 5, 5, 5, 5, 5};
        casePub.loadIntervals = {5, 5, 5, 5, 5, 5};
        // A stage held at 200, then straight to 0; the jack keeps its 200 kN.
        casePub.run.Post(RunCommands::Start{});
        casePub.run.Post(RunCommands::SetTarget{200});
        int seconds = 0;
        while (seconds < 2 ||
               (casePub.run.View().controlState != ControlState::HoldingUnload && seconds < 200)) {
            if (seconds == 2)
                caseEngine.UnloadNextStage();
            caseClock.AdvanceMs(1000);
            IdealControllerCycle(casePub, 200);
            caseEngine.ScheduleTick();
            ++seconds;
        }
        ASSERT_EQ(casePub.run.View().controlState, ControlState::HoldingUnload) << c.standard;
        seconds = 0;
        int gaugeCounts = 0;
        while (!casePub.testFinished && seconds < 240 * 60) {
            caseClock.AdvanceMs(1000);
            if (c.reboundGoesOn)
                --gaugeCounts; // the gauges come back 0.01 mm a second
            IdealControllerCycle(casePub, 200, gaugeCounts);
            caseEngine.ScheduleTick();
            ++seconds;
        }
        EXPECT_EQ(casePub.testFinished, c.minutes > 0) << c.standard;
        if (c.minutes == 0)
            continue;
        // Readings fall in the first second of their 10-second window.
        EXPECT_EQ((seconds + 10) / 60, c.minutes)
            << c.standard << (c.reboundGoesOn ? " rebound going on" : "");
    }
}

TEST_F(EngineTest, AnUnloadingStageEndsAfterTheCountOfItsStandard) {
    // Readings every 5 minutes; the stage is done when the reading step passes the count.
    const struct {
        int standard;
        int minutes; // from reaching the unloading stage to the next target
    } cases[] = {{6, 5}, {7, 10}, {5, 15}, {0, 20}, {12, 20}};
    for (const auto& c : cases) {
        pub.standardCode = c.standard;
        pub.unloadIntervals = {5, 5, 5, 5, 5, 5};
        EnterRunState(pub, ControlState::Holding, 800);
        const float first = c.standard == 0 ? 500 : 600;
        engine.UnloadNextStage();
        ASSERT_FLOAT_EQ(pub.run.View().targetLoad, first) << c.standard;
        for (int wait = 0; wait < 60 && pub.run.View().controlState != ControlState::HoldingUnload; ++wait)
            Second();
        ASSERT_EQ(pub.run.View().controlState, ControlState::HoldingUnload) << c.standard;
        int seconds = 0;
        while (pub.run.View().targetLoad == first && seconds < 60 * 60) {
            Second();
            ++seconds;
        }
        EXPECT_EQ((seconds + 10) / 60, c.minutes) << c.standard;
    }
}

TEST_F(EngineTest, AnUnloadingStageOfAnUnlistedStandardWaitsForTheOperator) {
    pub.standardCode = 99;
    pub.unloadIntervals = {5, 5, 5, 5, 5, 5};
    EnterRunState(pub, ControlState::Waiting, 800);
    engine.UnloadNextStage();
    Seconds(30 + 120 * 60);
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 600);
    EXPECT_EQ(pub.run.View().controlState, ControlState::HoldingUnload);
}

TEST_F(EngineTest, StandardTenWaitsTwoHoursForTheFirstReboundReading) {
    pub.standardCode = 10;
    EnterRunState(pub, ControlState::Waiting, 200);
    engine.UnloadNextStage();
    Seconds(121);
    ASSERT_EQ(pub.run.View().controlState, ControlState::HoldingUnload);
    const int readings = pub.readingCount;
    Seconds(119 * 60);
    EXPECT_EQ(pub.readingCount, readings);
    Seconds(60);
    EXPECT_EQ(pub.readingCount, readings + 1);
}

TEST_F(EngineTest, AfterAPauseTheScheduleGoesOnAtItsMinuteAndSecond) {
    pub.run.Post(RunCommands::SetTarget{100});
    Seconds(15 * 60 + 5); // readings at 10:00, 10:05, 10:15; the next at 10:30:01
    ASSERT_EQ(pub.nextReadingText, QStringLiteral("10:30:01"));
    const int readings = pub.readingCount;
    engine.PauseTest();
    Seconds(50 * 60); // paused past the reading, to 11:05
    engine.ResumeTest();
    EXPECT_EQ(pub.run.View().pumpGate, PumpGate::closed);
    Second();
    EXPECT_EQ(pub.nextReadingText, QStringLiteral("11:30:01")) << "the time the schedule will take";
    Seconds(23 * 60);
    EXPECT_EQ(pub.readingCount, readings) << "nothing before 11:30";
    Seconds(2 * 60);
    EXPECT_EQ(pub.readingCount, readings + 1);
    EXPECT_EQ(LastClock(), QStringLiteral("11:30"));
    EXPECT_FALSE(pub.resyncActive);
    // The schedule then goes on from there.
    EXPECT_EQ(pub.nextReadingText, QStringLiteral("11:45:01"));
}

TEST_F(EngineTest, AResumeAfterTheMinuteAndSecondShowsTheNextHour) {
    pub.run.Post(RunCommands::SetTarget{100});
    Seconds(15 * 60 + 5); // the next reading at 10:30:01
    engine.PauseTest();
    Seconds(80 * 60); // to 11:35
    engine.ResumeTest();
    Second();
    EXPECT_EQ(pub.nextReadingText, QStringLiteral("12:30:01"));
}

// Power fails at 10:15 with the next reading due at 10:30:01; the instrument
// starts again at `restartAt` and reopens the file. The reading due while it
// was down is taken once the controller answers; the schedule then goes on at
// its minute and second.
struct RestartCase {
    const char* name;
    int restartAfterSeconds; // from 10:00
    int repliesAfterSeconds; // from the restart: the controller's first reply
    const char* lateReading;
    const char* nextShown;
};

class EngineRestart : public EngineTest, public ::testing::WithParamInterface<RestartCase> {};

TEST_P(EngineRestart, TheReadingDueWhileDownIsTakenOnceAndTheScheduleGoesOn) {
    const RestartCase& c = GetParam();
    pub.run.Post(RunCommands::SetTarget{100});
    Seconds(15 * 60 + 5);
    const int readings = pub.readingCount;

    ManualClock later{kStart.addSecs(c.restartAfterSeconds)};
    CPublic restarted;
    ASSERT_TRUE(device.Files().ReadDataFile(kDataPath, restarted.recordList));
    device.Files().RestoreParameters(restarted, restarted.recordList, later.Now());
    ASSERT_EQ(restarted.run.View().controlState, ControlState::Holding);
    TestEngine engineAfter{restarted, device.Files(), later};
    for (int second = 1; second <= 120; ++second) {
        later.AdvanceMs(1000);
        if (second >= c.repliesAfterSeconds)
            IdealControllerCycle(restarted, restarted.run.View().targetLoad);
        engineAfter.ScheduleTick();
    }
    ASSERT_EQ(restarted.readingCount, readings + 1) << "one reading, not one per missed time";
    const Record& late = restarted.recordList[static_cast<std::size_t>(readings)];
    EXPECT_EQ(QString::fromLatin1(late.clock, 5), QString::fromLatin1(c.lateReading));
    EXPECT_FALSE(std::isnan(late.gauge[0])) << "taken from a reply after the restart";
    EXPECT_EQ(restarted.nextReadingText, QString::fromLatin1(c.nextShown));
}

INSTANTIATE_TEST_SUITE_P(Restarts, EngineRestart,
                         ::testing::Values(
                             // Down past the 10:30 reading only: it is taken late, 10:45 follows.
                             RestartCase{"DownTwentyMinutes", 35 * 60, 1, "10:35", "10:45:01"},
                             // Down for hours: one late reading, then the stored minute and second.
                             RestartCase{"DownHours", 2 * 3600 + 40 * 60, 1, "12:40", "12:45:01"},
                             // The controller answers only after 5 s: the reading waits for it.
                             RestartCase{"ControllerLate", 2 * 3600 + 40 * 60, 5, "12:40", "12:45:01"},
                             // The next time of the schedule falls in the next hour.
                             RestartCase{"NextInTheNextHour", 2 * 3600 + 50 * 60, 1, "12:50", "13:45:01"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, AStartNeedsTheSerialAndPileNumbers) {
    pub.run.Post(RunCommands::Restore{});
    const QString refused = QStringLiteral("新试桩之后才能开始测试!");
    EXPECT_EQ(engine.StartTest(true), refused);
    SetFieldText(pub.recordList[7].textLong, QByteArrayLiteral("123456"));
    EXPECT_EQ(engine.StartTest(true), refused);
    EXPECT_FALSE(pub.run.View().running);

    SetFieldText(pub.recordList[8].textValue, QByteArrayLiteral("0001"));
    pub.interruptedMark = true;
    EXPECT_EQ(engine.StartTest(false), QString());
    EXPECT_TRUE(pub.run.View().running);
    EXPECT_FALSE(pub.interruptedMark);
    EXPECT_FALSE(pub.wizardMode);
    EXPECT_EQ(pub.paramList[Entry::uploadOff], 1.0f);
    std::vector<Record> onFile;
    ASSERT_TRUE(device.Files().ReadDataFile(kDataPath, onFile));
    EXPECT_EQ(FieldText(onFile[8].textValue), QByteArrayLiteral("0001"));
    QString path;
    ParameterList list;
    ASSERT_TRUE(device.Files().LoadSettings(path, list));
    EXPECT_EQ(path, kDataPath);
}

// A test on the simulated rig looked like a real one in its file.
TEST_F(EngineTest, ATestStartedOnTheSimulatedRigIsMarkedInItsFile) {
    for (const QString& remark : {QString(), QStringLiteral("模拟试验 时间倍率60")}) {
        SCOPED_TRACE(remark.toStdString());
        KVTFile::BuildBlankRecords(pub);
        pub.run.Post(RunCommands::Restore{});
        SetFieldText(pub.recordList[7].textLong, QByteArrayLiteral("123456"));
        SetFieldText(pub.recordList[8].textValue, QByteArrayLiteral("0001"));
        pub.simulationRemark = remark;
        ASSERT_EQ(engine.StartTest(false), QString());
        std::vector<Record> onFile;
        ASSERT_TRUE(device.Files().ReadDataFile(kDataPath, onFile));
        EXPECT_EQ(onFile.size(), pub.recordList.size());
        EXPECT_EQ(SimulationRemarkOf(onFile), remark);
    }
}

TEST_F(EngineTest, EndingTheTestResetsItOnTheNextTick) {
    int resets = 0;
    TestEngine watched{pub, device.Files(), clock,
                       EngineHooks{.offerUnloadAtMaxLoad = {},
                                   .playBeep = {},
                                   .readingTaken = {},
                                   .newTestResetDone = [&resets] { ++resets; },
                                   .clearMessageLine = {}}};
    pub.paramList[Entry::uploadOff] = 1; // nothing queued: the queue file goes
    pub.run.Post(RunCommands::SetTarget{300});
    Seconds(3);
    pub.alarmText = QStringLiteral("x");
    watched.EndTest();
    EXPECT_FALSE(pub.run.View().running);
    EXPECT_EQ(pub.run.View().controlState, ControlState::Waiting);
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 0);
    EXPECT_FALSE(device.Exists(DeviceFile::kUploadQueue));
    // The copy is kept, equal to tarvo.ini, for start-up to restore from.
    EXPECT_EQ(device.Read(DeviceFile::kSettingsCopy), device.Read(DeviceFile::kSettings));
    EXPECT_GT(pub.readingCount, 0) << "the rows stay until the reset";

    watched.CarryOutNewTestReset();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(pub.readingCount, 0);
    EXPECT_TRUE(pub.alarmText.isEmpty());
    EXPECT_TRUE(pub.interruptedMark);
    watched.CarryOutNewTestReset();
    EXPECT_EQ(resets, 1) << "one reset per request";
}

TEST_F(EngineTest, AManualReadingIsTakenOnTheNextTick) {
    engine.RequestManualReading();
    EXPECT_FALSE(pub.manualReadingRequested) << "no stage under way yet";
    pub.run.Post(RunCommands::SetTarget{100});
    Seconds(70);
    const int readings = pub.readingCount;
    engine.RequestManualReading();
    Second();
    ASSERT_EQ(pub.readingCount, readings + 1);
    EXPECT_EQ(DeviceText::ToUnicode(FieldText(pub.recordList[static_cast<std::size_t>(readings)].remark)),
              QStringLiteral(" 手动"));
}

TEST_F(EngineTest, PauseAndResumeKeepTheSettingsFile) {
    pub.run.Post(RunCommands::SetTarget{100});
    Seconds(2);
    engine.PauseTest();
    QString path;
    ParameterList list;
    ASSERT_TRUE(device.Files().LoadSettings(path, list));
    EXPECT_EQ(list[Entry::pausedFlag], 1.0f);
    // The copy is kept, equal to tarvo.ini, for start-up to restore from.
    EXPECT_EQ(device.Read(DeviceFile::kSettingsCopy), device.Read(DeviceFile::kSettings));
    engine.ResumeTest();
    ASSERT_TRUE(device.Files().LoadSettings(path, list));
    EXPECT_EQ(list[Entry::pausedFlag], 0.0f);
    EXPECT_FALSE(pub.run.View().pausedFlag);
    EXPECT_TRUE(pub.resyncSplit);
}

} // namespace

namespace {

// The controller falls silent two seconds before the 5-minute reading of a
// held stage for a while; the reading waits in its window for fresh replies.
struct Silence {
    const char* name;
    int seconds;
    bool measured; // the reading carries the true values, else it is booked as missing
};

const Silence kSilences[] = {
    {"BackWithinTheWindow", 6, true},
    {"SilentPastTheWindow", 20, false},
};

class EngineSilence : public EngineTest, public ::testing::WithParamInterface<Silence> {
  protected:
    // One second of a silent controller: five cycles, no reply.
    void SilentSecond() {
        clock.AdvanceMs(1000);
        for (int cycle = 0; cycle < 5; ++cycle)
            pub.run.Cycle();
        engine.ScheduleTick();
    }
    const Record* RowWith(char (Record::*field)[5], const char* clockText) const {
        for (const Record& row : pub.recordList) {
            if (std::memcmp(row.*field, clockText, 5) == 0)
                return &row;
        }
        return nullptr;
    }
};

TEST_P(EngineSilence, AReadingIsNeverTakenFromStaleValues) {
    const Silence& silence = GetParam();
    pub.run.Post(RunCommands::SetTarget{100});
    Seconds(5 * 60 - 2);
    pub.run.Post(RunCommands::SetPumpGate{PumpGate::open});
    for (int second = 0; second < silence.seconds; ++second) {
        SilentSecond();
        if (second >= 1) {
            EXPECT_EQ(pub.alarmText, QString::fromUtf8(kLinkFaultText)) << "second " << second;
            EXPECT_EQ(pub.run.View().pumpGate, PumpGate::closed) << "second " << second;
        }
    }
    Seconds(3);
    EXPECT_NE(pub.alarmText, QString::fromUtf8(kLinkFaultText)) << "the fault clears with the replies";
    EXPECT_FALSE(pub.run.View().linkFault);
    EXPECT_EQ(pub.run.View().pumpGate, PumpGate::closed) << "the operator opens the pump again";

    const Record* reading = RowWith(&Record::clock, "10:05");
    const Record* copy = RowWith(&Record::copyMark, "10:05");
    ASSERT_NE(reading, nullptr);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(reading->load, 100) << "the stage load";
    const QString remark = DeviceText::ToUnicode(FieldText(copy->remark));
    if (silence.measured) {
        EXPECT_EQ(reading->gauge[0], 0.0f);
        EXPECT_TRUE(remark.isEmpty()) << qPrintable(remark);
    } else {
        for (int k = 0; k < 8; ++k)
            EXPECT_TRUE(std::isnan(reading->gauge[k])) << "gauge " << k + 1;
        EXPECT_EQ(remark, QStringLiteral("通讯故障"));
    }
    EXPECT_EQ(Clocks().count(QStringLiteral("10:05")), 1) << "one reading in the window";
}

INSTANTIATE_TEST_SUITE_P(Controller, EngineSilence, ::testing::ValuesIn(kSilences),
                         [](const ::testing::TestParamInfo<Silence>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
