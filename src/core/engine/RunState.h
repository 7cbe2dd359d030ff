#pragma once

#include "core/data/ControlState.h"
#include "core/data/PumpGate.h"
#include "core/link/CommandComposer.h"

#include <cstdint>

// The run state the load controller owns: only the controller worker writes
// it, by the load-control step and by applying the commands other threads
// send (RunCommand.h). Everyone else reads a published copy.
struct RunState {
    bool running = false;
    ControlState controlState = ControlState::Waiting;
    float targetLoad = 0; // test's load unit, shown as "控制荷载"
    float lastTarget = 0; // target seen by the last load-control step; a change starts a stage
    bool pausedFlag = false;
    bool manualLoad = false;
    std::uint8_t pumpGate = PumpGate::open;
    int buzzerCode = 0; // 0xFF while an alarm or stage signal sounds
    // The final unloading (target 0) has signalled for 120 s: the stage is
    // then held whatever the load.
    bool finalUnloadSignalled = false;
    // While the maximum-load prompt waits (for hours, maybe) the stable top
    // stage keeps its load: the pump tops it up when it sank more than the
    // hold band below the target (stableTopUp), until it is within half the
    // band. Both end when the state leaves Stable.
    bool holdAtMaxLoad = false;
    bool stableTopUp = false;

    // Counts of the load-control step's events since start-up; a reader
    // that remembers the counts it has seen never misses one.
    std::uint32_t stageChanges = 0; // the target changed: the stage's opening reading is due
    std::uint32_t stageReaches = 0; // the load reached the target: the stage's schedule starts

    // No whole reply for kLinkFaultCycles cycles: the live values are stale,
    // the pump gate is held closed and manual loading off until replies return.
    bool linkFault = false;

    PumpCounters pump;

    bool operator==(const RunState&) const = default;
};
