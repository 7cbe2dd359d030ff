#include "core/engine/StageTargets.h"

#include <gtest/gtest.h>

namespace {

TEST(NextLoadingTarget, FollowsTheStandardsLaddersAndNeverPassesTheMaximum) {
    const struct {
        const char* name;
        int code;
        float target, step, maxLoad;
        int firstRowLoad;
        std::optional<float> next;
    } cases[] = {
        {"one stage up", 5, 300, 100, 1000, 100, 400},
        {"up to the maximum", 5, 900, 100, 1000, 100, 1000},
        {"past the maximum: ask", 5, 1000, 100, 1000, 100, std::nullopt},
        {"standard 0 after a small first stage", 0, 200, 100, 1500, 200, 500},
        {"standard 0 at 3·S", 0, 300, 100, 1500, 300, 500},
        {"standard 0 from 5·S by 2·S", 0, 500, 100, 1500, 300, 700},
        {"standard 0 from 7·S by single stages", 0, 700, 100, 1500, 300, 800},
        {"standard 0 ladder stops at the maximum", 0, 200, 100, 400, 200, 400},
        {"standard 11 after its first stage", 11, 200, 100, 1000, 200, 400},
        {"standard 11 later", 11, 400, 100, 1000, 200, 500},
        {"standard 11 jump stops at the maximum", 11, 200, 100, 350, 200, 350},
    };
    for (const auto& c : cases) {
        const std::optional<float> next =
            NextLoadingTarget(c.code, c.target, c.step, c.maxLoad, c.firstRowLoad);
        ASSERT_EQ(next.has_value(), c.next.has_value()) << c.name;
        if (next) {
            EXPECT_FLOAT_EQ(*next, *c.next) << c.name;
            EXPECT_LE(*next, c.maxLoad) << c.name;
        }
    }
}

TEST(UnloadingTargets, StepDownByTheStandardAndNeverBelowZero) {
    const struct {
        const char* name;
        int code;
        float target, step, maxLoad;
        float first, next;
    } cases[] = {
        {"standard 0 from 8·S", 0, 800, 100, 800, 500, 500},
        {"standard 0 from 4·S", 0, 400, 100, 800, 300, 300},
        {"standard 0 from 2.5·S", 0, 250, 100, 800, 0, 0},
        {"standard 0 above 10·S holds", 0, 1200, 100, 1200, 1200, 1200},
        {"two stages down", 5, 1000, 100, 1000, 800, 800},
        {"1.5 stages left: to 0", 5, 150, 100, 1000, 0, 0},
        {"standard 3, nine stages (odd): three down", 3, 900, 100, 900, 600, 700},
        {"standard 3, ten stages: two down", 3, 1000, 100, 1000, 800, 800},
        {"standard 3, odd, only 2.5 stages left: 0, not below", 3, 250, 100, 900, 0, 50},
    };
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(FirstUnloadingTarget(c.code, c.target, c.step, c.maxLoad), c.first) << c.name;
        EXPECT_FLOAT_EQ(NextUnloadingTarget(c.code, c.target, c.step), c.next) << c.name;
    }
}

} // namespace
