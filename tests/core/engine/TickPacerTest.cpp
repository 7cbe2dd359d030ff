#include "platform/TickPacer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// Plays replies and the deadline timer in time order up to `endMs`, as the
// event loop would, and returns when ticks ran.
std::vector<std::int64_t> TickTimes(const std::vector<std::int64_t>& replies, std::int64_t endMs) {
    TickPacer pacer(1000, 0);
    std::vector<std::int64_t> ticks;
    auto reply = replies.begin();
    while (true) {
        const std::int64_t deadline = pacer.DeadlineMs();
        if (reply != replies.end() && *reply <= deadline) {
            if (pacer.ReplyArrived(*reply))
                ticks.push_back(*reply);
            ++reply;
        } else if (deadline <= endMs) {
            if (pacer.DeadlineReached(deadline))
                ticks.push_back(deadline);
        } else {
            return ticks;
        }
    }
}

std::vector<std::int64_t> Every(std::int64_t first, std::int64_t step, std::int64_t last) {
    std::vector<std::int64_t> times;
    for (std::int64_t t = first; t <= last; t += step)
        times.push_back(t);
    return times;
}

struct PacerCase {
    const char* name;
    std::vector<std::int64_t> replies;
    std::int64_t endMs;
    std::vector<std::int64_t> ticks;
};

class TickPacerTest : public testing::TestWithParam<PacerCase> {};

TEST_P(TickPacerTest, OneTickPerSecondOnTheFreshestReply) {
    EXPECT_EQ(TickTimes(GetParam().replies, GetParam().endMs), GetParam().ticks);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TickPacerTest,
    testing::Values(
        // The tick runs on the first reply of each second, never on a sample
        // a cycle old.
        PacerCase{"RepliesEvery200ms", Every(130, 200, 4000), 4000, {130, 1130, 2130, 3130}},
        // Replies just before a second starts: the tick waits for the next one.
        PacerCase{"ReplyJustBeforeTheSecond", Every(199, 200, 3000), 3000, {199, 1199, 2199}},
        // No controller: a plain one-second timer, a quarter second late.
        PacerCase{"NoReplies", {}, 3500, {250, 1250, 2250, 3250}},
        // The controller falls silent: the ticks go on without it.
        PacerCase{"RepliesStop", Every(50, 200, 1850), 4000, {50, 1050, 2250, 3250}},
        // A reply after the deadline's tick in the same second adds no tick.
        PacerCase{"LateReplyInATickedSecond", {600, 1100}, 2000, {250, 1100}}),
    [](const testing::TestParamInfo<PacerCase>& info) { return info.param.name; });

// The thread was busy from 1 s to 4.6 s: one tick stands for the seconds
// missed, and the ticks stay on the whole-second grid.
TEST(TickPacerStallTest, OneTickForTheMissedSeconds) {
    TickPacer pacer(1000, 0);
    EXPECT_TRUE(pacer.ReplyArrived(10));
    EXPECT_TRUE(pacer.DeadlineReached(4600));
    EXPECT_FALSE(pacer.ReplyArrived(4800));
    EXPECT_TRUE(pacer.ReplyArrived(5000));
    EXPECT_EQ(pacer.DeadlineMs(), 6250);
}

} // namespace
