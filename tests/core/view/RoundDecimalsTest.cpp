#include "core/view/RoundDecimals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct RoundCase {
    float value;
    int decimals;
    float rounded;
};

class RoundDecimalsTest : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundDecimalsTest, RoundsLikeTheRecordedAverages) {
    const RoundCase& c = GetParam();
    EXPECT_EQ(RoundDecimals(c.value, c.decimals), c.rounded) << c.value << " to " << c.decimals;
}

// The float nearest to x.xx5 often lies just below or above it; the rule
// sees the single-precision products, so a 5 that the products show exactly
// rounds to even, and a 5 followed by more digits rounds up.
INSTANTIATE_TEST_SUITE_P(
    TwoDecimals, RoundDecimalsTest,
    testing::Values(RoundCase{1.225f, 2, 1.22f}, RoundCase{1.235f, 2, 1.24f}, RoundCase{-1.2251f, 2, -1.23f},
                    RoundCase{1.005f, 2, 1.00f}, RoundCase{1.015f, 2, 1.02f}, RoundCase{2.675f, 2, 2.68f},
                    RoundCase{-2.675f, 2, -2.68f}, RoundCase{0.125f, 2, 0.12f}, RoundCase{0.135f, 2, 0.14f},
                    RoundCase{12.345f, 2, 12.34f}, RoundCase{1.226f, 2, 1.23f}, RoundCase{1.2249f, 2, 1.22f},
                    RoundCase{0.015f, 2, 0.02f}, RoundCase{1.0f, 2, 1.0f}, RoundCase{0.0f, 2, 0.0f}));

INSTANTIATE_TEST_SUITE_P(ThreeDecimals, RoundDecimalsTest,
                         testing::Values(RoundCase{1.0005f, 3, 1.000f}, RoundCase{2.0015f, 3, 2.002f},
                                         RoundCase{2.0025f, 3, 2.002f}, RoundCase{-3.4565f, 3, -3.456f},
                                         RoundCase{9.9995f, 3, 10.0f}, RoundCase{0.0126f, 3, 0.013f}));

TEST(RoundDecimals, LeavesValuesItCannotRoundAlone) {
    EXPECT_EQ(RoundDecimals(1.0e18f, 2), 1.0e18f);
    EXPECT_EQ(RoundDecimals(-std::numeric_limits<float>::infinity(), 3),
              -std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(RoundDecimals(std::numeric_limits<float>::quiet_NaN(), 2)));
}

TEST(SettlementDecimals, ThreeOnlyForTheRockStandards) {
    EXPECT_EQ(SettlementDecimals(3), 3);
    EXPECT_EQ(SettlementDecimals(58), 3);
    for (int code : {0, 1, 2, 4, 10, 12, 32, 33, 57, 59, 60})
        EXPECT_EQ(SettlementDecimals(code), 2) << code;
}

} // namespace
