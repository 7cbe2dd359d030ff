#include "core/standards/StandardsCatalogue.h"

#include <map>
#include <optional>

#include <gtest/gtest.h>

namespace {

using S = StabilityFamily;

// One line per code: what each standard prescribes. Rock foundations (3, 58)
// record thousandths and may end the rebound on a settled hundredth; the
// single-pile standards 1 and 33 read hourly after the six intervals and
// need a settlement strictly below the limit; 0 climbs and unloads by its
// ladder; 11 doubles its first step; 3 takes three steps off an odd stage
// count; 10 takes the stable settlement from the bearing capacity and waits
// two hours for the first rebound reading.
struct Expected {
    int decimals;
    S stability;
    bool strict;
    bool bearingCapacity;
    bool ladder;
    bool doubleFirstStep;
    bool oddThreeSteps;
    bool doublesLastInterval;
    std::optional<int> unloadingReadings;
    int reboundMinutes;
    bool reboundSettles;
    bool reboundAfterTwoHours;
};

// Every catalogue code, and one outside it.
const std::map<int, Expected> kExpected{
    // code  dec  stability                    strict bearing ladder double odd3  dblLast unload rebound
    // settle 2h
    {0, {2, S::twoIntervalConvergence, false, false, true, false, false, false, 3, 19, false, false}},
    {1, {2, S::lastReadings, true, false, false, false, false, true, 2, 179, false, false}},
    {2, {2, S::windowChain, false, false, false, false, false, false, 2, 179, false, false}},
    {3, {3, S::lastReadings, false, false, false, false, true, false, 2, 179, true, false}},
    {4, {2, S::incrementConvergence, false, false, false, false, false, false, 1, 119, false, false}},
    {5, {2, S::lastReadings, false, false, false, false, false, false, 2, 179, false, false}},
    {6, {2, S::windowChain, false, false, false, false, false, false, 0, 179, false, false}},
    {7, {2, S::holdingTimeOnly, false, false, false, false, false, false, 1, 119, false, false}},
    {8, {2, S::holdingTimeOnly, false, false, false, false, false, false, 2, 179, false, false}},
    {9, {2, S::lastReadings, false, false, false, false, false, false, 2, 179, false, false}},
    {10, {2, S::windowChain, false, true, false, false, false, false, 2, 119, false, true}},
    {11, {2, S::incrementConvergence, false, false, false, true, false, false, 1, 119, false, false}},
    {12, {2, S::lastReadings, false, false, false, false, false, false, 3, 179, false, false}},
    {32, {2, S::windowChain, false, false, false, false, false, false, 2, 179, false, false}},
    {33, {2, S::lastReadings, true, false, false, false, false, true, 2, 179, false, false}},
    {57, {2, S::windowChain, false, false, false, false, false, false, 2, 179, false, false}},
    {58, {3, S::lastReadings, false, false, false, false, false, false, 2, 29, true, false}},
    {59, {2, S::oneWindow, false, false, false, false, false, false, 1, 179, false, false}},
    {60, {2, S::lastReadings, false, false, false, false, false, false, 2, 179, false, false}},
    {13, {2, S::never, false, false, false, false, false, false, std::nullopt, 179, false, false}},
};

TEST(StandardRules, EachStandardPrescribesItsOwnRules) {
    for (const StandardEntry& entry : StandardsCatalogue())
        EXPECT_TRUE(kExpected.contains(entry.code)) << entry.code;
    for (const auto& [code, expected] : kExpected) {
        SCOPED_TRACE(code);
        const StandardRules& rules = StandardRulesOf(code);
        EXPECT_EQ(rules.settlementDecimals, expected.decimals);
        EXPECT_EQ(rules.stability, expected.stability);
        EXPECT_EQ(rules.strictlyBelowStableSettlement, expected.strict);
        EXPECT_EQ(rules.stableSettlementFromBearingCapacity, expected.bearingCapacity);
        EXPECT_EQ(rules.loadingLadder, expected.ladder);
        EXPECT_EQ(rules.doubleFirstStep, expected.doubleFirstStep);
        EXPECT_EQ(rules.oddStageUnloadsThreeSteps, expected.oddThreeSteps);
        EXPECT_EQ(rules.doublesLastLoadingInterval, expected.doublesLastInterval);
        EXPECT_EQ(rules.unloadingStageReadings, expected.unloadingReadings);
        EXPECT_EQ(rules.finalReboundMinutes, expected.reboundMinutes);
        EXPECT_EQ(rules.reboundSettlesWithinHundredth, expected.reboundSettles);
        EXPECT_EQ(rules.firstReboundAfterTwoHours, expected.reboundAfterTwoHours);
    }
}

} // namespace
