#pragma once

#include "core/data/ControlState.h"
#include "core/data/PumpGate.h"

#include <array>
#include <cstdint>

// Command frame to the controller, sent every 200 ms; it carries the whole
// desired state, so a lost frame is simply replaced by the next one.
//
// | offset | size | content                                                  |
// |--------|------|----------------------------------------------------------|
// |      0 |    1 | pump gate: 0x40 pump prohibited, 0 allowed               |
// |      1 |    1 | gauge mask: bit k set when gauge k+1 is enabled          |
// |      2 |    1 | 0                                                        |
// |      3 |    1 | pump speed 0-255                                         |
// |      4 |    1 | pump run: 0xFF run, 0 stop                               |
// |      5 |    1 | buzzer: the buzzer code (0xFF) while sounding, else 0    |
// |    6-8 |    3 | target load, three-byte number                           |
// |   9-11 |    3 | current load, three-byte number                          |
//
// With no test running every byte but the gauge mask is 0.
using CommandFrame = std::array<std::uint8_t, 12>;

struct CommandCycle {
    CommandFrame frame{};
    bool playBeep = false; // play the beep sound file along with this frame
    // The jack of the test settings; the frame does not carry it, and a
    // simulated plant behind the link must be the jack the test was set up for.
    bool doubleCircuitJack = false;
};

// The test settings a frame (and the load-control step) is composed from,
// handed to the controller worker as one copied value.
struct ControlSettings {
    int gaugeMask = 0x0F;
    float stageStep = 0; // kN
    float holdBand = 0;  // kN
    bool doubleCircuitJack = false;
    int loadPulseTicks = 0;
    int unloadPulseTicks = 0;

    bool operator==(const ControlSettings&) const = default;
};

// The run state one cycle's frame is composed from.
struct FrameInputs {
    bool running = false;
    ControlState state = ControlState::Waiting;
    float target = 0;  // test's load unit
    float current = 0; // test's load unit, from the last whole reply
    bool paused = false;
    bool manualLoad = false;
    bool topUp = false; // the stable top stage, its load sunk below the hold band
    std::uint8_t pumpGate = PumpGate::open;
    int buzzerCode = 0;
};

// The worker's own counters, carried from frame to frame by their owner.
struct PumpCounters {
    int pumpSpeed = 0; // last commanded speed, 0-255
    int pulseCounter = 0;
    float pulseStartLoad = 0;
    bool nearTarget = false;
    int buzzerPhase = 0;
    int beepTicks = 0; // cycles the reading beep still sounds
    // Cycles whose frame ran the pump, since start-up: the pressure-build
    // protection counts the seconds the pump ran, not the silent cycles of
    // a pulsed approach.
    std::uint32_t runCycles = 0;

    bool operator==(const PumpCounters&) const = default;
};

// Composes one worker cycle's frame and advances the counters in it. With
// no test running every byte but the gauge mask is 0 and the counters stay.
CommandCycle ComposeCommand(const FrameInputs& in, const ControlSettings& settings, PumpCounters& counters);
