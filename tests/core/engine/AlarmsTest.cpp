#include "core/engine/Alarms.h"
#include "core/data/CPublic.h"
#include "support/GprsStates.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// A running test with the default limits and quiet gauges.
struct RunningTest {
    RunningTest() {
        pub.paramList = DefaultParameterList();
        pub.run.Post(RunCommands::Start{});
        pub.run.Post(RunCommands::Enter{ControlState::Holding});
        pub.maxSettlement = 40;
        pub.maxUnevenSettlement = 10;
        pub.loadProtectSeconds = 90;
        pub.anchorUpliftAlarm = 10;
        for (int k = 0; k < 8; ++k)
            pub.gaugeOn[k] = 1;
        for (std::size_t k = 0; k < 4; ++k)
            live.gaugeValue[k] = 5.0f;
        live.liveAverage = 5.0f;
        pub.gprs.SetSaveQueue([this](const std::vector<UploadFrame>&) { return queueSaves; });
    }
    // One second's check with this test's live sample and pump speed; the
    // worker ran the pump in `runCyclesPerSecond` of the second's five cycles.
    AlarmOutcome Check() {
        RunState run = pub.run.View();
        run.pump.pumpSpeed = pumpSpeed;
        runCycles += pumpSpeed > 0 ? static_cast<std::uint32_t>(runCyclesPerSecond) : 0;
        run.pump.runCycles = runCycles;
        return CheckAlarms(pub, run, live);
    }
    bool queueSaves = true;
    CPublic pub;
    LiveSample live;
    int pumpSpeed = 0;
    int runCyclesPerSecond = 5;
    std::uint32_t runCycles = 0;
};

TEST(Alarms, EachAlarmShowsItsTextAndSoundsTheBuzzer) {
    const struct {
        const char* name;
        std::function<void(RunningTest&)> arrange;
        const char* text;
        bool beep;
    } cases[] = {
        {"nothing wrong", [](RunningTest&) {}, "", false},
        {"uneven settlement", [](RunningTest& t) { t.live.gaugeValue[2] = 15.5f; }, "不均匀沉降超过允许值",
         true},
        {"settlement", [](RunningTest& t) { t.live.liveAverage = 40.5f; }, "桩基沉降超过允许值!", true},
        {"anchor uplift", [](RunningTest& t) { t.live.gaugeValue[5] = 10.2f; }, "锚桩上拔超过允许值!", true},
        {"anchor gauge off",
         [](RunningTest& t) {
             t.live.gaugeValue[5] = 10.2f;
             t.pub.gaugeOn[5] = 0;
         },
         "", false},
        {"pressure not building", [](RunningTest& t) { t.pub.pressureAlarm = true; }, "加不上压,请检查现场!",
         true},
        {"gauge near its range", [](RunningTest& t) { t.live.nearRange[1] = true; },
         "位移接近最大量程！请调整!", true},
        {"module not registered", [](RunningTest& t) { DriveGprsState(t.pub.gprs, 3); }, "gprs模块未登记!",
         true},
        {"module test passed: buzzer only", [](RunningTest& t) { DriveGprsState(t.pub.gprs, 4); },
         "gprs模块测试成功！", false},
        {"remote fault", [](RunningTest& t) { DriveGprsState(t.pub.gprs, 5); }, "远程传输出现故障！", true},
        {"upload queue not saved",
         [](RunningTest& t) {
             t.queueSaves = false;
             t.pub.gprs.Append(UploadFrame{});
         },
         "上传数据存储失败,请检查磁盘!", true},
        {"remote fault, upload off",
         [](RunningTest& t) {
             DriveGprsState(t.pub.gprs, 5);
             t.pub.paramList[Entry::uploadOff] = 1;
         },
         "", false},
        {"the last alarm wins",
         [](RunningTest& t) {
             t.live.liveAverage = 41;
             t.live.nearRange[0] = true;
         },
         "位移接近最大量程！请调整!", true},
        {"limits of 0 are off",
         [](RunningTest& t) {
             t.pub.maxSettlement = 0;
             t.live.liveAverage = 99;
         },
         "", false},
    };
    for (const auto& c : cases) {
        RunningTest fresh;
        c.arrange(fresh);
        const AlarmOutcome outcome = fresh.Check();
        EXPECT_EQ(fresh.pub.alarmText, QString::fromUtf8(c.text)) << c.name;
        EXPECT_EQ(fresh.pub.run.View().buzzerCode, *c.text ? 0xFF : 0) << c.name;
        EXPECT_EQ(outcome.playBeep, c.beep) << c.name;
    }
}

TEST(Alarms, APumpRunningPastItsProtectionTimeRaisesThePressureAlarm) {
    RunningTest test;
    CPublic& pub = test.pub;
    pub.loadProtectSeconds = 3;
    test.pumpSpeed = 50;
    for (int second = 1; second <= 3; ++second) {
        test.Check();
        EXPECT_FALSE(pub.pressureAlarm) << second;
    }
    test.Check();
    EXPECT_TRUE(pub.pressureAlarm);
    EXPECT_EQ(pub.alarmText, QStringLiteral("加不上压,请检查现场!"));

    // A pump that stops restarts the count; the alarm stays until the operator clears it.
    test.pumpSpeed = 0;
    test.Check();
    EXPECT_EQ(pub.pumpRunSeconds, 0);
    EXPECT_TRUE(pub.pressureAlarm);
}

// Near its target the pump is pulsed: commanded every cycle, run in one
// cycle of 17. Seconds without a pulse neither count nor restart the count.
TEST(Alarms, ThePressureProtectionCountsTheSecondsThePumpRan) {
    const struct {
        const char* name;
        std::vector<int> runCycles; // per second, repeated; -1: pump not commanded
        int seconds;
        bool alarm;
    } cases[] = {
        {"running through", {5}, 4, true},
        {"pulsed: one second in three runs", {0, 1, 0}, 9, false},
        {"pulsed long enough", {0, 1, 0}, 12, true},
        {"a stop restarts the count", {1, 1, 1, -1}, 16, false},
        {"commanded, never run", {0}, 30, false},
    };
    for (const auto& c : cases) {
        RunningTest test;
        test.pub.loadProtectSeconds = 3;
        for (int second = 0; second < c.seconds; ++second) {
            const int cycles = c.runCycles[static_cast<std::size_t>(second) % c.runCycles.size()];
            test.pumpSpeed = cycles < 0 ? 0 : 30;
            test.runCyclesPerSecond = std::max(cycles, 0);
            test.Check();
        }
        EXPECT_EQ(test.pub.pressureAlarm, c.alarm) << c.name;
    }
}

// A load above the maximum, whatever drives it, stops the pump in every
// stage: also while unloading, where the pressure protection is off.
TEST(Alarms, ALoadAboveTheMaximumStopsThePump) {
    using S = ControlState;
    const struct {
        S state;
        float load;
        bool overload;
    } cases[] = {
        {S::Loading, 1025, true},  {S::Holding, 1021, true},    {S::Reloading, 1030, true},
        {S::Stable, 1030, true},   {S::Unloading, 1100, true},  {S::HoldingUnload, 1021, true},
        {S::Holding, 1019, false}, {S::Unloading, 1000, false}, {S::HoldingUnload, 800, false},
    };
    for (const auto& c : cases) {
        RunningTest test;
        CPublic& pub = test.pub;
        pub.maxLoad = 1000;
        pub.holdBand = 10;
        pub.run.Post(RunCommands::SetPumpGate{PumpGate::open});
        pub.run.Post(RunCommands::Enter{c.state});
        test.live.currentLoad = c.load;
        const std::string name = std::to_string(StoredCode(c.state)) + " at " + std::to_string(c.load);
        for (int second = 1; second <= 3; ++second)
            test.Check();
        EXPECT_EQ(pub.alarmText, c.overload ? QString::fromUtf8(kOverloadText) : QString()) << name;
        EXPECT_EQ(pub.run.View().pumpGate, c.overload ? PumpGate::closed : PumpGate::open) << name;
    }
    // No maximum set: no limit.
    RunningTest unset;
    unset.pub.maxLoad = 0;
    unset.live.currentLoad = 5000;
    unset.Check();
    EXPECT_EQ(unset.pub.alarmText, QString());
}

TEST(Alarms, WhileUnloadingAPumpRunningLongIsNoPressureFault) {
    for (const ControlState state : {ControlState::Unloading, ControlState::HoldingUnload}) {
        RunningTest test;
        CPublic& pub = test.pub;
        pub.run.Post(RunCommands::SetPumpGate{PumpGate::open});
        pub.pressureAlarm = true; // raised while the last stage was loading
        pub.run.Post(RunCommands::Enter{state});
        pub.loadProtectSeconds = 3;
        test.pumpSpeed = 50; // the draw-down pump of a double-circuit jack
        for (int second = 1; second <= 10; ++second)
            test.Check();
        EXPECT_FALSE(pub.pressureAlarm) << StoredCode(state);
        EXPECT_EQ(pub.alarmText, QString()) << StoredCode(state);
        EXPECT_EQ(pub.run.View().pumpGate, PumpGate::open) << StoredCode(state);
    }
}

TEST(Alarms, APersistingAlarmClosesThePumpGateInItsThirdSecond) {
    RunningTest test;
    CPublic& pub = test.pub;
    pub.run.Post(RunCommands::SetPumpGate{PumpGate::open});
    test.live.liveAverage = 45.0f;
    test.Check();
    test.Check();
    EXPECT_EQ(pub.run.View().pumpGate, PumpGate::open);
    const AlarmOutcome third = test.Check();
    EXPECT_EQ(pub.run.View().pumpGate, PumpGate::closed);
    EXPECT_TRUE(third.playBeep);
    EXPECT_EQ(pub.alarmSeconds, 0);

    // Waiting for the operator (state 0) the pump is not stopped.
    RunningTest waiting;
    waiting.pub.run.Post(RunCommands::Enter{ControlState::Waiting});
    waiting.live.liveAverage = 45.0f;
    for (int second = 0; second < 5; ++second)
        waiting.Check();
    EXPECT_EQ(waiting.pub.run.View().pumpGate, PumpGate::open);
}

TEST(Alarms, TheMessageLineIsKeptOnlyWhenAllThreeLoadAlarmsHold) {
    RunningTest test;
    CPublic& pub = test.pub;
    EXPECT_TRUE(test.Check().clearMessageLine);
    pub.pressureAlarm = true;
    test.live.gaugeValue[0] = 20.0f; // uneven
    test.live.liveAverage = 45.0f;
    EXPECT_FALSE(test.Check().clearMessageLine);
}

} // namespace
