#include "core/engine/ControlStateMachine.h"

#include <gtest/gtest.h>

namespace {

constexpr float kBand = 10;

// One control step from a given state, target and load (hold band 10).
struct Step {
    const char* name;
    ControlState state;
    float lastTarget;
    float target;
    float load;
    bool finalUnloadSignalled;
    ControlState expectedState;
    bool stageChanged;
    bool stageReached;
};

TEST(LoadControlStep, MovesTheControlStateByTargetAndLoad) {
    using S = ControlState;
    const Step steps[] = {
        {"target raised: loading", S::Waiting, 0, 100, 0, false, S::Loading, true, false},
        {"target raised and already reached", S::Waiting, 0, 100, 105, false, S::Holding, true, true},
        {"loading, not there yet", S::Loading, 100, 100, 99.9f, false, S::Loading, false, false},
        {"loading reaches the target", S::Loading, 100, 100, 100, false, S::Holding, false, true},
        {"holding within the band", S::Holding, 100, 100, 90.5f, false, S::Holding, false, false},
        {"holding, sank past the band: re-load", S::Holding, 100, 100, 89.9f, false, S::Reloading, false,
         false},
        {"re-loading, more than half the band short", S::Reloading, 100, 100, 94.9f, false, S::Reloading,
         false, false},
        {"re-loading within half the band: hold", S::Reloading, 100, 100, 95.1f, false, S::Holding, false,
         false},
        {"target lowered: unloading", S::Holding, 500, 300, 500, false, S::Unloading, true, false},
        {"unloading, still high", S::Unloading, 300, 300, 320.5f, false, S::Unloading, false, false},
        {"unloading within twice the band", S::Unloading, 300, 300, 320, false, S::HoldingUnload, false,
         true},
        {"final unloading before its signal is over", S::Unloading, 0, 0, 0, false, S::Unloading, false,
         false},
        {"final unloading after 120 s, whatever the load", S::Unloading, 0, 0, 250, true, S::HoldingUnload,
         false, true},
        {"unloading stage held, load sinks: stays", S::HoldingUnload, 300, 300, 250, false, S::HoldingUnload,
         false, false},
        {"stable waits for the engine", S::Stable, 100, 100, 50, false, S::Stable, false, false},
    };
    for (const Step& s : steps) {
        RunState run;
        run.controlState = s.state;
        run.lastTarget = s.lastTarget;
        run.targetLoad = s.target;
        run.finalUnloadSignalled = s.finalUnloadSignalled;
        LoadControlStep(run, s.load, kBand);
        EXPECT_EQ(run.controlState, s.expectedState) << s.name;
        EXPECT_EQ(run.stageChanges, s.stageChanged ? 1u : 0u) << s.name;
        EXPECT_EQ(run.stageReaches, s.stageReached ? 1u : 0u) << s.name;
        EXPECT_FLOAT_EQ(run.lastTarget, s.target) << s.name;
    }
}

TEST(LoadControlStep, ReloadingHasHysteresis) {
    RunState run;
    run.targetLoad = 100;
    run.lastTarget = 100;
    run.controlState = ControlState::Holding;
    using S = ControlState;
    const struct {
        float load;
        ControlState state;
    } sequence[] = {{95, S::Holding},    {89, S::Reloading}, {92, S::Reloading},   {94.9f, S::Reloading},
                    {95.5f, S::Holding}, {91, S::Holding},   {89.5f, S::Reloading}};
    for (const auto& s : sequence) {
        LoadControlStep(run, s.load, kBand);
        EXPECT_EQ(run.controlState, s.state) << "load " << s.load;
    }
}

TEST(RunCommands, EachChangesOnlyItsFields) {
    RunState run;
    run.running = true;
    run.controlState = ControlState::Holding;
    run.targetLoad = 300;
    run.lastTarget = 300;
    run.stageChanges = 4;
    run.pump.pumpSpeed = 50;

    RunState unloading = run;
    ApplyRunCommand(unloading, RunCommands::EnterWithTarget{ControlState::Unloading, 100});
    EXPECT_EQ(unloading.controlState, ControlState::Unloading);
    EXPECT_EQ(unloading.targetLoad, 100.0f);
    EXPECT_EQ(unloading.lastTarget, 300.0f) << "the next step sees the lower target";

    RunState paused = run;
    paused.manualLoad = true;
    ApplyRunCommand(paused, RunCommands::Pause{});
    EXPECT_TRUE(paused.pausedFlag);
    EXPECT_FALSE(paused.manualLoad);
    ApplyRunCommand(paused, RunCommands::Resume{});
    EXPECT_FALSE(paused.pausedFlag);
    EXPECT_EQ(paused.pumpGate, PumpGate::closed) << "the operator opens the pump again";

    RunState ended = run;
    ApplyRunCommand(ended, RunCommands::Stop{.finished = false});
    EXPECT_FALSE(ended.running);
    EXPECT_EQ(ended.controlState, ControlState::Waiting);
    EXPECT_EQ(ended.targetLoad, 0.0f);
    EXPECT_EQ(ended.lastTarget, 0.0f);
    EXPECT_EQ(ended.pump.pumpSpeed, 50) << "only the automatic end zeroes the speed";
    RunState finished = run;
    finished.pausedFlag = true;
    ApplyRunCommand(finished, RunCommands::Stop{.finished = true});
    EXPECT_EQ(finished.pump.pumpSpeed, 0);
    EXPECT_FALSE(finished.pausedFlag);

    RunState reset = run;
    ApplyRunCommand(reset, RunCommands::Reset{});
    EXPECT_FALSE(reset.running);
    EXPECT_EQ(reset.targetLoad, 0.0f);
    EXPECT_EQ(reset.stageChanges, 4u) << "event counts go on across a new test";
}

// The stable top stage keeps its load while the maximum-load prompt waits:
// the pump tops it up with the hysteresis of re-loading, and the state stays
// Stable. The 30 s signal before the prompt leaves the load alone.
TEST(LoadControlStep, AStableStageTopsItsLoadUpWhileThePromptWaits) {
    RunState run;
    run.controlState = ControlState::Stable;
    run.targetLoad = run.lastTarget = 100;
    LoadControlStep(run, 80, kBand);
    EXPECT_FALSE(run.stableTopUp) << "no prompt yet";

    ApplyRunCommand(run, RunCommands::HoldAtMaxLoad{});
    const struct {
        float load;
        bool topUp;
    } loads[] = {{95, false}, {90.5f, false}, {89.9f, true}, {94.9f, true}, {95.1f, false}, {89, true}};
    for (const auto& step : loads) {
        LoadControlStep(run, step.load, kBand);
        EXPECT_EQ(run.controlState, ControlState::Stable) << step.load;
        EXPECT_EQ(run.stableTopUp, step.topUp) << step.load;
    }
    // Leaving the stage ends the top-up and the hold.
    run.controlState = ControlState::Unloading;
    LoadControlStep(run, 80, kBand);
    EXPECT_FALSE(run.stableTopUp);
    EXPECT_FALSE(run.holdAtMaxLoad);
}

} // namespace
