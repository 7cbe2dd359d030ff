#include "RigTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PumpCase {
    const char* name;
    FrameFields frame;
    bool raisesLoad;
};

class PumpCommands : public ::testing::TestWithParam<PumpCase> {};

TEST_P(PumpCommands, RaiseTheLoadOnlyWhenAllowedRunningAndAtSpeed) {
    RigModel rig;
    runFrames(rig, GetParam().frame, 10.0);
    if (GetParam().raisesLoad)
        EXPECT_GT(rig.Load(), 20.0);
    else
        EXPECT_EQ(rig.Load(), 0.0);
}

INSTANTIATE_TEST_SUITE_P(Frames, PumpCommands,
                         ::testing::Values(PumpCase{"Running", {true, 100, true, std::nullopt}, true},
                                           PumpCase{"GateClosed", {false, 100, true, std::nullopt}, false},
                                           PumpCase{"Stopped", {true, 100, false, std::nullopt}, false},
                                           PumpCase{"SpeedZero", {true, 0, true, std::nullopt}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Pump, RunsFasterAtHigherSpeed) {
    RigModel slow;
    RigModel fast;
    runFrames(slow, pumpRunning(20), 5.0);
    runFrames(fast, pumpRunning(200), 5.0);
    EXPECT_GT(fast.Load(), 1.5 * slow.Load());
}

TEST(Pump, OnePulseNearTheTargetIsASmallStep) {
    RigModel rig;
    runFrames(rig, pumpRunning(255), 40.0);
    runFrames(rig, {}, 0.2);
    const double before = rig.Load();
    runFrames(rig, pumpRunning(20), 0.2);
    runFrames(rig, {}, 0.2);
    const double step = rig.Load() - before;
    EXPECT_GT(step, 0.5);
    EXPECT_LT(step, 3.0);
}

TEST(Pump, StopsAtTheReliefPressure) {
    RigModel rig;
    runFrames(rig, pumpRunning(255), 600.0);
    EXPECT_NEAR(rig.Pressure(), 70.0, 0.01);
}

TEST(Leak, LetsAHighLoadSinkThroughTheHoldBandWithinMinutes) {
    RigModel rig;
    runFrames(rig, pumpRunning(150), 300.0);
    runFrames(rig, {}, 0.2);
    // From the relief pressure down to 1000 kN with the pump standing.
    const double start = 1000.0;
    ASSERT_GT(rig.Load(), start);
    while (rig.Load() > start)
        rig.Advance(1000);
    double seconds = 0.0;
    while (rig.Load() > start - 10.0 && seconds < 3600.0) {
        rig.Advance(1000);
        seconds += 1.0;
    }
    EXPECT_GT(seconds, 3 * 60.0);
    EXPECT_LT(seconds, 12 * 60.0);
}

} // namespace
