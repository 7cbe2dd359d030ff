#pragma once

#include "core/data/ControlState.h"

#include <cstdint>
#include <variant>

// What other threads ask of the load controller. Each command is applied
// whole at the start of the controller's next 200 ms cycle, in the order sent;
// a command that changes two fields changes them together.
namespace RunCommands {
struct Start {};           // "开始测试": the first target is already set
struct Stop {              // the operator's end, or the automatic end
    bool finished = false; // the automatic end also zeroes the pump speed and clears the pause
};
struct SetTarget {
    float target = 0;
};
struct Enter { // the engine's own transitions (stable, waiting, keep holding)
    ControlState state = ControlState::Waiting;
};
struct EnterWithTarget { // unloading: the state and the lower target at once
    ControlState state = ControlState::Unloading;
    float target = 0;
};
struct Pause {};
struct Resume {}; // the pump stays closed until the operator opens it
struct SetPumpGate {
    std::uint8_t gate = 0;
};
struct SetManualLoad {
    bool on = false;
};
struct SetBuzzer {
    int code = 0;
};
struct Beep { // a reading: the controller buzzer sounds for `ticks` cycles
    int ticks = 0;
};
struct FinalUnloadSignalDone {};
struct HoldAtMaxLoad {}; // the maximum-load prompt waits: the stable stage keeps its load
struct Restore {         // a test loaded from its data file
    bool running = false;
    ControlState state = ControlState::Waiting;
    float target = 0;
    float lastTarget = 0;
};
struct Reset {}; // a new test: every run field to its default
} // namespace RunCommands

using RunCommand = std::variant<RunCommands::Start, RunCommands::Stop, RunCommands::SetTarget,
                                RunCommands::Enter, RunCommands::EnterWithTarget, RunCommands::Pause,
                                RunCommands::Resume, RunCommands::SetPumpGate, RunCommands::SetManualLoad,
                                RunCommands::SetBuzzer, RunCommands::Beep, RunCommands::FinalUnloadSignalDone,
                                RunCommands::HoldAtMaxLoad, RunCommands::Restore, RunCommands::Reset>;
