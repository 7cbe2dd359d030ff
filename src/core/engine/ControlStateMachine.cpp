#include "core/engine/ControlStateMachine.h"

namespace {

void StageReached(RunState& run, ControlState holding) {
    run.controlState = holding;
    ++run.stageReaches;
}

// The engine's transitions and the operator's commands.
struct CommandApplier {
    RunState& run;

    void operator()(const RunCommands::Start&) const { run.running = true; }
    void operator()(const RunCommands::Stop& stop) const {
        run.running = false;
        run.controlState = ControlState::Waiting;
        run.targetLoad = 0;
        run.lastTarget = 0;
        if (stop.finished) {
            run.pump.pumpSpeed = 0;
            run.pausedFlag = false;
        }
    }
    void operator()(const RunCommands::SetTarget& set) const { run.targetLoad = set.target; }
    void operator()(const RunCommands::Enter& enter) const { run.controlState = enter.state; }
    void operator()(const RunCommands::EnterWithTarget& enter) const {
        run.controlState = enter.state;
        run.targetLoad = enter.target;
    }
    void operator()(const RunCommands::Pause&) const {
        run.pausedFlag = true;
        run.manualLoad = false;
    }
    void operator()(const RunCommands::Resume&) const {
        run.pumpGate = PumpGate::closed;
        run.pausedFlag = false;
        run.manualLoad = false;
    }
    void operator()(const RunCommands::SetPumpGate& set) const { run.pumpGate = set.gate; }
    void operator()(const RunCommands::SetManualLoad& set) const { run.manualLoad = set.on; }
    void operator()(const RunCommands::SetBuzzer& set) const { run.buzzerCode = set.code; }
    void operator()(const RunCommands::Beep& beep) const { run.pump.beepTicks = beep.ticks; }
    void operator()(const RunCommands::FinalUnloadSignalDone&) const { run.finalUnloadSignalled = true; }
    void operator()(const RunCommands::HoldAtMaxLoad&) const { run.holdAtMaxLoad = true; }
    void operator()(const RunCommands::Restore& restore) const {
        run.running = restore.running;
        run.controlState = restore.state;
        run.targetLoad = restore.target;
        run.lastTarget = restore.lastTarget;
    }
    void operator()(const RunCommands::Reset&) const {
        // The event counts go on: a reader's remembered counts stay valid.
        RunState fresh;
        fresh.stageChanges = run.stageChanges;
        fresh.stageReaches = run.stageReaches;
        run = fresh;
    }
};

} // namespace

void LoadControlStep(RunState& run, float load, float holdBand) {
    const float target = run.targetLoad;
    if (target > run.lastTarget) {
        run.controlState = ControlState::Loading;
        run.lastTarget = target;
        ++run.stageChanges;
    }
    if (target < run.lastTarget) {
        run.controlState = ControlState::Unloading;
        run.lastTarget = target;
        ++run.stageChanges;
    }
    if (run.controlState == ControlState::Loading && load >= target)
        StageReached(run, ControlState::Holding);
    if (run.controlState == ControlState::Unloading &&
        ((load <= target + 2 * holdBand && target > 0) || (run.finalUnloadSignalled && target == 0)))
        StageReached(run, ControlState::HoldingUnload);
    if (run.controlState == ControlState::Holding && target - load > holdBand)
        run.controlState = ControlState::Reloading;
    if (run.controlState == ControlState::Reloading && target - load < 0.5f * holdBand)
        run.controlState = ControlState::Holding;
    if (run.controlState != ControlState::Stable) {
        run.holdAtMaxLoad = false;
        run.stableTopUp = false;
    } else if (run.holdAtMaxLoad && target - load > holdBand) {
        run.stableTopUp = true;
    } else if (target - load < 0.5f * holdBand) {
        run.stableTopUp = false;
    }
}

void ApplyRunCommand(RunState& run, const RunCommand& command) {
    std::visit(CommandApplier{run}, command);
}
