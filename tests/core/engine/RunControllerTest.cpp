#include "core/engine/RunController.h"
#include "core/link/MeasurementConversion.h"
#include "support/RunStateSetup.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <optional>
#include <thread>

namespace {

// A load controller whose cycles can be interrupted: `DuringNextCycle` sends
// a command while the worker is inside its next cycle, after it took the
// queue and before it published.
class CommandDuringCycle : public ::testing::Test {
  protected:
    CommandDuringCycle() {
        ControlSettings settings;
        settings.holdBand = 10;
        settings.stageStep = 100;
        run.SetControlSettings(settings);
    }

    void DuringNextCycle(RunCommand command) { m_duringCycle = command; }
    void Cycle(float load) {
        IdealReply(run, load);
        run.Cycle();
    }

    RunController run{[this] {
        if (m_duringCycle) {
            run.Post(*m_duringCycle);
            m_duringCycle.reset();
        }
    }};

  private:
    std::optional<RunCommand> m_duringCycle;
};

TEST_F(CommandDuringCycle, UnloadingConfirmationChangesStateAndTargetTogether) {
    run.Post(RunCommands::Restore{
        .running = true, .state = ControlState::Holding, .target = 1000, .lastTarget = 1000});
    Cycle(1000);
    const RunState before = run.View();

    DuringNextCycle(RunCommands::EnterWithTarget{ControlState::Unloading, 800});
    Cycle(1000);
    // Not lost: the sender reads it back at once, though the cycle did not apply it.
    EXPECT_EQ(run.View().controlState, ControlState::Unloading);
    EXPECT_EQ(run.View().targetLoad, 800.0f);

    Cycle(1000);
    const RunState after = run.View();
    EXPECT_EQ(after.controlState, ControlState::Unloading);
    EXPECT_EQ(after.lastTarget, 800.0f);
    EXPECT_EQ(after.stageChanges, before.stageChanges + 1) << "one stage opening for the new target";
    EXPECT_EQ(after.stageReaches, before.stageReaches)
        << "never held at the old target: the load is still far above 800";
}

TEST_F(CommandDuringCycle, StageAdvanceDuringLoadingIsTakenAtTheNextCycle) {
    run.Post(RunCommands::Restore{
        .running = true, .state = ControlState::Loading, .target = 200, .lastTarget = 200});
    Cycle(150);
    DuringNextCycle(RunCommands::SetTarget{300});
    Cycle(160);
    const RunState between = run.View();
    EXPECT_EQ(between.targetLoad, 300.0f);
    EXPECT_EQ(between.lastTarget, 200.0f) << "the cycle it arrived in has not seen it";

    Cycle(170);
    const RunState after = run.View();
    EXPECT_EQ(after.lastTarget, 300.0f);
    EXPECT_EQ(after.controlState, ControlState::Loading);
    EXPECT_EQ(after.stageChanges, between.stageChanges + 1);
}

TEST_F(CommandDuringCycle, PauseDuringReloadingStopsThePumpAtTheNextCycle) {
    run.Post(RunCommands::Restore{
        .running = true, .state = ControlState::Reloading, .target = 500, .lastTarget = 500});
    run.Post(RunCommands::SetPumpGate{PumpGate::open});
    Cycle(470);
    DuringNextCycle(RunCommands::Pause{});
    IdealReply(run, 470);
    const CommandFrame during = run.Cycle().frame;
    EXPECT_EQ(during[3], 40) << "the frame composed before the pause still runs the pump";

    IdealReply(run, 470);
    const CommandFrame next = run.Cycle().frame;
    EXPECT_EQ(next[3], 0);
    EXPECT_EQ(next[4], 0);
    const RunState after = run.View();
    EXPECT_TRUE(after.pausedFlag);
    EXPECT_EQ(after.controlState, ControlState::Reloading) << "the worker's own state is kept";
}

TEST(RunController, AViewShowsQueuedCommandsInTheOrderSent) {
    RunController run;
    run.Post(RunCommands::SetTarget{100});
    run.Post(RunCommands::Start{});
    run.Post(RunCommands::SetTarget{200});
    const RunState view = run.View();
    EXPECT_TRUE(view.running);
    EXPECT_EQ(view.targetLoad, 200.0f);
    EXPECT_EQ(view.lastTarget, 0.0f) << "only a cycle moves the last target";
    run.Cycle();
    EXPECT_EQ(run.View().lastTarget, 200.0f);
    EXPECT_EQ(run.View().controlState, ControlState::Loading);
}

TEST(RunController, ARequestIsJudgedAgainstWhatIsAlreadyQueued) {
    RunController run;
    for (int second = 0; second < 100; ++second)
        run.RequestBuzzer(0);
    run.RequestPumpGate(PumpGate::closed);
    run.RequestPumpGate(PumpGate::closed);
    run.RequestBuzzer(0xFF);
    run.RequestBuzzer(0); // the published state still says 0, the queue says 0xFF
    run.Cycle();
    EXPECT_EQ(run.View().pumpGate, PumpGate::closed);
    EXPECT_EQ(run.View().buzzerCode, 0);
}

TEST(RunController, SamplesAreNumberedAndStampedWithTheirArrival) {
    RunController run;
    EXPECT_EQ(run.Live().number, 0u) << "no reply yet";
    std::array<std::uint8_t, kReplyBlockSize> quiet{};
    EXPECT_FALSE(run.HandleReply(quiet, 1000));
    IdealReply(run, 120);
    std::array<std::uint8_t, kReplyBlockSize> reply{};
    reply[1] = 130;
    EXPECT_TRUE(run.HandleReply(reply, 5000));
    const LiveSample live = run.Live();
    EXPECT_EQ(live.number, 2u);
    EXPECT_EQ(live.arrivalMs, 5000);
    EXPECT_EQ(live.currentLoad, 130.0f);
}

// Commands from another thread while the worker cycles: none is lost, and a
// command that changes state and target is never seen half-applied.
TEST(RunController, CommandsFromAnotherThreadAreNeitherLostNorTorn) {
    RunController run;
    run.Post(RunCommands::Restore{
        .running = true, .state = ControlState::Holding, .target = 1000, .lastTarget = 1000});
    constexpr int kCommands = 20000;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        int cycle = 0;
        while (!done) {
            // The load wanders across the hold band: the worker moves 2 <-> 3 itself.
            IdealReply(run, cycle++ % 2 == 0 ? 1000.0f : 980.0f);
            run.Cycle();
        }
    });
    for (int i = 1; i <= kCommands; ++i) {
        const float target = static_cast<float>(1000 + i);
        run.Post(RunCommands::EnterWithTarget{ControlState::Stable, target});
        const RunState view = run.View();
        ASSERT_EQ(view.targetLoad, target);
        // Stable is left only by the worker's own target-change rule.
        ASSERT_TRUE(view.controlState == ControlState::Stable || view.controlState == ControlState::Loading)
            << StoredCode(view.controlState);
    }
    done = true;
    worker.join();
    run.Cycle();
    EXPECT_EQ(run.View().targetLoad, static_cast<float>(1000 + kCommands));
    EXPECT_EQ(run.View().lastTarget, static_cast<float>(1000 + kCommands));
}

} // namespace
