#include "RigTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

struct FaultCase {
    const char* name;
    FaultKind kind;
    // The spoilt reply against the one the same rig gives without faults.
    std::function<void(const QByteArray& spoilt, const QByteArray& clean)> check;
};

class ReplyFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ReplyFault, SpoilsEveryReplyAtRateOne) {
    RigConfig faulty;
    faulty.fault = {GetParam().kind, 1.0};
    RigModel spoiling(faulty);
    RigModel clean;
    for (int cycle = 0; cycle < 20; ++cycle) {
        const QByteArray frame = commandFrame(pumpRunning(100, 500));
        GetParam().check(spoiling.Reply(frame), clean.Reply(frame));
        spoiling.Advance(200);
        clean.Advance(200);
    }
    // Faults touch only the answers, not the rig behind them.
    EXPECT_EQ(spoiling.Load(), clean.Load());
}

INSTANTIATE_TEST_SUITE_P(Kinds, ReplyFault,
                         ::testing::Values(FaultCase{"Silence", FaultKind::Silence,
                                                     [](const QByteArray& spoilt, const QByteArray&) {
                                                         EXPECT_TRUE(spoilt.isEmpty());
                                                     }},
                                           FaultCase{"Short", FaultKind::Short,
                                                     [](const QByteArray& spoilt, const QByteArray& clean) {
                                                         EXPECT_GE(spoilt.size(), 1);
                                                         EXPECT_LT(spoilt.size(), kReplySize);
                                                         EXPECT_TRUE(clean.startsWith(spoilt));
                                                     }},
                                           FaultCase{"Garbage", FaultKind::Garbage,
                                                     [](const QByteArray& spoilt, const QByteArray& clean) {
                                                         ASSERT_EQ(spoilt.size(), kReplySize);
                                                         EXPECT_NE(spoilt, clean);
                                                     }},
                                           FaultCase{"Zeros", FaultKind::Zeros,
                                                     [](const QByteArray& spoilt, const QByteArray& clean) {
                                                         ASSERT_EQ(spoilt.size(), kReplySize);
                                                         EXPECT_EQ(spoilt.mid(1, 11), QByteArray(11, '\0'));
                                                         EXPECT_EQ(spoilt.mid(12), clean.mid(12));
                                                     }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReplyFault, HitsAboutTheGivenShareOfReplies) {
    RigConfig config;
    config.fault = {FaultKind::Silence, 0.3};
    RigModel rig(config);
    int silent = 0;
    const int replies = 2000;
    for (int i = 0; i < replies; ++i)
        silent += rig.Reply(commandFrame({})).isEmpty() ? 1 : 0;
    EXPECT_NEAR(silent / double(replies), 0.3, 0.04);
}

TEST(ReplyFault, CanBeSwitchedOffDuringARun) {
    RigConfig config;
    config.fault = {FaultKind::Silence, 1.0};
    RigModel rig(config);
    EXPECT_TRUE(rig.Reply(commandFrame({})).isEmpty());
    rig.SetFault({});
    EXPECT_EQ(rig.Reply(commandFrame({})).size(), kReplySize);
}

} // namespace
