#include "core/link/CommandComposer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::uint8_t kOn = 0xFF;

class CommandComposerTest : public testing::Test {
  protected:
    CommandComposerTest() {
        in.running = true;
        settings.gaugeMask = 0x0F;
    }

    CommandCycle Compose() { return ComposeCommand(in, settings, counters); }

    // Byte 4 (pump run) of the next `cycles` frames.
    std::vector<std::uint8_t> PumpRunBytes(int cycles) {
        std::vector<std::uint8_t> run;
        for (int i = 0; i < cycles; ++i)
            run.push_back(Compose().frame[4]);
        return run;
    }

    FrameInputs in;
    ControlSettings settings;
    PumpCounters counters;
};

// `periods` repetitions of: `off` cycles 0, `on` cycles 0xFF, `rest` cycles 0.
std::vector<std::uint8_t> Pattern(int off, int on, int rest, int periods) {
    std::vector<std::uint8_t> bytes;
    for (int p = 0; p < periods; ++p) {
        bytes.insert(bytes.end(), off, 0);
        bytes.insert(bytes.end(), on, kOn);
        bytes.insert(bytes.end(), rest, 0);
    }
    return bytes;
}

TEST_F(CommandComposerTest, IdleFrameCarriesOnlyTheGaugeMask) {
    in.running = false;
    settings.gaugeMask = 0xA5;
    in.state = ControlState::Loading;
    in.target = 500;
    in.current = 20;
    in.pumpGate = 0x40;
    in.manualLoad = true;
    in.buzzerCode = 0xFF;
    counters.beepTicks = 3;

    for (int cycle = 0; cycle < 3; ++cycle) {
        const CommandCycle c = Compose();
        EXPECT_EQ(c.frame, (CommandFrame{0, 0xA5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        EXPECT_FALSE(c.playBeep);
    }
    EXPECT_EQ(counters.beepTicks, 3); // the countdown waits for a running test
    EXPECT_EQ(counters.buzzerPhase, 0);
}

TEST_F(CommandComposerTest, LoadingSpeedIsTheShortfallPlusTen) {
    in.state = ControlState::Loading;
    in.target = 100;
    EXPECT_EQ(Compose().frame[3], 110);
}

struct SpeedCase {
    std::string what;
    int state;
    float target, current, band;
    bool doubleCircuit = false;
    bool paused = false;
    std::uint8_t gate = 0;
    bool manual = false;
    int speed;
    std::uint8_t run;
    bool topUp = false;
};

class PumpSpeedTest : public CommandComposerTest, public testing::WithParamInterface<SpeedCase> {};

TEST_P(PumpSpeedTest, FollowsTheControlState) {
    const SpeedCase& c = GetParam();
    SCOPED_TRACE(c.what);
    in.state = static_cast<ControlState>(c.state);
    in.target = c.target;
    in.current = c.current;
    settings.holdBand = c.band;
    settings.doubleCircuitJack = c.doubleCircuit;
    in.paused = c.paused;
    in.pumpGate = c.gate;
    in.manualLoad = c.manual;
    in.topUp = c.topUp;
    settings.stageStep = 0; // no near-target band: the pump runs through

    const CommandFrame frame = Compose().frame;
    EXPECT_EQ(frame[0], c.gate);
    EXPECT_EQ(frame[2], 0);
    EXPECT_EQ(frame[3], c.speed);
    EXPECT_EQ(frame[4], c.run);
    EXPECT_EQ(counters.pumpSpeed, c.speed);
}

INSTANTIATE_TEST_SUITE_P(
    States, PumpSpeedTest,
    testing::Values(
        SpeedCase{"loading", 1, 100, 50, 5, false, false, 0, false, 60, kOn},
        SpeedCase{"re-loading", 3, 100, 95, 5, false, false, 0, false, 15, kOn},
        SpeedCase{"speed above 255 is sent as 255", 1, 400, 0, 5, false, false, 0, false, 255, kOn},
        SpeedCase{"overshoot gives a negative speed", 1, 100, 120, 5, false, false, 0, false, 0, 0},
        SpeedCase{"speed is truncated, not rounded", 1, 100, 99.3f, 5, false, false, 0, false, 10, kOn},
        SpeedCase{"a speed below 1 stops the pump", 1, 100, 109.5f, 5, false, false, 0, false, 0, 0},
        SpeedCase{"holding leaves the pump off", 2, 100, 50, 5, false, false, 0, false, 0, 0},
        SpeedCase{"stable leaves the pump off", 4, 100, 50, 5, false, false, 0, false, 0, 0},
        SpeedCase{"stable tops its load up", 4, 100, 50, 5, false, false, 0, false, 60, kOn, true},
        SpeedCase{"stable top-up, pump gate closed", 4, 100, 50, 5, false, false, 0x40, false, 0, 0, true},
        SpeedCase{"stable top-up, paused", 4, 100, 50, 5, false, true, 0, false, 0, 0, true},
        SpeedCase{"waiting leaves the pump off", 0, 100, 50, 5, false, false, 0, false, 0, 0},
        SpeedCase{"unloading, load sank below the band", 5, 100, 80, 10, false, false, 0, false, 30, kOn},
        SpeedCase{"unloading, load within half the band", 6, 100, 96, 10, false, false, 0, false, 0, 0},
        SpeedCase{"double circuit draws the load to zero", 5, 0, 50, 10, true, false, 0, false, 10, kOn},
        SpeedCase{"double circuit within twice the band", 6, 0, 15, 10, true, false, 0, false, 0, 0},
        SpeedCase{"double circuit does not top up", 6, 100, 50, 10, true, false, 0, false, 0, 0},
        SpeedCase{"paused", 1, 100, 50, 5, false, true, 0, false, 0, 0},
        SpeedCase{"pump gate closed", 1, 100, 50, 5, false, false, 0x40, false, 0, 0},
        SpeedCase{"manual load wins over a closed gate", 1, 100, 50, 5, false, false, 0x40, true, 200, kOn},
        SpeedCase{"manual load wins over a pause", 2, 100, 50, 5, false, true, 0, true, 200, kOn},
        SpeedCase{"manual load while waiting", 0, 0, 0, 5, false, false, 0, true, 200, kOn}));

struct NearCase {
    int state;
    bool doubleCircuit;
    float current;
    bool near;
};

class NearTargetTest : public CommandComposerTest, public testing::WithParamInterface<NearCase> {};

TEST_P(NearTargetTest, IsTheLastFifthOfAStage) {
    const NearCase& c = GetParam();
    in.state = static_cast<ControlState>(c.state);
    settings.doubleCircuitJack = c.doubleCircuit;
    in.target = 100;
    settings.stageStep = 50; // band starts at 90
    in.current = c.current;
    Compose();
    EXPECT_EQ(counters.nearTarget, c.near) << "state " << c.state << " load " << c.current;
}

INSTANTIATE_TEST_SUITE_P(States, NearTargetTest,
                         testing::Values(NearCase{1, false, 90.5f, true}, NearCase{1, false, 90, false},
                                         NearCase{3, true, 95, true}, NearCase{5, false, 95, true},
                                         NearCase{6, true, 95, false}, NearCase{5, true, 150, false}));

TEST_F(CommandComposerTest, LoadingNearTheTargetPulsesThePump) {
    in.state = ControlState::Loading;
    in.target = 100;
    in.current = 95;
    settings.stageStep = 50;
    settings.loadPulseTicks = 4;
    EXPECT_EQ(PumpRunBytes(3 * 17), Pattern(10, 4, 3, 3));
    EXPECT_EQ(counters.pumpSpeed, 15); // the speed stays; only the run byte pulses
}

// The pressure-build protection counts the cycles that run the pump, not
// those that only command it.
TEST_F(CommandComposerTest, CountsTheCyclesThatRunThePump) {
    const struct {
        const char* name;
        ControlState state;
        float current;
        int pulseTicks;
        std::uint32_t runCycles; // of 34 cycles
    } cases[] = {
        {"far below the target: every cycle", ControlState::Loading, 20, 1, 34},
        {"near the target, one-cycle pulses", ControlState::Loading, 95, 1, 2},
        {"near the target, four-cycle pulses", ControlState::Reloading, 95, 4, 8},
        {"holding: none", ControlState::Holding, 95, 4, 0},
    };
    for (const auto& c : cases) {
        PumpCounters fresh;
        counters = fresh;
        in.state = c.state;
        in.target = 100;
        in.current = c.current;
        settings.stageStep = 50;
        settings.loadPulseTicks = c.pulseTicks;
        PumpRunBytes(2 * 17);
        EXPECT_EQ(counters.runCycles, c.runCycles) << c.name;
    }
}

TEST_F(CommandComposerTest, LoadPulseRunsAtMostSixCycles) {
    in.state = ControlState::Reloading;
    in.target = 100;
    in.current = 95;
    settings.stageStep = 50;
    settings.loadPulseTicks = 9;
    EXPECT_EQ(PumpRunBytes(2 * 17), Pattern(10, 6, 1, 2));
}

TEST_F(CommandComposerTest, ManualLoadNearTheTargetPulses) {
    in.state = ControlState::Holding;
    in.target = 100;
    in.current = 99;
    settings.stageStep = 50;
    settings.loadPulseTicks = 2;
    in.manualLoad = true;
    std::vector<std::uint8_t> run;
    for (int i = 0; i < 17; ++i) {
        const CommandFrame frame = Compose().frame;
        EXPECT_EQ(frame[3], 200);
        run.push_back(frame[4]);
    }
    EXPECT_EQ(run, Pattern(10, 2, 5, 1));
}

TEST_F(CommandComposerTest, PulseStartLoadIsTheLoadAtTheFirstPulseCycle) {
    in.state = ControlState::Loading;
    in.target = 100;
    settings.stageStep = 50;
    settings.loadPulseTicks = 3;
    for (int cycle = 1; cycle <= 17; ++cycle) {
        in.current = 90.0f + 0.5f * static_cast<float>(cycle);
        Compose();
    }
    EXPECT_FLOAT_EQ(counters.pulseStartLoad, 90.0f + 0.5f * 11);
    EXPECT_EQ(counters.pulseCounter, 0); // a new period starts
}

TEST_F(CommandComposerTest, DoubleCircuitUnloadingPulsesTowardsALowerStage) {
    in.state = ControlState::Unloading;
    settings.doubleCircuitJack = true;
    in.target = 100;
    in.current = 150;
    settings.holdBand = 10;
    settings.unloadPulseTicks = 3;
    EXPECT_EQ(PumpRunBytes(3 * 22), Pattern(15, 3, 4, 3));
    EXPECT_EQ(counters.pumpSpeed, 10);
}

TEST_F(CommandComposerTest, UnloadPulseRunsAtMostSixCycles) {
    in.state = ControlState::HoldingUnload;
    settings.doubleCircuitJack = true;
    in.target = 100;
    in.current = 150;
    settings.holdBand = 10;
    settings.unloadPulseTicks = 20;
    EXPECT_EQ(PumpRunBytes(2 * 22), Pattern(15, 6, 1, 2));
}

TEST_F(CommandComposerTest, DoubleCircuitUnloadingToZeroRunsThrough) {
    in.state = ControlState::Unloading;
    settings.doubleCircuitJack = true;
    in.target = 0;
    in.current = 150;
    settings.holdBand = 10;
    settings.unloadPulseTicks = 3;
    EXPECT_EQ(PumpRunBytes(30), std::vector<std::uint8_t>(30, kOn));
    EXPECT_EQ(counters.pulseCounter, 0);
}

TEST_F(CommandComposerTest, AlarmBuzzerSoundsFourCyclesOfEleven) {
    in.state = ControlState::Holding;
    in.buzzerCode = 0xFF;
    std::vector<std::uint8_t> buzzer;
    for (int i = 0; i < 3 * 11; ++i)
        buzzer.push_back(Compose().frame[5]);
    EXPECT_EQ(buzzer, Pattern(5, 4, 2, 3));
}

TEST_F(CommandComposerTest, SilentBuzzerKeepsItsPhase) {
    in.state = ControlState::Holding;
    in.buzzerCode = 0;
    counters.buzzerPhase = 7;
    EXPECT_EQ(Compose().frame[5], 0);
    EXPECT_EQ(counters.buzzerPhase, 7);
}

TEST_F(CommandComposerTest, ReadingBeepSoundsFiveCyclesAndPlaysTheSound) {
    in.state = ControlState::Holding;
    counters.beepTicks = 5;
    for (int cycle = 1; cycle <= 5; ++cycle) {
        const CommandCycle c = Compose();
        EXPECT_EQ(c.frame[5], kOn) << "cycle " << cycle;
        EXPECT_TRUE(c.playBeep) << "cycle " << cycle;
        EXPECT_EQ(counters.beepTicks, 5 - cycle);
    }
    const CommandCycle after = Compose();
    EXPECT_EQ(after.frame[5], 0);
    EXPECT_FALSE(after.playBeep);
    EXPECT_EQ(counters.beepTicks, 0);
}

TEST_F(CommandComposerTest, ReadingBeepOverridesTheQuietPartOfAnAlarm) {
    in.state = ControlState::Holding;
    in.buzzerCode = 0xFF;
    counters.beepTicks = 1;
    EXPECT_EQ(Compose().frame[5], kOn); // alarm phase 1 would be quiet
    EXPECT_EQ(counters.buzzerPhase, 1);
}

TEST_F(CommandComposerTest, CarriesTargetAndCurrentLoadAsThreeByteNumbers) {
    in.state = ControlState::Holding;
    in.target = 200;
    in.current = -3;
    settings.gaugeMask = 0x83;
    const CommandFrame frame = Compose().frame;
    EXPECT_EQ(frame, (CommandFrame{0, 0x83, 0, 0, 0, 0, 0x08, 0xC8, 0x00, 0x82, 0xC0, 0x00}));
}

} // namespace
