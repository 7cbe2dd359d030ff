#include "core/engine/Alarms.h"
#include "core/data/CPublic.h"

#include <functional>

#include <gtest/gtest.h>

namespace {

// A running test with the default limits and quiet gauges.
struct RunningTest {
    RunningTest() {
        pub.paramList = DefaultParameterList();
        pub.running = true;
        pub.controlState = 2;
        pub.maxSettlement = 40;
        pub.maxUnevenSettlement = 10;
        pub.loadProtectSeconds = 90;
        pub.anchorUpliftAlarm = 10;
        for (int k = 0; k < 8; ++k)
            pub.gaugeOn[k] = 1;
        for (int k = 0; k < 4; ++k)
            pub.gaugeValue[k] = 5.0f;
        pub.liveAverage = 5.0f;
    }
    CPublic pub;
};

TEST(Alarms, EachAlarmShowsItsTextAndSoundsTheBuzzer) {
    const struct {
        const char* name;
        std::function<void(CPublic&)> arrange;
        const char* text;
        bool beep;
    } cases[] = {
        {"nothing wrong", [](CPublic&) {}, "", false},
        {"uneven settlement", [](CPublic& p) { p.gaugeValue[2] = 15.5f; }, "不均匀沉降超过允许值", true},
        {"settlement", [](CPublic& p) { p.liveAverage = 40.5f; }, "桩基沉降超过允许值!", true},
        {"anchor uplift", [](CPublic& p) { p.gaugeValue[5] = 10.2f; }, "锚桩上拔超过允许值!", true},
        {"anchor gauge off",
         [](CPublic& p) {
             p.gaugeValue[5] = 10.2f;
             p.gaugeOn[5] = 0;
         },
         "", false},
        {"pressure not building", [](CPublic& p) { p.pressureAlarm = true; }, "加不上压,请检查现场!", true},
        {"gauge near its range", [](CPublic& p) { p.nearRange[1] = true; }, "位移接近最大量程！请调整!",
         true},
        {"module not registered", [](CPublic& p) { p.gprsState = 3; }, "gprs模块未登记!", true},
        {"module test passed: buzzer only", [](CPublic& p) { p.gprsState = 4; }, "gprs模块测试成功！", false},
        {"remote fault", [](CPublic& p) { p.gprsState = 5; }, "远程传输出现故障！", true},
        {"remote fault, upload off",
         [](CPublic& p) {
             p.gprsState = 5;
             p.paramList[Entry::uploadOff] = 1;
         },
         "", false},
        {"the last alarm wins",
         [](CPublic& p) {
             p.liveAverage = 41;
             p.nearRange[0] = true;
         },
         "位移接近最大量程！请调整!", true},
        {"limits of 0 are off",
         [](CPublic& p) {
             p.maxSettlement = 0;
             p.liveAverage = 99;
         },
         "", false},
    };
    for (const auto& c : cases) {
        RunningTest fresh;
        c.arrange(fresh.pub);
        const AlarmOutcome outcome = CheckAlarms(fresh.pub);
        EXPECT_EQ(fresh.pub.alarmText, QString::fromUtf8(c.text)) << c.name;
        EXPECT_EQ(fresh.pub.buzzerCode, *c.text ? 0xFF : 0) << c.name;
        EXPECT_EQ(outcome.playBeep, c.beep) << c.name;
    }
}

TEST(Alarms, APumpRunningPastItsProtectionTimeRaisesThePressureAlarm) {
    RunningTest test;
    CPublic& pub = test.pub;
    pub.loadProtectSeconds = 3;
    pub.pumpSpeed = 50;
    for (int second = 1; second <= 3; ++second) {
        CheckAlarms(pub);
        EXPECT_FALSE(pub.pressureAlarm) << second;
    }
    CheckAlarms(pub);
    EXPECT_TRUE(pub.pressureAlarm);
    EXPECT_EQ(pub.alarmText, QStringLiteral("加不上压,请检查现场!"));

    // A pump that stops restarts the count; the alarm stays until the operator clears it.
    pub.pumpSpeed = 0;
    CheckAlarms(pub);
    EXPECT_EQ(pub.pumpRunSeconds, 0);
    EXPECT_TRUE(pub.pressureAlarm);
}

TEST(Alarms, APersistingAlarmClosesThePumpGateInItsThirdSecond) {
    RunningTest test;
    CPublic& pub = test.pub;
    pub.pumpGate = PumpGate::open;
    pub.liveAverage = 45.0f;
    CheckAlarms(pub);
    CheckAlarms(pub);
    EXPECT_EQ(pub.pumpGate, PumpGate::open);
    const AlarmOutcome third = CheckAlarms(pub);
    EXPECT_EQ(pub.pumpGate, PumpGate::closed);
    EXPECT_TRUE(third.playBeep);
    EXPECT_EQ(pub.alarmSeconds, 0);

    // Waiting for the operator (state 0) the pump is not stopped.
    RunningTest waiting;
    waiting.pub.controlState = 0;
    waiting.pub.liveAverage = 45.0f;
    for (int second = 0; second < 5; ++second)
        CheckAlarms(waiting.pub);
    EXPECT_EQ(waiting.pub.pumpGate, PumpGate::open);
}

TEST(Alarms, TheMessageLineIsKeptOnlyWhenAllThreeLoadAlarmsHold) {
    RunningTest test;
    CPublic& pub = test.pub;
    EXPECT_TRUE(CheckAlarms(pub).clearMessageLine);
    pub.pressureAlarm = true;
    pub.gaugeValue[0] = 20.0f; // uneven
    pub.liveAverage = 45.0f;
    EXPECT_FALSE(CheckAlarms(pub).clearMessageLine);
}

} // namespace
