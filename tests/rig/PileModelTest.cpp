#include "PileModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr double kMinute = 60.0;

// Settlement read every 30 minutes while the load is held.
std::vector<double> holdAndRead(PileModel& pile, double load, int readings) {
    std::vector<double> settlements{pile.Settlement()};
    for (int i = 1; i < readings; ++i) {
        pile.Advance(load, 30 * kMinute);
        settlements.push_back(pile.Settlement());
    }
    return settlements;
}

// Minutes into the stage at which the settlement over the last hour has been
// below 0.1 mm at two half-hourly readings in a row; -1 if never.
int minutesToStable(const std::vector<double>& halfHourly) {
    for (std::size_t i = 3; i < halfHourly.size(); ++i) {
        const bool lastHour = halfHourly[i] - halfHourly[i - 2] < 0.1;
        const bool hourBefore = halfHourly[i - 1] - halfHourly[i - 3] < 0.1;
        if (lastHour && hourBefore)
            return static_cast<int>(i) * 30;
    }
    return -1;
}

// Stages of 100 kN up to `upTo`, each held for `holdHours`.
void loadInStages(PileModel& pile, double upTo, double holdHours) {
    for (double load = 100.0; load <= upTo; load += 100.0)
        pile.Advance(load, holdHours * 60 * kMinute);
}

TEST(PileModel, CreepsTowardsTheFinalSettlementOfTheLoad) {
    PileModel pile{PileParams{}};
    pile.Advance(500.0, 20.0); // the immediate part
    const double early = pile.Settlement();
    const auto readings = holdAndRead(pile, 500.0, 21);
    EXPECT_LT(early, 0.9 * pile.FinalSettlement(500.0));
    for (std::size_t i = 1; i < readings.size(); ++i)
        EXPECT_GE(readings[i], readings[i - 1]);
    EXPECT_NEAR(readings.back(), pile.FinalSettlement(500.0), 0.005);
}

struct StageCase {
    double stageLoad;
    int earliestMinutes;
    int latestMinutes;
};

class StageStability : public ::testing::TestWithParam<StageCase> {};

TEST_P(StageStability, ComesAfterARealisticHoldingTime) {
    const auto& stage = GetParam();
    PileModel pile{PileParams{}};
    loadInStages(pile, stage.stageLoad - 100.0, 2.5);
    pile.Advance(stage.stageLoad, 20.0);
    const int minutes = minutesToStable(holdAndRead(pile, stage.stageLoad, 13));
    EXPECT_GE(minutes, stage.earliestMinutes);
    EXPECT_LE(minutes, stage.latestMinutes);
}

INSTANTIATE_TEST_SUITE_P(Stages, StageStability,
                         ::testing::Values(StageCase{100.0, 90, 90}, StageCase{500.0, 90, 150},
                                           StageCase{1000.0, 120, 180}),
                         [](const auto& info) {
                             return "Stage" + std::to_string(static_cast<int>(info.param.stageLoad)) + "kN";
                         });

TEST(PileModel, CurveBendsButThePileHoldsTheTestLoad) {
    PileModel pile{PileParams{}};
    std::vector<double> atStageEnd{0.0};
    for (double load = 100.0; load <= 1000.0; load += 100.0) {
        pile.Advance(load, 3 * 60 * kMinute);
        atStageEnd.push_back(pile.Settlement());
    }
    for (std::size_t i = 2; i < atStageEnd.size(); ++i)
        EXPECT_GT(atStageEnd[i] - atStageEnd[i - 1], atStageEnd[i - 1] - atStageEnd[i - 2]) << i;
    EXPECT_GT(atStageEnd.back(), 8.0);
    EXPECT_LT(atStageEnd.back(), 20.0);
}

TEST(PileModel, NearTheFailureLoadNeverBecomesStable) {
    PileParams weak;
    weak.failureLoad = 1050.0;
    PileModel pile{weak};
    loadInStages(pile, 900.0, 2.5);
    pile.Advance(1000.0, 20.0);
    const auto readings = holdAndRead(pile, 1000.0, 13);
    EXPECT_EQ(minutesToStable(readings), -1);
    EXPECT_GT(readings.back(), 40.0);
}

TEST(PileModel, ReboundsPartlyOnUnloadingAndTheReboundCreeps) {
    PileModel pile{PileParams{}};
    loadInStages(pile, 1000.0, 2.5);
    const double atMaximum = pile.Settlement();
    pile.Advance(0.0, 60.0);
    const double afterOneMinute = pile.Settlement();
    pile.Advance(0.0, 3 * 60 * kMinute);
    const double afterThreeHours = pile.Settlement();
    EXPECT_LT(afterOneMinute, atMaximum - 0.5);
    EXPECT_LT(afterThreeHours, afterOneMinute - 0.2);
    EXPECT_GT(afterThreeHours, 0.6 * atMaximum);
}

} // namespace
