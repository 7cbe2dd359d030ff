#include "RigCycle.h"
#include "RigModel.h"

#include "core/data/CPublic.h"
#include "core/engine/Alarms.h"
#include "core/engine/SettingsPublication.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>

namespace {

// The load controller and the once-a-second alarm check against the
// simulated rig, on the rig's own time: the demonstration's plant under the
// instrument's pump commands, without the schedule and its readings.
class LoadControlOnRig {
  public:
    explicit LoadControlOnRig(const RigConfig& config = {}) : m_rig(config) {
        pub.stageStep = 200;
        pub.holdBand = 10;
        pub.maxLoad = 600;
        pub.loadPulseTicks = 1; // "加载点动控制": one cycle in 17 near the target
        pub.loadProtectSeconds = 90;
        PublishSettings(pub);
        pub.run.Post(RunCommands::Start{});
    }

    // Five 200 ms cycles, then the alarm check; the load at the end.
    float RunSecond() {
        for (int cycle = 0; cycle < 5; ++cycle) {
            PlayRigCycle([this] { return pub.run.Cycle(); }, m_rig,
                         [this](const QByteArray& block) {
                             pub.run.HandleReply(
                                 std::span(reinterpret_cast<const std::uint8_t*>(block.constData()),
                                           static_cast<std::size_t>(block.size())),
                                 m_clockMs);
                         });
            m_clockMs += kRigCycleMs;
        }
        CheckAlarms(pub, pub.run.View(), pub.run.Live());
        return pub.run.Live().currentLoad;
    }

    // Seconds until the stage at `target` is reached (the controller holds
    // it), or -1 when it is not within `limit` seconds.
    int LoadStage(float target, int limit) {
        pub.run.Post(RunCommands::SetTarget{target});
        for (int second = 1; second <= limit; ++second) {
            RunSecond();
            if (pub.run.View().controlState == ControlState::Holding)
                return second;
        }
        return -1;
    }

    CPublic pub;

  private:
    RigModel m_rig;
    qint64 m_clockMs = 0;
};

// The last fifth of a 200 kN stage is pulsed, one cycle in 17: slower than
// the protection time counts, yet the pump builds pressure all along.
TEST(LoadControlOnRig, StagesOf200kNPulsedToTheirTargetRaiseNoPressureAlarm) {
    LoadControlOnRig test;
    for (const float target : {200.0f, 400.0f, 600.0f}) {
        const int seconds = test.LoadStage(target, 600);
        EXPECT_GT(seconds, 0) << target;
        EXPECT_FALSE(test.pub.pressureAlarm) << target << " kN reached after " << seconds << " s";
        EXPECT_EQ(test.pub.run.View().pumpGate, PumpGate::open) << target;
    }
}

// A burst hose: the pump runs and no pressure builds. The protection fires
// after its time and stops the pump.
TEST(LoadControlOnRig, APumpThatBuildsNoPressureRaisesTheAlarmAndStops) {
    RigConfig burst;
    burst.hydraulics.pumpBaseRate = 0;
    burst.hydraulics.pumpRatePerSpeed = 0;
    LoadControlOnRig test(burst);
    EXPECT_EQ(test.LoadStage(200, 89), -1);
    EXPECT_FALSE(test.pub.pressureAlarm) << "not before the protection time";
    for (int second = 0; second < 5; ++second)
        test.RunSecond();
    EXPECT_TRUE(test.pub.pressureAlarm);
    EXPECT_EQ(test.pub.alarmText, QStringLiteral("加不上压,请检查现场!"));
    EXPECT_EQ(test.pub.run.View().pumpGate, PumpGate::closed);
}

// The top stage judged stable, the maximum-load prompt open for an hour: the
// jack leaks, and the controller keeps the stage's load within its band.
TEST(LoadControlOnRig, AStableTopStageKeepsItsLoadWhileThePromptWaits) {
    LoadControlOnRig test;
    ASSERT_GT(test.LoadStage(600, 600), 0);
    test.pub.run.Post(RunCommands::Enter{ControlState::Stable});
    test.pub.run.Post(RunCommands::HoldAtMaxLoad{});
    float lowest = 600;
    for (int second = 0; second < 3600; ++second)
        lowest = std::min(lowest, test.RunSecond());
    EXPECT_GT(lowest, 600.0f - 10.0f - 3.0f);
    EXPECT_EQ(test.pub.run.View().controlState, ControlState::Stable);
    EXPECT_EQ(test.pub.alarmText, QString());
    EXPECT_EQ(test.pub.run.View().pumpGate, PumpGate::open);
}

} // namespace
