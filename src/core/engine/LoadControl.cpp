#include "core/engine/LoadControl.h"

#include "core/data/CPublic.h"

namespace {

void MarkStageReached(CPublic& pub) {
    pub.stageReachedMark = true;
    pub.stageReached = true;
}

} // namespace

void LoadControlStep(CPublic& pub) {
    // The user-interface thread may change the target at any time; one
    // reading of it keeps the step consistent.
    const float target = pub.targetLoad;
    const float load = pub.currentLoad;
    const float band = pub.holdBand;

    if (target > pub.lastTarget) {
        pub.controlState = 1;
        pub.lastTarget = target;
        pub.stageChanged = true;
    }
    if (target < pub.lastTarget) {
        pub.controlState = 5;
        pub.lastTarget = target;
        pub.stageChanged = true;
    }
    if (pub.controlState == 1 && load >= target) {
        pub.controlState = 2;
        MarkStageReached(pub);
    }
    if (pub.controlState == 5 &&
        ((load <= target + 2 * band && target > 0) || (pub.fullUnloadTimer > 119 && target == 0))) {
        pub.controlState = 6;
        MarkStageReached(pub);
    }
    if (pub.controlState == 2 && target - load > band)
        pub.controlState = 3;
    if (pub.controlState == 3 && target - load < 0.5f * band)
        pub.controlState = 2;
}
