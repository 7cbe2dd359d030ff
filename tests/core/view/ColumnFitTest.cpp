#include "core/view/ColumnFit.h"

#include <gtest/gtest.h>

namespace {

TEST(FitColumnWidths, ShrinksOnlyTheRoomBeyondTheTexts) {
    const struct {
        const char* name;
        std::vector<int> widths;
        std::vector<int> needed;
        int available;
        std::vector<int> fitted;
    } cases[] = {
        {"fits as it is", {40, 70, 48}, {30, 60, 40}, 158, {40, 70, 48}},
        {"room taken in proportion, then from the most room", {40, 80, 100}, {30, 60, 70}, 210, {39, 77, 94}},
        {"rounding: the missing pixel from the most room", {50, 50, 50}, {40, 40, 40}, 148, {49, 49, 50}},
        {"texts need all: each column its texts", {50, 80, 60}, {45, 70, 58}, 100, {45, 70, 58}},
        {"a column narrower than its texts keeps its width", {40, 70, 60}, {50, 80, 30}, 150, {40, 70, 40}},
        {"404 of the record table in 389",
         {40, 70, 48, 48, 48, 48, 48, 54},
         {38, 66, 44, 44, 44, 44, 44, 44},
         389,
         {40, 68, 46, 47, 47, 47, 47, 47}},
    };
    for (const auto& c : cases) {
        const std::vector<int> fitted = FitColumnWidths(c.widths, c.needed, c.available);
        EXPECT_EQ(fitted, c.fitted) << c.name;
    }
}

} // namespace
