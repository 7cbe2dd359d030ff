#pragma once

#include "core/engine/RunCommand.h"
#include "core/engine/RunState.h"

// Every change of the control state, in one place. Both functions run on the
// controller worker only; readers elsewhere see the result in the published
// copy of the run state.
//
// | from                 | event                                         | to            |
// |----------------------|-----------------------------------------------|---------------|
// | any                  | target raised above lastTarget                | Loading       |
// | any                  | target lowered below lastTarget               | Unloading     |
// | Loading              | load >= target                                | Holding       |
// | Unloading            | load <= target + 2·band (target > 0), or the  | HoldingUnload |
// |                      | final unloading signalled 120 s (target 0)    |               |
// | Holding              | shortfall > band                              | Reloading     |
// | Reloading            | shortfall < band/2 (hysteresis)               | Holding       |
// | Holding, Reloading   | engine: judged stable, or "加载下一级"        | Stable        |
// | Stable               | engine: signal over in manual load control    | Waiting       |
// | the prompt's holding | engine: "取消" at the maximum-load prompt     | Holding       |
// | any                  | engine: unloading confirmed, "卸载下一级"     | Unloading     |
// | any                  | operator's end, automatic end, new test       | Waiting       |
// | -                    | test loaded from its data file                | as stored     |
//
// While the maximum-load prompt waits in Stable the pump tops the load up as
// in Reloading (shortfall > band until it is below band/2), without leaving
// the state: the prompt waits on.
//
// Entering Loading or Unloading by a target change counts a stage change;
// entering Holding from Loading, or HoldingUnload, counts a stage reached.

// The load-control step, every 200 ms while a test runs, before the
// command frame is composed; loads in the test's unit.
void LoadControlStep(RunState& run, float load, float holdBand);

// A command sent by another thread, applied at the start of a cycle.
void ApplyRunCommand(RunState& run, const RunCommand& command);
