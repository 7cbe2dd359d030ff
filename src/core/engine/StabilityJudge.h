#pragma once

#include "core/data/CPublic.h"

// Decides after a reading in a held stage whether the settlement under the
// stage load has become stable, by the rule of pub.standardCode, from the
// settlement rows (the last row is the reading just taken).
//
// When stable: the load controller is told to enter Stable, saveRequested
// is set, and true is
// returned. The bearing-capacity standard also stores the stable settlement
// it judged with in stableSettlement. User-interface thread.
bool JudgeStability(CPublic& pub);
