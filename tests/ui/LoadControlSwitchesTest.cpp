#include "MainWindowFixture.h"

#include "ui/app/ControlIds.h"
#include "ui/app/LoadControlSwitches.h"

#include <QAbstractButton>

namespace {

using namespace ControlId;

struct Step {
    int click;              // the button the operator taps (it must be shown)
    std::uint8_t gateAfter; // pump gate afterwards
    bool manualAfter;       // manual loading afterwards
    std::set<int> shown;    // switch pictures shown afterwards
};

struct Sequence {
    const char* name;
    std::vector<Step> steps;
};

constexpr std::uint8_t kClosed = PumpGate::closed;
constexpr std::uint8_t kOpen = PumpGate::open;

const Sequence kSequences[] = {
    {"pump button closes and reopens the gate",
     {{pumpAllowed, kClosed, false, {pumpProhibited, loadBlocked, manualUnavailable}},
      {pumpProhibited, kOpen, false, {pumpAllowed, loadBlocked, manualUnavailable}}}},
    {"manual loading is offered only while allowed",
     {{loadBlocked, kOpen, false, {pumpAllowed, loadAllowed, manualOff}},
      {manualOff, kOpen, true, {pumpAllowed, loadAllowed, manualOn}},
      {manualOn, kOpen, false, {pumpAllowed, loadAllowed, manualOff}},
      {loadAllowed, kOpen, false, {pumpAllowed, loadBlocked, manualUnavailable}}}},
    {"manual loading opens a closed gate and closes it again",
     {{pumpAllowed, kClosed, false, {pumpProhibited, loadBlocked, manualUnavailable}},
      {loadBlocked, kClosed, false, {pumpProhibited, loadAllowed, manualOff}},
      {manualOff, kOpen, true, {pumpAllowed, loadAllowed, manualOn}},
      {manualOn, kClosed, false, {pumpProhibited, loadAllowed, manualOff}}}},
    {"forbidding manual loading while it runs closes the gate again",
     {{pumpAllowed, kClosed, false, {pumpProhibited, loadBlocked, manualUnavailable}},
      {loadBlocked, kClosed, false, {pumpProhibited, loadAllowed, manualOff}},
      {manualOff, kOpen, true, {pumpAllowed, loadAllowed, manualOn}},
      {loadAllowed, kClosed, false, {pumpProhibited, loadBlocked, manualUnavailable}}}},
    {"the pump button ends manual loading and keeps the gate it set",
     {{pumpAllowed, kClosed, false, {pumpProhibited, loadBlocked, manualUnavailable}},
      {loadBlocked, kClosed, false, {pumpProhibited, loadAllowed, manualOff}},
      {manualOff, kOpen, true, {pumpAllowed, loadAllowed, manualOn}},
      {pumpAllowed, kClosed, false, {pumpProhibited, loadAllowed, manualOff}},
      {pumpProhibited, kOpen, false, {pumpAllowed, loadAllowed, manualOff}}}},
    {"an earlier manual loading does not close a gate opened since",
     {{pumpAllowed, kClosed, false, {pumpProhibited, loadBlocked, manualUnavailable}},
      {loadBlocked, kClosed, false, {pumpProhibited, loadAllowed, manualOff}},
      {manualOff, kOpen, true, {pumpAllowed, loadAllowed, manualOn}},
      {manualOn, kClosed, false, {pumpProhibited, loadAllowed, manualOff}},
      {pumpProhibited, kOpen, false, {pumpAllowed, loadAllowed, manualOff}},
      {loadAllowed, kOpen, false, {pumpAllowed, loadBlocked, manualUnavailable}}}},
};

} // namespace

TEST_F(MainWindowTest, SwitchButtonsSetPumpGateAndManualLoading) {
    for (const Sequence& sequence : kSequences) {
        SCOPED_TRACE(sequence.name);
        const auto window = Open();
        int stepNumber = 0;
        for (const Step& step : sequence.steps) {
            SCOPED_TRACE(++stepNumber);
            auto* button = qobject_cast<QAbstractButton*>(Control(*window, step.click));
            ASSERT_NE(button, nullptr);
            ASSERT_FALSE(button->isHidden()) << "the operator can only tap what is shown";
            button->click();
            EXPECT_EQ(pub.run.View().pumpGate, step.gateAfter);
            EXPECT_EQ(pub.run.View().manualLoad, step.manualAfter);
            EXPECT_EQ(ShownSwitches(*window), step.shown);
        }
    }
}

TEST_F(MainWindowTest, PumpButtonAndManualLoadingClearThePressureAlarm) {
    for (const std::vector<int>& taps :
         {std::vector<int>{pumpAllowed}, std::vector<int>{loadBlocked, manualOff}}) {
        SCOPED_TRACE(taps.back());
        const auto window = Open();
        pub.pressureAlarm = true;
        pub.pumpRunSeconds = 95;
        for (const int id : taps)
            qobject_cast<QAbstractButton*>(Control(*window, id))->click();
        EXPECT_FALSE(pub.pressureAlarm);
        EXPECT_EQ(pub.pumpRunSeconds, 0);
    }
}

TEST_F(MainWindowTest, AllowingManualLoadingLeavesTheAlarmAndGateAlone) {
    const auto window = Open();
    pub.pressureAlarm = true;
    qobject_cast<QAbstractButton*>(Control(*window, loadBlocked))->click();
    EXPECT_TRUE(pub.pressureAlarm);
    EXPECT_EQ(pub.run.View().pumpGate, kOpen);
    EXPECT_TRUE(window->Switches().ManualLoadAllowed());
}
