#pragma once

struct CPublic;

// The load-control step, run by the controller worker every 200 ms while a
// test runs, before the command frame is composed. It moves the control state
// from the target and the current load:
//   target raised          -> 1 loading (and the stage's opening reading is due)
//   target lowered         -> 5 unloading
//   1 and load >= target   -> 2 holding (the stage's schedule starts)
//   5 and load near target -> 6 holding an unloading stage (target 0: after
//                             120 s of unloading signal, whatever the load)
//   2 and shortfall > band -> 3 re-loading
//   3 and shortfall < band/2 -> 2 (hysteresis)
// Loads in the test's unit; band = holdBand.
void LoadControlStep(CPublic& pub);
