#include "core/view/LivePanel.h"

#include "core/link/MeasurementConversion.h"

#include <limits>

#include <gtest/gtest.h>

namespace {

const QString kClock = QStringLiteral("10:20:30");
const QString kNextReading = QStringLiteral("10:35:00");

class LivePanelTest : public testing::Test {
  protected:
    LivePanelTest() { pub.nextReadingText = kNextReading; }

    LivePanelView Refresh(bool manualLoadAllowed = false) {
        return RefreshLivePanel(pub, run, live, manualLoadAllowed, kClock);
    }

    void EnableOnly(std::initializer_list<int> gauges) {
        for (auto& on : pub.gaugeOn)
            on = 0;
        for (int gauge : gauges)
            pub.gaugeOn[gauge - 1] = 1;
    }

    CPublic pub;
    RunState run;
    LiveSample live;
};

struct StatusCase {
    int state;
    bool running;
    bool autoAdvance;
    std::optional<QString> word;
    std::optional<QString> next;
};

class LivePanelStatusTest : public LivePanelTest, public testing::WithParamInterface<StatusCase> {};

TEST_P(LivePanelStatusTest, ShowsTheWordAndNextReadingOfTheState) {
    const StatusCase& c = GetParam();
    run.controlState = ControlStateFromCode(c.state);
    run.running = c.running;
    pub.autoAdvance = c.autoAdvance;
    const LivePanelView view = Refresh();
    EXPECT_EQ(view.statusWord, c.word) << "state " << c.state;
    EXPECT_EQ(view.nextReadingField, c.next) << "state " << c.state;
}

INSTANTIATE_TEST_SUITE_P(States, LivePanelStatusTest,
                         testing::Values(StatusCase{0, true, false, QString::fromUtf8("待加载"), kClock},
                                         StatusCase{0, true, true, QString::fromUtf8("等  待"), kClock},
                                         StatusCase{0, false, false, QString::fromUtf8("等  待"), kClock},
                                         StatusCase{1, true, true, QString::fromUtf8("加载中"), QString()},
                                         StatusCase{2, true, true, QString::fromUtf8("维  荷"), kNextReading},
                                         StatusCase{3, true, true, QString::fromUtf8("补载中"), kNextReading},
                                         StatusCase{4, true, true, QString::fromUtf8("稳  定"), QString()},
                                         StatusCase{5, true, true, QString::fromUtf8("卸载中"), QString()},
                                         StatusCase{6, true, true, QString::fromUtf8("卸载中"), kNextReading},
                                         StatusCase{7, true, true, QString::fromUtf8("卸载中"), kNextReading},
                                         StatusCase{8, true, true, QString::fromUtf8("卸载中"),
                                                    kNextReading}));

TEST_F(LivePanelTest, AverageIsRoundedButGaugesAreNot) {
    EnableOnly({1});
    live.gaugeValue[0] = 1.225f; // "%.2f" alone would show 1.23
    const LivePanelView view = Refresh();
    EXPECT_EQ(view.averageText, QStringLiteral("1.22"));
    EXPECT_EQ(view.gaugeTexts[0], QStringLiteral("1.23"));
}

// Gauges a hair below zero averaged to "-0.00" in "位移平均".
TEST_F(LivePanelTest, ASettlementRoundingToZeroHasNoSign) {
    const struct {
        int standardCode;
        float gauge1;
        float gauge2;
        const char* average;
        const char* first;
    } cases[] = {
        {0, -0.004f, 0.001f, "0.00", "0.00"},      // average -0.0015
        {0, -0.02f, 0.0f, "-0.01", "-0.02"},       // a real rebound keeps its sign
        {3, -0.0004f, -0.0002f, "0.000", "0.000"}, // three decimals
        {3, -0.003f, -0.001f, "-0.002", "-0.003"},
    };
    EnableOnly({1, 2});
    for (const auto& c : cases) {
        pub.standardCode = c.standardCode;
        live.gaugeValue[0] = c.gauge1;
        live.gaugeValue[1] = c.gauge2;
        const LivePanelView view = Refresh();
        EXPECT_EQ(view.averageText, QString::fromLatin1(c.average)) << c.gauge1 << " " << c.gauge2;
        EXPECT_EQ(view.gaugeTexts[0], QString::fromLatin1(c.first)) << c.gauge1;
    }
}

TEST_F(LivePanelTest, AverageCountsEnabledGaugesOneToFourOnly) {
    EnableOnly({1, 3, 5, 8});
    live.gaugeValue[0] = 1.0f;
    live.gaugeValue[1] = 50.0f;
    live.gaugeValue[2] = 2.004f;
    live.gaugeValue[4] = 90.0f;
    live.gaugeValue[7] = 90.0f;

    EXPECT_FLOAT_EQ(*LiveAverageOf(pub.gaugeOn, live.gaugeValue), 1.502f); // unrounded
    EXPECT_EQ(Refresh().averageText, QStringLiteral("1.50"));
}

TEST_F(LivePanelTest, NoAverageWithoutGaugesOneToFour) {
    EnableOnly({5, 6});
    live.gaugeValue[4] = 3.0f;
    EXPECT_FALSE(LiveAverageOf(pub.gaugeOn, live.gaugeValue));
    EXPECT_EQ(Refresh().averageText, QString());
}

TEST_F(LivePanelTest, DisabledGaugesAreEmptied) {
    EnableOnly({2, 7});
    for (auto& value : live.gaugeValue)
        value = -0.5f;
    const LivePanelView view = Refresh();
    for (int k = 0; k < 8; ++k) {
        const bool on = k == 1 || k == 6;
        EXPECT_EQ(view.gaugeTexts[k], on ? QStringLiteral("-0.50") : QString()) << "gauge " << k + 1;
    }
}

TEST_F(LivePanelTest, RockStandardsShowThreeDecimals) {
    EnableOnly({1, 2, 5});
    live.gaugeValue[0] = 1.0f;
    live.gaugeValue[1] = 1.0025f;
    live.gaugeValue[4] = 12.3456f;
    for (int code : {3, 58}) {
        pub.standardCode = code;
        const LivePanelView view = Refresh();
        EXPECT_EQ(view.gaugeTexts[0], QStringLiteral("1.000"));
        EXPECT_EQ(view.gaugeTexts[4], QStringLiteral("12.346"));
        EXPECT_EQ(view.averageText, QStringLiteral("1.001")); // 1.00125 rounded
    }
    pub.standardCode = 2;
    EXPECT_EQ(Refresh().gaugeTexts[4], QStringLiteral("12.35"));
}

TEST_F(LivePanelTest, TargetLoadLosesTrailingZerosAndPoint) {
    const std::pair<float, const char*> cases[] = {
        {1200.0f, "1200"}, {1200.5f, "1200.5"}, {0.0f, "0"},
        {0.25f, "0.25"},   {-12.5f, "-12.5"},   {100.0f, "100"},
    };
    for (const auto& [target, text] : cases) {
        run.targetLoad = target;
        EXPECT_EQ(Refresh().targetLoadText, QString::fromLatin1(text)) << target;
    }
}

TEST_F(LivePanelTest, LoadAndOilPressureFields) {
    live.currentLoad = 1234.6f;
    live.oilPressure = 20.456f;
    pub.pressureSensor = 1;
    LivePanelView view = Refresh();
    EXPECT_EQ(view.currentLoadText, QStringLiteral("1235"));
    EXPECT_EQ(view.oilPressureText, QStringLiteral("20.46"));

    pub.pressureSensor = 0; // force sensor: no oil pressure to show
    view = Refresh();
    EXPECT_EQ(view.oilPressureText, QString());
}

// Stale values (the controller silent) and values that are not finite are
// shown as "--", never as frozen numbers or "nan".
TEST_F(LivePanelTest, ValuesNobodyMeasuredAreShownAsMissing) {
    pub.pressureSensor = 1;
    live.currentLoad = 100;
    live.oilPressure = 20;
    live.gaugeValue = {4.96f, 9.92f, 14.88f, 19.84f};
    run.targetLoad = 200;
    run.linkFault = true;
    LivePanelView view = Refresh();
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(view.gaugeTexts[static_cast<std::size_t>(k)], QStringLiteral("--")) << "gauge " << k + 1;
    EXPECT_EQ(view.averageText, QStringLiteral("--"));
    EXPECT_EQ(view.currentLoadText, QStringLiteral("--"));
    EXPECT_EQ(view.oilPressureText, QStringLiteral("--"));
    EXPECT_EQ(view.targetLoadText, QStringLiteral("200")) << "the target is the instrument's own";

    run.linkFault = false;
    live.gaugeValue[1] = std::numeric_limits<float>::infinity();
    live.currentLoad = std::numeric_limits<float>::quiet_NaN();
    view = Refresh();
    EXPECT_EQ(view.gaugeTexts[0], QStringLiteral("4.96"));
    EXPECT_EQ(view.gaugeTexts[1], QStringLiteral("--"));
    EXPECT_EQ(view.averageText, QStringLiteral("--"));
    EXPECT_EQ(view.currentLoadText, QStringLiteral("--"));
    EXPECT_EQ(view.oilPressureText, QStringLiteral("20.00"));
}

using Manual = SwitchPictures::Manual;

struct ButtonCase {
    std::uint8_t gate;
    bool allowed;
    bool manual;
    SwitchPictures expected;
};

class LivePanelButtonTest : public LivePanelTest, public testing::WithParamInterface<ButtonCase> {};

TEST_P(LivePanelButtonTest, ShowsOneButtonOfEachPlace) {
    const ButtonCase& c = GetParam();
    run.pumpGate = c.gate;
    run.manualLoad = c.manual;
    const LivePanelView view = Refresh(c.allowed);
    EXPECT_EQ(view.switches.pumpProhibited, c.expected.pumpProhibited);
    EXPECT_EQ(view.switches.loadAllowed, c.expected.loadAllowed);
    EXPECT_EQ(view.switches.manual, c.expected.manual);
}

INSTANTIATE_TEST_SUITE_P(Buttons, LivePanelButtonTest,
                         testing::Values(ButtonCase{0x40, false, false, {true, false, Manual::Unavailable}},
                                         ButtonCase{0x00, false, true, {false, false, Manual::Unavailable}},
                                         ButtonCase{0x00, true, false, {false, true, Manual::Off}},
                                         ButtonCase{0x40, true, true, {true, true, Manual::On}},
                                         ButtonCase{0x01, true, false, {false, true, Manual::Off}}));

TEST_F(LivePanelTest, MessageLineAndPumpSpeed) {
    pub.alarmText = QString::fromUtf8("桩基沉降超过允许值!");
    run.pump.pumpSpeed = 137;
    const LivePanelView view = Refresh();
    EXPECT_EQ(view.messageLine, pub.alarmText);
    EXPECT_EQ(view.progressPosition, 137);
}

TEST_F(LivePanelTest, ARefusedCalibrationTableTellsWhereToChooseIt) {
    pub.alarmText = QString::fromUtf8("桩基沉降超过允许值!");
    live.calibrationTableRefused = true;
    EXPECT_EQ(Refresh().messageLine, QString::fromUtf8("率定数据无效，请在测试设置中重新选择率定数据！"));
    live.calibrationTableRefused = false;
    EXPECT_EQ(Refresh().messageLine, pub.alarmText);
}

} // namespace
