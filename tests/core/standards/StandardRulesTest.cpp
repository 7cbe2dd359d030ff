#include "core/standards/StandardSchedule.h"

#include "core/standards/StandardsCatalogue.h"

#include <map>
#include <optional>

#include <gtest/gtest.h>

namespace {

struct Expected {
    std::optional<int> unloadingReadings;
    int reboundMinutes;
    bool doublesLastInterval;
};

// Every catalogue code, and one outside it.
const std::map<int, Expected> kExpected{
    {0, {3, 19, false}},   {1, {2, 179, true}},   {2, {2, 179, false}},  {3, {2, 179, false}},
    {4, {1, 119, false}},  {5, {2, 179, false}},  {6, {0, 179, false}},  {7, {1, 119, false}},
    {8, {2, 179, false}},  {9, {2, 179, false}},  {10, {2, 119, false}}, {11, {1, 119, false}},
    {12, {3, 179, false}}, {32, {2, 179, false}}, {33, {2, 179, true}},  {57, {2, 179, false}},
    {58, {2, 29, false}},  {59, {1, 179, false}}, {60, {2, 179, false}}, {13, {std::nullopt, 179, false}},
};

TEST(StandardSchedule, EachStandardEndsItsUnloadingStagesAndReboundAsPrescribed) {
    for (const StandardEntry& entry : StandardsCatalogue())
        EXPECT_TRUE(kExpected.contains(entry.code)) << entry.code;
    for (const auto& [code, expected] : kExpected) {
        SCOPED_TRACE(code);
        EXPECT_EQ(UnloadingStageReadings(code), expected.unloadingReadings);
        EXPECT_EQ(FinalReboundMinutes(code), expected.reboundMinutes);
        EXPECT_EQ(DoublesLastLoadingInterval(code), expected.doublesLastInterval);
    }
}

} // namespace
