#include "core/remote/GprsLink.h"

#include "core/remote/UploadFrame.h"

#include <gtest/gtest.h>

namespace {

UploadFrame Frame(std::uint8_t tag) {
    UploadFrame frame{};
    frame[0] = 0xAA;
    frame[1] = tag;
    return frame;
}

// The link on a virtual clock with a file that records every save.
struct LinkOnVirtualClock {
    std::vector<std::vector<UploadFrame>> saves;
    bool saveWorks = true;
    GprsLink link{[this](const std::vector<UploadFrame>& frames) {
        saves.push_back(frames);
        return saveWorks;
    }};
    qint64 nowMs = 0;
    std::vector<UploadFrame> sent;

    // Moves the clock on by `ms`, running every pass that falls due.
    void Advance(qint64 ms) {
        const qint64 end = nowMs + ms;
        for (; nowMs <= end; nowMs += 1000)
            if (const auto frame = link.Tick(nowMs))
                sent.push_back(*frame);
        nowMs = end;
    }
};

TEST(GprsLink, AcknowledgedFrameIsRemovedAndSaved) {
    LinkOnVirtualClock t;
    t.link.Append(Frame(1));
    t.link.Append(Frame(2));
    t.Advance(0);
    ASSERT_EQ(t.sent, std::vector{Frame(1)});
    t.link.HandleGprsReply(0x55);
    EXPECT_EQ(t.link.State(), GprsLink::kSent);
    EXPECT_EQ(t.link.Frames(), std::vector{Frame(2)});
    EXPECT_EQ(t.saves.back(), std::vector{Frame(2)});
    t.Advance(10'000);
    EXPECT_EQ(t.sent, (std::vector{Frame(1), Frame(2)}));
}

TEST(GprsLink, NotRegisteredKeepsTheFrameAndSendsItAgain) {
    LinkOnVirtualClock t;
    t.link.Append(Frame(1));
    t.Advance(0);
    t.link.HandleGprsReply(GprsLink::kAnswerNotRegistered);
    EXPECT_EQ(t.link.State(), GprsLink::kNotRegistered);
    EXPECT_EQ(t.link.Frames(), std::vector{Frame(1)});
    t.Advance(10'000);
    EXPECT_EQ(t.sent, (std::vector{Frame(1), Frame(1)}));
}

TEST(GprsLink, SilenceShowsNoAnswerAndResendsAfter130Seconds) {
    LinkOnVirtualClock t;
    t.link.Append(Frame(1));
    t.Advance(0);
    t.Advance(10'000);
    EXPECT_EQ(t.link.State(), GprsLink::kNoAnswer);
    t.Advance(110'000);
    EXPECT_EQ(t.sent.size(), 1u);
    t.Advance(10'000); // 130 s after the first send
    EXPECT_EQ(t.sent, (std::vector{Frame(1), Frame(1)}));
    EXPECT_EQ(t.link.Frames(), std::vector{Frame(1)});
}

TEST(GprsLink, UploadOffSendsNothingAndLeavesTheState) {
    LinkOnVirtualClock t;
    t.link.SetUploadOff(true);
    t.link.Append(Frame(1));
    t.Advance(300'000);
    EXPECT_TRUE(t.sent.empty());
    EXPECT_EQ(t.link.State(), GprsLink::kSent);
}

TEST(GprsLink, AnswerWhileNothingIsAwaitedIsIgnored) {
    LinkOnVirtualClock t;
    t.link.Append(Frame(1));
    t.link.HandleGprsReply(0x55);
    EXPECT_EQ(t.link.Frames(), std::vector{Frame(1)});
    t.Advance(0);
    t.link.HandleGprsReply(0x55);
    t.link.HandleGprsReply(0x55); // a second byte of the same answer
    EXPECT_TRUE(t.link.Frames().empty());
}

TEST(GprsLink, ModuleTestPassedDropsOnlyTheTestFrame) {
    LinkOnVirtualClock t;
    const UploadFrame test = BuildModuleTestFrame("123456");
    t.link.StartModuleTest(test);
    t.link.Append(Frame(7)); // a reading queued behind it
    t.Advance(0);
    ASSERT_EQ(t.sent, std::vector{test});
    t.link.HandleGprsReply(GprsLink::kAnswerTestPassed);
    EXPECT_EQ(t.link.State(), GprsLink::kTestPassed);
    EXPECT_EQ(t.link.Frames(), std::vector{Frame(7)});
    EXPECT_EQ(t.saves.back(), std::vector{Frame(7)});
}

TEST(GprsLink, SilentModuleTestFailsAfterOnePass) {
    LinkOnVirtualClock t;
    const UploadFrame test = BuildModuleTestFrame("123456");
    t.link.StartModuleTest(test);
    t.link.Append(Frame(7));
    t.Advance(10'000);
    EXPECT_EQ(t.link.State(), GprsLink::kTestFailed);
    EXPECT_EQ(t.link.Frames(), std::vector{Frame(7)});
    t.Advance(10'000);
    EXPECT_EQ(t.sent, (std::vector{test, Frame(7)}));
    t.link.ResetState();
    EXPECT_EQ(t.link.State(), GprsLink::kIdle);
}

TEST(GprsLink, FailedSaveIsReported) {
    LinkOnVirtualClock t;
    t.saveWorks = false;
    EXPECT_FALSE(t.link.Append(Frame(1)));
    EXPECT_TRUE(t.link.SaveFailed());
    t.saveWorks = true;
    EXPECT_TRUE(t.link.Append(Frame(2)));
    EXPECT_EQ(t.saves.back(), (std::vector{Frame(1), Frame(2)}));
}

TEST(GprsLink, AFailedSaveIsTriedAgainUntilItHolds) {
    LinkOnVirtualClock t;
    t.saveWorks = false;
    t.link.Append(Frame(1));
    t.link.RetryFailedSave();
    EXPECT_TRUE(t.link.SaveFailed());
    t.saveWorks = true;
    t.link.RetryFailedSave();
    EXPECT_FALSE(t.link.SaveFailed());
    EXPECT_EQ(t.saves.back(), std::vector{Frame(1)});
    const std::size_t saves = t.saves.size();
    t.link.RetryFailedSave();
    EXPECT_EQ(t.saves.size(), saves) << "nothing to save again";
}

// The first reading of a test replaces the queue while an older frame may
// still await its answer: that answer must not take the new, unsent head.
TEST(GprsLink, ALateAnswerAfterTheQueueWasReplacedRemovesNothing) {
    LinkOnVirtualClock t;
    t.link.Append(Frame(1));
    t.Advance(0);
    t.link.StartWith(Frame(2));
    t.link.HandleGprsReply(0x55);
    EXPECT_EQ(t.link.Frames(), std::vector{Frame(2)});
    t.Advance(10'000);
    EXPECT_EQ(t.sent, (std::vector{Frame(1), Frame(2)}));
}

TEST(GprsLink, AResetKeepsUnsentReadingsAndStartsTheLinkOver) {
    LinkOnVirtualClock t;
    t.link.Append(Frame(1));
    t.Advance(0);
    t.Advance(10'000);
    ASSERT_EQ(t.link.State(), GprsLink::kNoAnswer);
    t.link.StartModuleTest(BuildModuleTestFrame("123456"));
    t.link.ResetLink();
    EXPECT_EQ(t.link.State(), GprsLink::kSent);
    EXPECT_EQ(t.link.Frames(), std::vector{Frame(1)});
    t.link.HandleGprsReply(0x55); // nothing awaited any more
    EXPECT_EQ(t.link.Frames(), std::vector{Frame(1)});
    t.Advance(10'000);
    EXPECT_EQ(t.sent, (std::vector{Frame(1), Frame(1)}));
}

TEST(GprsLink, AClockSetBackDoesNotStallTheSender) {
    LinkOnVirtualClock t;
    t.nowMs = 3'600'000;
    t.link.Append(Frame(1));
    t.Advance(0);
    t.link.HandleGprsReply(0x55);
    t.link.Append(Frame(2));
    t.nowMs = 0; // the operator set the clock an hour back
    t.Advance(10'000);
    EXPECT_EQ(t.sent, (std::vector{Frame(1), Frame(2)}));
}

} // namespace
