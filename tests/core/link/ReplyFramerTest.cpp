#include "core/link/ReplyFramer.h"

#include <optional>
#include <vector>

#include <gtest/gtest.h>

namespace {

QByteArray Reply() {
    QByteArray reply(31, '\0');
    for (qsizetype i = 0; i < reply.size(); ++i)
        reply[i] = static_cast<char>(i + 1);
    return reply;
}

// A burst as it arrives in reads, and what the framer must make of it.
struct Burst {
    const char* name;
    std::vector<QByteArray> reads;
    bool whole;
    ReplyCounts counts;
};

const Burst kBursts[] = {
    {"OneRead", {Reply()}, true, {.whole = 1}},
    {"ManyReads", {Reply().first(10), Reply().sliced(10, 20), Reply().sliced(30)}, true, {.whole = 1}},
    {"Short", {Reply().first(30)}, false, {.tooShort = 1}},
    {"OneByte", {Reply().first(1)}, false, {.tooShort = 1}},
    {"Long", {Reply() + QByteArray(1, '\0')}, false, {.tooLong = 1}},
    {"GarbageBefore", {QByteArray(3, 'x'), Reply()}, false, {.tooLong = 1}},
    {"EndlessGarbage", std::vector<QByteArray>(100, QByteArray(512, 'x')), false, {.tooLong = 1}},
};

class ReplyFramerBursts : public ::testing::TestWithParam<Burst> {};

TEST_P(ReplyFramerBursts, PassesOnOnlyAWholeReply) {
    const Burst& burst = GetParam();
    ReplyFramer framer;
    for (const QByteArray& read : burst.reads)
        framer.Receive(read);
    const std::optional<QByteArray> reply = framer.EndBurst();
    EXPECT_EQ(reply.has_value(), burst.whole);
    if (reply) {
        EXPECT_EQ(*reply, Reply());
    }
    EXPECT_EQ(framer.Counts(), burst.counts);
    EXPECT_FALSE(framer.InBurst());
}

INSTANTIATE_TEST_SUITE_P(Bursts, ReplyFramerBursts, ::testing::ValuesIn(kBursts),
                         [](const ::testing::TestParamInfo<Burst>& info) {
                             return std::string(info.param.name);
                         });

TEST(ReplyFramer, AReplySplitByAQuietGapIsTwoDroppedBursts) {
    ReplyFramer framer;
    framer.Receive(Reply().first(10));
    EXPECT_FALSE(framer.EndBurst());
    framer.Receive(Reply().sliced(10));
    EXPECT_FALSE(framer.EndBurst());
    EXPECT_EQ(framer.Counts(), (ReplyCounts{.tooShort = 2}));
    // The next whole reply is taken again.
    framer.Receive(Reply());
    EXPECT_EQ(framer.EndBurst(), Reply());
}

TEST(ReplyFramer, ABurstCutByTheCycleIsDroppedAndTheNextIsWhole) {
    ReplyFramer framer;
    framer.Receive(Reply().first(20));
    framer.Discard();
    EXPECT_FALSE(framer.InBurst());
    EXPECT_FALSE(framer.EndBurst()); // a quiet line after nothing is no burst
    framer.Receive(Reply());
    EXPECT_EQ(framer.EndBurst(), Reply());
    EXPECT_EQ(framer.Counts(), (ReplyCounts{.whole = 1, .cut = 1}));
    EXPECT_EQ(framer.Counts().Dropped(), 1u);
}

} // namespace
