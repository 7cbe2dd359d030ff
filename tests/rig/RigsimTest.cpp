#include "RigTestSupport.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr int kStartTimeoutMs = 10000;

// rigsim as the instrument sees it: a process and the serial device it names.
class RigsimProcess : public ::testing::Test {
  protected:
    void Start(const QStringList& arguments) {
        m_process.start(QStringLiteral(RIGSIM_PATH), arguments);
        ASSERT_TRUE(m_process.waitForStarted(kStartTimeoutMs));
        while (!m_process.canReadLine())
            ASSERT_TRUE(m_process.waitForReadyRead(kStartTimeoutMs)) << "no device path from rigsim";
        const QByteArray path = m_process.readLine().trimmed();
        m_device = ::open(path.constData(), O_RDWR | O_NOCTTY);
        ASSERT_GE(m_device, 0) << path.constData();
    }

    // Whatever arrives within `waitMs`, up to one reply block.
    QByteArray Exchange(const QByteArray& frame, int waitMs = 2000) {
        EXPECT_EQ(::write(m_device, frame.constData(), frame.size()), frame.size());
        QByteArray received;
        pollfd readable{m_device, POLLIN, 0};
        while (received.size() < kReplySize && ::poll(&readable, 1, waitMs) > 0) {
            char buffer[64];
            const ssize_t count = ::read(m_device, buffer, sizeof buffer);
            if (count <= 0)
                break;
            received.append(buffer, count);
        }
        return received;
    }

    void TearDown() override {
        if (m_device >= 0)
            ::close(m_device);
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(kStartTimeoutMs);
        }
    }

    QProcess m_process;
    int m_device = -1;
};

TEST_F(RigsimProcess, AnswersAnIdleFrameAndStopsCleanlyOnTerminate) {
    Start({});
    const QByteArray reply = Exchange(commandFrame({}));
    ASSERT_EQ(reply.size(), kReplySize);
    EXPECT_EQ(replyValue(reply, 1), 0);
    EXPECT_NEAR(replyValue(reply, 5) * kGaugeMmPerCount, GaugeParams{}.startReading[0], 0.02);

    m_process.terminate();
    ASSERT_TRUE(m_process.waitForFinished(kStartTimeoutMs));
    EXPECT_EQ(m_process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_process.exitCode(), 0);
}

TEST_F(RigsimProcess, PumpFramesRaiseTheLoadOnScaledTime) {
    Start({QStringLiteral("--time-scale"), QStringLiteral("20")});
    const QByteArray pumping = commandFrame(pumpRunning(200, 1000));
    for (int i = 0; i < 10; ++i) {
        Exchange(pumping);
        ::usleep(100 * 1000);
    }
    const QByteArray reply = Exchange(commandFrame(pumpStanding(1000)));
    ASSERT_EQ(reply.size(), kReplySize);
    // At least a second of real time at 20 times: well over 100 kN.
    EXPECT_GT(replyValue(reply, 1) / kCountsPerKN, 100.0);
}

TEST_F(RigsimProcess, ServesTheChosenFault) {
    Start({QStringLiteral("--fault"), QStringLiteral("zeros"), QStringLiteral("--fault-rate"),
           QStringLiteral("1")});
    const QByteArray reply = Exchange(commandFrame({}));
    ASSERT_EQ(reply.size(), kReplySize);
    EXPECT_EQ(reply.mid(1, 11), QByteArray(11, '\0'));
}

TEST_F(RigsimProcess, StaysSilentWhenToldTo) {
    Start({QStringLiteral("--fault"), QStringLiteral("silence"), QStringLiteral("--fault-rate"),
           QStringLiteral("1")});
    EXPECT_TRUE(Exchange(commandFrame({}), 500).isEmpty());
}

class RigsimCommandLine : public ::testing::TestWithParam<QStringList> {};

TEST_P(RigsimCommandLine, RefusesWhatItDoesNotUnderstand) {
    QProcess process;
    process.start(QStringLiteral(RIGSIM_PATH), GetParam());
    ASSERT_TRUE(process.waitForFinished(kStartTimeoutMs));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
    EXPECT_FALSE(process.readAllStandardError().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Options, RigsimCommandLine,
                         ::testing::Values(QStringList{"--jack", "triple"}, QStringList{"--fault", "noise"},
                                           QStringList{"--fault", "short", "--fault-rate", "1.5"},
                                           QStringList{"--time-scale", "0"}, QStringList{"--seed", "x"},
                                           QStringList{"--failure-load", "-5"}, QStringList{"--bogus"},
                                           QStringList{"extra"}));

} // namespace
