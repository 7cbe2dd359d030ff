#pragma once

#include <optional>

// Targets of the next stage, by the standard's rules. T is the current
// target, S the stage load, loads in the test's unit.

// After a stable stage: the next loading target, or nothing when one more
// stage would pass the maximum load (the operator is asked to unload).
// Standard 0 jumps to 5·S after a first stage of at most 3·S and by 2·S
// below 7·S; standard 11 takes 2·S after its first stage. A jump that would
// pass the maximum load stops at it.
// `firstRowLoad` is the level load of the first settlement row.
std::optional<float> NextLoadingTarget(int standardCode, float target, float stageStep, float maxLoad,
                                       int firstRowLoad);

// The first unloading target after the maximum-load prompt is confirmed.
// Standard 0 by its ladder 10·S -> 5·S -> 3·S -> 0; others T - 2·S, and
// standard 3 with an odd number of stages T - 3·S. Never below 0.
float FirstUnloadingTarget(int standardCode, float target, float stageStep, float maxLoad);

// The next unloading target after an unloading stage, or by the operator's
// "卸载下一级": standard 0 by its ladder, others T - 2·S, never below 0.
float NextUnloadingTarget(int standardCode, float target, float stageStep);
