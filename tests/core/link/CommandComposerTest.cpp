#include "core/link/CommandComposer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::uint8_t kOn = 0xFF;

class CommandComposerTest : public testing::Test {
  protected:
    CommandComposerTest() {
        pub.running = true;
        pub.gaugeMask = 0x0F;
    }

    // Byte 4 (pump run) of the next `cycles` frames.
    std::vector<std::uint8_t> PumpRunBytes(int cycles) {
        std::vector<std::uint8_t> run;
        for (int i = 0; i < cycles; ++i)
            run.push_back(composer.Compose().frame[4]);
        return run;
    }

    CPublic pub;
    CommandComposer composer{pub};
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
    pub.running = false;
    pub.gaugeMask = 0xA5;
    pub.controlState = 1;
    pub.targetLoad = 500;
    pub.currentLoad = 20;
    pub.pumpGate = 0x40;
    pub.manualLoad = true;
    pub.buzzerCode = 0xFF;
    pub.beepTicks = 3;
    bool stepRan = false;
    composer.SetLoadControlStep([&] { stepRan = true; });

    for (int cycle = 0; cycle < 3; ++cycle) {
        const CommandCycle c = composer.Compose();
        EXPECT_EQ(c.frame, (CommandFrame{0, 0xA5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        EXPECT_FALSE(c.playBeep);
    }
    EXPECT_FALSE(stepRan);
    EXPECT_EQ(pub.beepTicks, 3); // the countdown waits for a running test
    EXPECT_EQ(pub.buzzerPhase, 0);
}

TEST_F(CommandComposerTest, LoadControlStepRunsFirstWhileATestRuns) {
    pub.controlState = 0;
    // The step raises the state as the engine would; the frame must already follow it.
    composer.SetLoadControlStep([&] {
        pub.controlState = 1;
        pub.targetLoad = 200;
    });
    const CommandFrame frame = composer.Compose().frame;
    EXPECT_EQ(frame[3], 200 + 10);
    EXPECT_EQ(frame[4], kOn);
    EXPECT_EQ(frame[6], 0x08);
    EXPECT_EQ(frame[7], 0xC8);
}

TEST_F(CommandComposerTest, RunsWithoutALoadControlStep) {
    pub.controlState = 1;
    pub.targetLoad = 100;
    EXPECT_EQ(composer.Compose().frame[3], 110);
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
};

class PumpSpeedTest : public CommandComposerTest, public testing::WithParamInterface<SpeedCase> {};

TEST_P(PumpSpeedTest, FollowsTheControlState) {
    const SpeedCase& c = GetParam();
    SCOPED_TRACE(c.what);
    pub.controlState = c.state;
    pub.targetLoad = c.target;
    pub.currentLoad = c.current;
    pub.holdBand = c.band;
    pub.doubleCircuitJack = c.doubleCircuit;
    pub.pausedFlag = c.paused;
    pub.pumpGate = c.gate;
    pub.manualLoad = c.manual;
    pub.stageStep = 0; // no near-target band: the pump runs through

    const CommandFrame frame = composer.Compose().frame;
    EXPECT_EQ(frame[0], c.gate);
    EXPECT_EQ(frame[2], 0);
    EXPECT_EQ(frame[3], c.speed);
    EXPECT_EQ(frame[4], c.run);
    EXPECT_EQ(pub.pumpSpeed, c.speed);
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
    pub.controlState = c.state;
    pub.doubleCircuitJack = c.doubleCircuit;
    pub.targetLoad = 100;
    pub.stageStep = 50; // band starts at 90
    pub.currentLoad = c.current;
    composer.Compose();
    EXPECT_EQ(pub.nearTarget, c.near) << "state " << c.state << " load " << c.current;
}

INSTANTIATE_TEST_SUITE_P(States, NearTargetTest,
                         testing::Values(NearCase{1, false, 90.5f, true}, NearCase{1, false, 90, false},
                                         NearCase{3, true, 95, true}, NearCase{5, false, 95, true},
                                         NearCase{6, true, 95, false}, NearCase{5, true, 150, false}));

TEST_F(CommandComposerTest, LoadingNearTheTargetPulsesThePump) {
    pub.controlState = 1;
    pub.targetLoad = 100;
    pub.currentLoad = 95;
    pub.stageStep = 50;
    pub.loadPulseTicks = 4;
    EXPECT_EQ(PumpRunBytes(3 * 17), Pattern(10, 4, 3, 3));
    EXPECT_EQ(pub.pumpSpeed, 15); // the speed stays; only the run byte pulses
}

TEST_F(CommandComposerTest, LoadPulseRunsAtMostSixCycles) {
    pub.controlState = 3;
    pub.targetLoad = 100;
    pub.currentLoad = 95;
    pub.stageStep = 50;
    pub.loadPulseTicks = 9;
    EXPECT_EQ(PumpRunBytes(2 * 17), Pattern(10, 6, 1, 2));
}

TEST_F(CommandComposerTest, ManualLoadNearTheTargetPulses) {
    pub.controlState = 2;
    pub.targetLoad = 100;
    pub.currentLoad = 99;
    pub.stageStep = 50;
    pub.loadPulseTicks = 2;
    pub.manualLoad = true;
    std::vector<std::uint8_t> run;
    for (int i = 0; i < 17; ++i) {
        const CommandFrame frame = composer.Compose().frame;
        EXPECT_EQ(frame[3], 200);
        run.push_back(frame[4]);
    }
    EXPECT_EQ(run, Pattern(10, 2, 5, 1));
}

TEST_F(CommandComposerTest, PulseStartLoadIsTheLoadAtTheFirstPulseCycle) {
    pub.controlState = 1;
    pub.targetLoad = 100;
    pub.stageStep = 50;
    pub.loadPulseTicks = 3;
    for (int cycle = 1; cycle <= 17; ++cycle) {
        pub.currentLoad = 90.0f + 0.5f * static_cast<float>(cycle);
        composer.Compose();
    }
    EXPECT_FLOAT_EQ(pub.pulseStartLoad, 90.0f + 0.5f * 11);
    EXPECT_EQ(pub.pulseCounter, 0); // a new period starts
}

TEST_F(CommandComposerTest, DoubleCircuitUnloadingPulsesTowardsALowerStage) {
    pub.controlState = 5;
    pub.doubleCircuitJack = true;
    pub.targetLoad = 100;
    pub.currentLoad = 150;
    pub.holdBand = 10;
    pub.unloadPulseTicks = 3;
    EXPECT_EQ(PumpRunBytes(3 * 22), Pattern(15, 3, 4, 3));
    EXPECT_EQ(pub.pumpSpeed, 10);
}

TEST_F(CommandComposerTest, UnloadPulseRunsAtMostSixCycles) {
    pub.controlState = 6;
    pub.doubleCircuitJack = true;
    pub.targetLoad = 100;
    pub.currentLoad = 150;
    pub.holdBand = 10;
    pub.unloadPulseTicks = 20;
    EXPECT_EQ(PumpRunBytes(2 * 22), Pattern(15, 6, 1, 2));
}

TEST_F(CommandComposerTest, DoubleCircuitUnloadingToZeroRunsThrough) {
    pub.controlState = 5;
    pub.doubleCircuitJack = true;
    pub.targetLoad = 0;
    pub.currentLoad = 150;
    pub.holdBand = 10;
    pub.unloadPulseTicks = 3;
    EXPECT_EQ(PumpRunBytes(30), std::vector<std::uint8_t>(30, kOn));
    EXPECT_EQ(pub.pulseCounter, 0);
}

TEST_F(CommandComposerTest, AlarmBuzzerSoundsFourCyclesOfEleven) {
    pub.controlState = 2;
    pub.buzzerCode = 0xFF;
    std::vector<std::uint8_t> buzzer;
    for (int i = 0; i < 3 * 11; ++i)
        buzzer.push_back(composer.Compose().frame[5]);
    EXPECT_EQ(buzzer, Pattern(5, 4, 2, 3));
}

TEST_F(CommandComposerTest, SilentBuzzerKeepsItsPhase) {
    pub.controlState = 2;
    pub.buzzerCode = 0;
    pub.buzzerPhase = 7;
    EXPECT_EQ(composer.Compose().frame[5], 0);
    EXPECT_EQ(pub.buzzerPhase, 7);
}

TEST_F(CommandComposerTest, ReadingBeepSoundsFiveCyclesAndPlaysTheSound) {
    pub.controlState = 2;
    pub.beepTicks = 5;
    for (int cycle = 1; cycle <= 5; ++cycle) {
        const CommandCycle c = composer.Compose();
        EXPECT_EQ(c.frame[5], kOn) << "cycle " << cycle;
        EXPECT_TRUE(c.playBeep) << "cycle " << cycle;
        EXPECT_EQ(pub.beepTicks, 5 - cycle);
    }
    const CommandCycle after = composer.Compose();
    EXPECT_EQ(after.frame[5], 0);
    EXPECT_FALSE(after.playBeep);
    EXPECT_EQ(pub.beepTicks, 0);
}

TEST_F(CommandComposerTest, ReadingBeepOverridesTheQuietPartOfAnAlarm) {
    pub.controlState = 2;
    pub.buzzerCode = 0xFF;
    pub.beepTicks = 1;
    EXPECT_EQ(composer.Compose().frame[5], kOn); // alarm phase 1 would be quiet
    EXPECT_EQ(pub.buzzerPhase, 1);
}

TEST_F(CommandComposerTest, CarriesTargetAndCurrentLoadAsThreeByteNumbers) {
    pub.controlState = 2;
    pub.targetLoad = 200;
    pub.currentLoad = -3;
    pub.gaugeMask = 0x83;
    const CommandFrame frame = composer.Compose().frame;
    EXPECT_EQ(frame, (CommandFrame{0, 0x83, 0, 0, 0, 0, 0x08, 0xC8, 0x00, 0x82, 0xC0, 0x00}));
}

} // namespace
