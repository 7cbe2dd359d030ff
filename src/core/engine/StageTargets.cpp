#include "core/engine/StageTargets.h"

#include "core/standards/StandardsCatalogue.h"

#include <algorithm>
#include <cmath>

namespace {

// The ladder unloads 10·S -> 5·S -> 3·S -> 0; above 10·S it holds.
float UnloadingLadder(float target, float s) {
    if (target > 10 * s)
        return target;
    if (target > 5 * s)
        return 5 * s;
    if (target > 3 * s)
        return 3 * s;
    return 0;
}

} // namespace

std::optional<float> NextLoadingTarget(int standardCode, float target, float stageStep, float maxLoad,
                                       int firstRowLoad) {
    const float s = stageStep;
    float next = target + s;
    if (next > maxLoad)
        return std::nullopt;
    const StandardRules& rules = StandardRulesOf(standardCode);
    if (rules.doubleFirstStep && static_cast<float>(firstRowLoad) == target)
        next = target + 2 * s;
    if (rules.loadingLadder) {
        if (target <= 3 * s)
            next = 5 * s;
        else if (target < 7 * s)
            next = target + 2 * s;
    }
    // The ladder's jumps never pass the maximum load: the last stage stops at it.
    return std::min(next, maxLoad);
}

float NextUnloadingTarget(int standardCode, float target, float stageStep) {
    if (StandardRulesOf(standardCode).loadingLadder)
        return UnloadingLadder(target, stageStep);
    return std::max(0.0f, target - 2 * stageStep);
}

float FirstUnloadingTarget(int standardCode, float target, float stageStep, float maxLoad) {
    const float s = stageStep;
    const bool oddStageCount = s > 0 && static_cast<long long>(std::trunc(maxLoad / s)) % 2 != 0;
    if (StandardRulesOf(standardCode).oddStageUnloadsThreeSteps && oddStageCount && target - 2 * s > 0)
        return std::max(0.0f, target - 3 * s); // with T <= 3·S, T - 3·S would be below 0
    return NextUnloadingTarget(standardCode, target, s);
}
