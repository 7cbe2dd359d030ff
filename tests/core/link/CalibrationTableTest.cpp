#include "core/link/CalibrationTable.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// Four points; the last one deliberately off the line of the others so that
// a lookup that used it would show.
CalibrationSelection FourPoints() {
    CalibrationSelection table;
    table.pointCount = 4;
    table.calibrationPressures = {0, 10, 20, 30, 99, 99, 99, 99, 99, 99};
    table.calibrationLoads = {0, 150, 300, 480, 0, 0, 0, 0, 0, 0};
    return table;
}

struct LookupCase {
    const char* what;
    float input;
    float load;
};

class CalibrationLookupTest : public testing::TestWithParam<LookupCase> {};

TEST_P(CalibrationLookupTest, InterpolatesOneJacksLoad) {
    const LookupCase& c = GetParam();
    const std::optional<float> load = LookupCalibrationTable(FourPoints(), c.input);
    ASSERT_TRUE(load.has_value()) << c.what;
    EXPECT_FLOAT_EQ(*load, c.load) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    FourPointTable, CalibrationLookupTest,
    testing::Values(LookupCase{"below the first point, along the first segment", -4, -60},
                    LookupCase{"on the first point", 0, 0}, LookupCase{"inside the first segment", 5, 75},
                    LookupCase{"on an inner point", 10, 150},
                    LookupCase{"inside the second segment", 12, 180}, LookupCase{"on point n-2", 20, 300},
                    // Above p[n-2] the second segment goes on; point 4 (480 kN) is not used.
                    LookupCase{"inside the last segment", 25, 375}, LookupCase{"on the last point", 30, 450},
                    LookupCase{"above the last point", 40, 600}));

TEST(CalibrationTable, ThreePointsAreEnough) {
    CalibrationSelection table;
    table.pointCount = 3;
    table.calibrationPressures = {1, 2, 4};
    table.calibrationLoads = {10, 20, 30};
    EXPECT_TRUE(IsUsableCalibrationTable(table));
    EXPECT_FLOAT_EQ(*LookupCalibrationTable(table, 1.5f), 15);
    // Above p[1] the first segment goes on; the third point only makes the table usable.
    EXPECT_FLOAT_EQ(*LookupCalibrationTable(table, 3), 30);
}

struct RefusedCase {
    const char* what;
    int pointCount;
    std::array<float, 10> pressures;
};

class RefusedCalibrationTableTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedCalibrationTableTest, GivesNoLoad) {
    const RefusedCase& c = GetParam();
    CalibrationSelection table;
    table.pointCount = c.pointCount;
    table.calibrationPressures = c.pressures;
    table.calibrationLoads = {0, 100, 200, 300, 400, 500, 600, 700, 800, 900};
    EXPECT_FALSE(IsUsableCalibrationTable(table)) << c.what;
    for (float input : {-5.0f, 0.0f, 5.0f, 15.0f, 1000.0f})
        EXPECT_FALSE(LookupCalibrationTable(table, input).has_value()) << c.what << ", input " << input;
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    BrokenTables, RefusedCalibrationTableTest,
    testing::Values(RefusedCase{"no points", 0, {}}, RefusedCase{"two points", 2, {0, 10}},
                    RefusedCase{"negative count", -3, {0, 10, 20}},
                    RefusedCase{"more points than the record holds", 11, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
                    RefusedCase{"repeated pressure", 4, {0, 10, 10, 20}},
                    RefusedCase{"falling pressure", 3, {0, 20, 10}},
                    RefusedCase{"all pressures zero (blank record)", 5, {}},
                    RefusedCase{"NaN pressure", 3, {0, kNaN, 20}}));

TEST(CalibrationTable, OnlyTheUsedPointsMustIncrease) {
    CalibrationSelection table = FourPoints();
    table.calibrationPressures[5] = -1; // beyond the point count
    EXPECT_TRUE(IsUsableCalibrationTable(table));
}

TEST(CalibrationTable, NaNInputGivesNoLoad) {
    EXPECT_FALSE(LookupCalibrationTable(FourPoints(), kNaN).has_value());
}

} // namespace
