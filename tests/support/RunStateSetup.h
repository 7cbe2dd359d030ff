#pragma once

#include "core/data/CPublic.h"

// Puts the load controller into a stage directly, as a test restored from its
// data file would be; the engine and dialogs then read it through
// pub.run.View() as they do in the program.
inline void EnterRunState(CPublic& pub, ControlState state, float target = 0, bool running = true) {
    pub.run.Post(
        RunCommands::Restore{.running = running, .state = state, .target = target, .lastTarget = target});
}

// The stage and targets as they are, running or not.
inline void SetRunning(CPublic& pub, bool running) {
    const RunState now = pub.run.View();
    pub.run.Post(RunCommands::Restore{.running = running,
                                      .state = now.controlState,
                                      .target = now.targetLoad,
                                      .lastTarget = now.lastTarget});
}

inline void SetPaused(CPublic& pub, bool paused) {
    pub.run.Post(paused ? RunCommand{RunCommands::Pause{}} : RunCommand{RunCommands::Resume{}});
}

// The stage by its stored code.
inline void SetControlState(CPublic& pub, int code) {
    pub.run.Post(RunCommands::Enter{ControlStateFromCode(code)});
}

// A reply of a controller whose jack holds `load` exactly (and gauges 1-4 at
// `gaugeCounts`, 0.009921875 mm each), through the real conversion with a
// coefficient of one count per kN. Loads are whole numbers of kN from 0 to
// 32767; gauge counts from -32767 to 32767.
void IdealReply(RunController& run, float load, int gaugeCounts = 0);

// One 200 ms cycle of that controller: its reply, then the worker's cycle.
inline void IdealControllerCycle(CPublic& pub, float load, int gaugeCounts = 0) {
    IdealReply(pub.run, load, gaugeCounts);
    pub.run.Cycle();
}
