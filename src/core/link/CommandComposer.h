#pragma once

#include "core/data/CPublic.h"

#include <array>
#include <cstdint>
#include <functional>
#include <utility>

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
};

// The engine's load-control step, run before each frame while a test runs.
using LoadControlHook = std::function<void()>;

// Composes one worker cycle's frame from the run state and advances the
// worker's own counters in it (pump speed, pulse counter and start load,
// near-target flag, buzzer phase, beep countdown). Lives on the controller
// worker thread; set the load-control step before the worker starts.
class CommandComposer {
  public:
    explicit CommandComposer(CPublic& pub) : m_pub(pub) {}

    void SetLoadControlStep(LoadControlHook step) { m_loadControlStep = std::move(step); }

    CommandCycle Compose();

  private:
    // The run state one cycle works on, read once so that the frame is consistent.
    struct Snapshot {
        int state;
        float target;
        float current;
        float band;
        bool doubleCircuit;
    };

    int PumpSpeed(const Snapshot& in, std::uint8_t gate) const;
    std::uint8_t PumpRun(const Snapshot& in, int speed, bool nearTarget);
    std::uint8_t PulsedRun(int silentCycles, int runCycles, int lastCount, float current);
    std::uint8_t Buzzer(bool& playBeep);

    CPublic& m_pub;
    LoadControlHook m_loadControlStep;
};
