// The GPRS link against modemsim over a pseudo-terminal, on a virtual clock
// that runs far faster than real time: the reading frames of a simulated
// test reach the module in order, none lost, none sent again after its
// acknowledgement, through a silent module and through restarts.

#include "VirtualTest.h"
#include "core/remote/GprsLink.h"
#include "core/remote/GprsSerialLink.h"
#include "core/remote/UploadFrameText.h"
#include "platform/ManualClock.h"
#include "platform/SimulatorProcess.h"
#include "support/ModemLog.h"
#include "support/TempDevice.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <memory>

#include <gtest/gtest.h>

namespace {

constexpr qint64 kPassMs = GprsLink::kPassMs;
// Real time the link thread gets per pass: two polls and the module's answer.
constexpr int kRealMsPerPass = 2 * GprsSerialLink::kPollMs + 20;
constexpr qint64 kReadingEveryMs = 30'000; // readings closer than any standard's, to keep the test short

// The reading frames of the first hours of a simulated test.
std::vector<UploadFrame> ReadingFramesOfATest() {
    static const std::vector<UploadFrame> frames = [] {
        TempDevice device;
        TestSetup setup;
        setup.uploadAtReading = true;
        setup.timeLimitMs = 3LL * 3600 * 1000;
        VirtualTest test(device.Folders(), setup);
        EXPECT_TRUE(test.Start().isEmpty());
        test.Run();
        return test.QueuedFrames();
    }();
    return frames;
}

// The instrument's side: the queue saved to its file, the serial link on the
// module's pseudo-terminal; made anew by a restart.
struct Instrument {
    Instrument(const TempDevice& device, const QString& com2, const Clock& clock)
        : gprs([&device](const std::vector<UploadFrame>& frames) {
              return device.Files().SaveUploadQueue(frames);
          }),
          serial(com2, gprs, clock) {
        std::vector<UploadFrame> saved;
        if (device.Files().LoadUploadQueue(saved))
            gprs.Assign(std::move(saved));
    }
    GprsLink gprs;
    GprsSerialLink serial; // declared last: stops first
};

class GprsModemTest : public ::testing::Test {
  protected:
    void StartModem(const QStringList& arguments) {
        log = dir.filePath(QStringLiteral("modem.log"));
        com2 =
            modem.Start(QStringLiteral(MODEMSIM_PATH), QStringList{QStringLiteral("--log"), log} + arguments);
        ASSERT_FALSE(com2.isEmpty()) << "modemsim did not start";
        Restart();
    }

    void Restart() {
        instrument.reset();
        instrument = std::make_unique<Instrument>(device, com2, clock);
        ASSERT_TRUE(instrument->serial.OpenGprsLink());
    }

    // One pass of the link's schedule: the clock moves on, the link thread
    // and the module get their real time.
    void Pass() {
        clock.AdvanceMs(kPassMs);
        QThread::msleep(kRealMsPerPass);
    }

    void PassesUntil(qint64 instrumentMs) {
        for (qint64 ms = 0; ms < instrumentMs; ms += kPassMs)
            Pass();
    }

    // Real milliseconds from a pass falling due to the module's acknowledgement
    // having removed the frame: the link thread's poll, the 45 bytes on the
    // line, the module's answer; -1 when it did not come within a second.
    qint64 PassToAcknowledgementMs() {
        QElapsedTimer elapsed;
        elapsed.start();
        clock.AdvanceMs(kPassMs);
        while (!instrument->gprs.Frames().empty()) {
            if (elapsed.elapsed() > 1000)
                return -1;
            QThread::usleep(500);
        }
        return elapsed.elapsed();
    }

    void WaitUntilSent(int passes) {
        for (int i = 0; i < passes && !instrument->gprs.Frames().empty(); ++i)
            Pass();
    }

    // The frames the module received, as their decoded lines.
    QList<QByteArray> Received() const {
        QList<QByteArray> lines;
        for (const ModemLogLine& line : ReadModemLog(log))
            lines.append(line.description);
        return lines;
    }

    static QList<QByteArray> Lines(const std::vector<UploadFrame>& frames) {
        QList<QByteArray> lines;
        for (const UploadFrame& frame : frames)
            lines.append(DescribeUploadFrame(frame));
        return lines;
    }

    TempDevice device;
    QTemporaryDir dir;
    ManualClock clock{QDateTime(QDate(2026, 5, 4), QTime(8, 0))};
    SimulatorProcess modem;
    QString com2;
    QString log;
    std::unique_ptr<Instrument> instrument; // declared last: stops before the modem
};

TEST_F(GprsModemTest, EveryReadingArrivesOnceAndInOrder) {
    const std::vector<UploadFrame> frames = ReadingFramesOfATest();
    ASSERT_GE(frames.size(), 10u);
    StartModem({});
    // Real time from the pass that sends a reading to its acknowledgement.
    std::vector<qint64> delays;
    for (const UploadFrame& frame : frames) {
        instrument->gprs.Append(frame);
        delays.push_back(PassToAcknowledgementMs());
        ASSERT_GE(delays.back(), 0) << "no acknowledgement within the pass";
        QThread::msleep(kRealMsPerPass);
        PassesUntil(kReadingEveryMs - kPassMs);
    }
    EXPECT_EQ(Received(), Lines(frames));
    EXPECT_TRUE(instrument->gprs.Frames().empty());
    EXPECT_EQ(device.Read(DeviceFile::kUploadQueue).size(), 0);
    std::sort(delays.begin(), delays.end());
    std::printf(
        "[ measured ] %zu readings, each acknowledged at the first pass after it; from that pass to the "
        "acknowledgement: median %lld ms, at most %lld ms of real time\n",
        frames.size(), static_cast<long long>(delays[delays.size() / 2]),
        static_cast<long long>(delays.back()));
}

TEST_F(GprsModemTest, ABacklogGoesOutOneFrameAPass) {
    const std::vector<UploadFrame> frames = ReadingFramesOfATest();
    StartModem({});
    for (const UploadFrame& frame : frames)
        instrument->gprs.Append(frame);
    const qint64 start = clock.Now().toMSecsSinceEpoch();
    WaitUntilSent(static_cast<int>(frames.size()) + 5);
    const double minutes = static_cast<double>(clock.Now().toMSecsSinceEpoch() - start) / 60'000.0;
    EXPECT_EQ(Received(), Lines(frames));
    EXPECT_TRUE(instrument->gprs.Frames().empty());
    std::printf("[ measured ] backlog of %zu frames sent at %.1f frames per minute of instrument time\n",
                frames.size(), static_cast<double>(frames.size()) / minutes);
}

TEST_F(GprsModemTest, ASilentModuleGetsTheHeadAgainEvery130SecondsAndLosesNothing) {
    const std::vector<UploadFrame> frames = ReadingFramesOfATest();
    // Silent for six minutes of the instrument's time while readings keep
    // coming: the head is sent at passes 0, 13 and 26; the module answers
    // again (33 passes of real time) before the resend at pass 39.
    StartModem({QStringLiteral("--silent-for"), QString::number(33 * kRealMsPerPass / 1000.0)});
    std::size_t queued = 0;
    for (int pass = 0; pass < 36; ++pass) {
        if (pass % 3 == 0 && queued < frames.size())
            instrument->gprs.Append(frames[queued++]);
        Pass();
    }
    EXPECT_EQ(instrument->gprs.State(), GprsLink::kNoAnswer);
    const QList<QByteArray> duringSilence = Received();
    ASSERT_GE(duringSilence.size(), 2) << "the head frame is sent again";
    for (const QByteArray& line : duringSilence)
        EXPECT_EQ(line, DescribeUploadFrame(frames.front())) << "only the head goes while unanswered";

    // Once the module answers, the head goes again at the next resend and
    // then every other frame once.
    for (; queued < frames.size(); ++queued)
        instrument->gprs.Append(frames[queued]);
    WaitUntilSent(static_cast<int>(frames.size()) + 20);
    QList<QByteArray> received = Received();
    EXPECT_EQ(received.mid(duringSilence.size() + 1), Lines(frames).mid(1));
    EXPECT_TRUE(instrument->gprs.Frames().empty());
}

TEST_F(GprsModemTest, ARestartBetweenFramesLosesNoneAndRepeatsNone) {
    const std::vector<UploadFrame> frames = ReadingFramesOfATest();
    StartModem({});
    for (std::size_t i = 0; i < frames.size(); ++i) {
        instrument->gprs.Append(frames[i]);
        // Killed with the frame queued and saved but not yet sent, or after
        // its acknowledgement: the queue file holds what is left.
        if (i % 2 == 0)
            Restart();
        WaitUntilSent(5);
        if (i % 2 == 1)
            Restart();
    }
    EXPECT_EQ(Received(), Lines(frames));
    EXPECT_TRUE(instrument->gprs.Frames().empty());
}

} // namespace
