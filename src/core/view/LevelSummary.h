#pragma once

#include "core/data/CPublic.h"
#include "core/view/CurveModel.h"

// Rebuilds, from the settlement rows of the last derivation, the level
// summaries (every completed level, then the level in progress), the summary
// values maxLevelLoad, levelCount, maxMinutes and maxCumSettlement, and the
// points and ranges of `curves`. Leaves everything as it was when no reading
// has been taken.
void BuildLevelSummary(CPublic& pub, CurveModel& curves);
