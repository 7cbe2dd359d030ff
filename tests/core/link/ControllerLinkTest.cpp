#include "core/link/ControllerLink.h"
#include "support/PseudoTerminal.h"

#include <QElapsedTimer>
#include <QThread>

#include <mutex>
#include <vector>

#include <gtest/gtest.h>

namespace {

// A composer that numbers its frames, and a handler that keeps the replies.
struct Peer {
    std::atomic<int> composed{0};
    std::mutex mutex; // guards replies
    std::vector<QByteArray> replies;

    ControllerLink::Composer Composer() {
        return [this] {
            CommandCycle c;
            c.frame.fill(0);
            c.frame[1] = 0x0F;
            c.frame[11] = static_cast<std::uint8_t>(++composed);
            return c;
        };
    }
    ControllerLink::ReplyHandler Handler() {
        return [this](const QByteArray& block) {
            std::lock_guard lock(mutex);
            replies.push_back(block);
        };
    }
    std::vector<QByteArray> TakeReplies() {
        std::lock_guard lock(mutex);
        return replies;
    }
};

TEST(ControllerLink, SendsAFrameEvery200Milliseconds) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.IsOpen());
    Peer peer;
    ControllerLink link(pty.SlavePath(), peer.Composer(), peer.Handler());
    ASSERT_TRUE(link.Open());

    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> arrivals;
    std::vector<int> numbers;
    for (int i = 0; i < 10; ++i) {
        const QByteArray frame = pty.Read(12, 1000);
        ASSERT_EQ(frame.size(), 12) << "frame " << i;
        arrivals.push_back(clock.elapsed());
        EXPECT_EQ(static_cast<std::uint8_t>(frame[1]), 0x0F);
        numbers.push_back(static_cast<std::uint8_t>(frame[11]));
    }
    for (std::size_t i = 1; i < arrivals.size(); ++i) {
        const qint64 gap = arrivals[i] - arrivals[i - 1];
        EXPECT_GE(gap, 150) << "between frames " << i - 1 << " and " << i;
        EXPECT_LE(gap, 260) << "between frames " << i - 1 << " and " << i;
        EXPECT_EQ(numbers[i], numbers[i - 1] + 1);
    }
}

TEST(ControllerLink, HandsOnAWholeReplyArrivingInPiecesAndCountsADroppedOne) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.IsOpen());
    Peer peer;
    ControllerLink link(pty.SlavePath(), peer.Composer(), peer.Handler());
    ASSERT_TRUE(link.Open());
    ASSERT_EQ(pty.Read(12, 1000).size(), 12);

    // Pieces a few milliseconds apart are one burst; 31 bytes are one reply.
    QByteArray reply(31, '\0');
    reply[1] = 0x10;
    reply[2] = 0x02;
    ASSERT_TRUE(pty.Write(reply.first(7)));
    QThread::msleep(3);
    ASSERT_TRUE(pty.Write(reply.sliced(7)));
    QElapsedTimer waited;
    waited.start();
    while (peer.TakeReplies().empty() && waited.elapsed() < 1000)
        QThread::msleep(5);
    std::vector<QByteArray> replies = peer.TakeReplies();
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0], reply);

    // A short reply to the next frame is dropped and counted.
    ASSERT_EQ(pty.Read(12, 1000).size(), 12);
    ASSERT_TRUE(pty.Write(reply.first(7)));
    waited.restart();
    while (link.CountedReplies().tooShort == 0 && waited.elapsed() < 1000)
        QThread::msleep(5);
    EXPECT_EQ(link.CountedReplies(), (ReplyCounts{.whole = 1, .tooShort = 1}));
    EXPECT_EQ(peer.TakeReplies().size(), 1u);
}

TEST(ControllerLink, AMissingPortIsSilentAndStartsNothing) {
    Peer peer;
    ControllerLink link(QStringLiteral("/dev/does-not-exist-staticload"), peer.Composer(), peer.Handler());
    EXPECT_FALSE(link.Open());
    QThread::msleep(450);
    EXPECT_EQ(link.Cycles(), 0u);
    EXPECT_EQ(peer.composed, 0);
}

} // namespace
