#include "core/engine/TestEngine.h"
#include "core/engine/LoadControl.h"
#include "platform/Clock.h"
#include "support/TempDevice.h"

#include <cstring>

#include <gtest/gtest.h>

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
        EXPECT_TRUE(device.files().CreateDataFile(kDataPath, pub.recordList));
        EXPECT_TRUE(device.files().SaveSettingsCopy(kDataPath, pub.paramList));
        device.write(DeviceFile::kUploadQueue, QByteArray(45, '\1'));
        pub.running = true;
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
        clock.advanceMs(1000);
        pub.currentLoad = pub.targetLoad.load();
        LoadControlStep(pub);
        engine.ScheduleTick();
    }
    void Seconds(int count) {
        for (int i = 0; i < count; ++i)
            Second();
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
    TestEngine engine{pub, device.files(), clock,
                      EngineHooks{.askUnloadAtMaxLoad =
                                      [this](const QString&) {
                                          ++prompts;
                                          return unloadAnswer;
                                      },
                                  .playBeep = {},
                                  .readingTaken = {}}};
};

TEST_F(EngineTest, AHeldStageIsReadOnTheStandardsSchedule) {
    pub.targetLoad = 100;
    Seconds(120 * 60 + 5);
    // The opening row, then 0, 5, 15, 30, 45, 60, 90 and 120 minutes.
    EXPECT_EQ(Clocks(),
              (QStringList{"--:--", "10:00", "10:05", "10:15", "10:30", "10:45", "11:00", "11:30", "12:00"}));
    EXPECT_EQ(pub.nextReadingText, QStringLiteral("12:30:01"));
    // The gauges did not move: standard 5 finds the stage stable at 120 minutes.
    EXPECT_EQ(pub.controlState, 4);
}

TEST_F(EngineTest, AStableStageSignals30SecondsThenLoadsTheNextStage) {
    pub.targetLoad = 300;
    pub.lastTarget = 300;
    pub.controlState = 4;
    Seconds(29);
    EXPECT_EQ(pub.controlState, 4);
    EXPECT_EQ(pub.buzzerCode, 0xFF);
    Second();
    EXPECT_FLOAT_EQ(pub.targetLoad, 400);
    EXPECT_EQ(pub.buzzerCode, 0);
    Second();
    EXPECT_EQ(pub.controlState, 2) << "the load-control step saw the higher target, the load followed";
}

TEST_F(EngineTest, InManualModeAStableStageWaitsForTheOperator) {
    pub.autoAdvance = false;
    pub.targetLoad = 300;
    pub.lastTarget = 300;
    pub.controlState = 4;
    Seconds(30);
    EXPECT_EQ(pub.controlState, 0);
    EXPECT_FLOAT_EQ(pub.targetLoad, 300);
    // "加载下一级" signals 2 s more and waits again.
    engine.LoadNextStage();
    Seconds(1);
    EXPECT_EQ(pub.controlState, 4);
    Seconds(1);
    EXPECT_EQ(pub.controlState, 0);
    EXPECT_FLOAT_EQ(pub.targetLoad, 300);
}

TEST_F(EngineTest, AtTheMaximumLoadTheOperatorIsAskedOnce) {
    pub.targetLoad = 1000;
    pub.lastTarget = 1000;
    pub.controlState = 4;
    unloadAnswer = false; // keep the load
    Seconds(30);
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(pub.controlState, 2);
    EXPECT_FLOAT_EQ(pub.targetLoad, 1000) << "never above the maximum";
    EXPECT_FALSE(pub.maxLoadPromptOpen);

    engine.LoadNextStage();
    unloadAnswer = true;
    Seconds(2);
    EXPECT_EQ(prompts, 2);
    EXPECT_FLOAT_EQ(pub.targetLoad, 800);
    EXPECT_EQ(pub.controlState, 5);
}

TEST_F(EngineTest, AnUnloadingStageEndsAfterTheStandardsReadings) {
    pub.targetLoad = 1000;
    pub.lastTarget = 1000;
    engine.ConfirmUnloading(); // standard 5: two stages down
    Seconds(1);
    EXPECT_FLOAT_EQ(pub.targetLoad, 800);
    // Signal for 30 s, reached within the band: held; readings at 0, 15, 30, 60 minutes.
    Seconds(30 + 61 * 60);
    EXPECT_FLOAT_EQ(pub.targetLoad, 600)
        << "standard 5 unloads after the third reading past the 0-minute one";
}

TEST_F(EngineTest, TheTestEndsByItselfAfterTheFinalRebound) {
    pub.standardCode = 0; // final rebound held 20 minutes
    pub.unloadIntervals = {5, 5, 5, 5, 5, 5};
    pub.targetLoad = 200;
    pub.lastTarget = 200;
    engine.UnloadNextStage(); // 2·S and below: straight to 0
    EXPECT_FLOAT_EQ(pub.targetLoad, 0);
    Seconds(120); // 120 s of unloading signal before the final stage is held
    EXPECT_EQ(pub.controlState, 6);
    Seconds(26 * 60);
    EXPECT_TRUE(pub.testFinished);
    EXPECT_FALSE(pub.running);
    EXPECT_EQ(pub.controlState, 0);
    EXPECT_TRUE(pub.wizardMode);

    QString path;
    ParameterList list;
    ASSERT_TRUE(device.files().LoadSettings(path, list));
    EXPECT_EQ(path, kDataPath);
    EXPECT_EQ(list[Entry::endMark], 0.0f);
    EXPECT_FALSE(device.exists(DeviceFile::kUploadQueue));
    EXPECT_FALSE(device.exists(DeviceFile::kSettingsCopy));
}

TEST_F(EngineTest, APausedTestStandsStillWithThePumpClosed) {
    pub.targetLoad = 100;
    Seconds(2);
    const int readings = pub.readingCount;
    pub.pausedFlag = true;
    Seconds(600);
    EXPECT_EQ(pub.readingCount, readings);
    EXPECT_EQ(pub.alarmText, QStringLiteral("测试暂停"));
    EXPECT_EQ(pub.pumpGate, PumpGate::closed);
}

} // namespace
