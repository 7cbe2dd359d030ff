#pragma once

#include <optional>

// What each standard prescribes for the run of a test beyond its criteria
// boxes: when an unloading stage and the final rebound are complete, and how
// the loading reading interval grows. (The settlement decimals of a standard
// are SettlementDecimals in core/view/RoundDecimals.h.)

// An unloading stage is complete once the reading step exceeds this count;
// nullopt for the standards whose unloading stages the operator ends.
std::optional<int> UnloadingStageReadings(int standardCode);

// The final rebound (target 0) is complete once the last settlement row lies
// more than this many minutes into the stage. Standards 3 and 58 may end
// earlier on a settlement rule, which is the engine's.
int FinalReboundMinutes(int standardCode);

// True for the single-pile standards that read every hour, not every half
// hour, once the six loading intervals are used up: the last interval counts
// twice.
bool DoublesLastLoadingInterval(int standardCode);
