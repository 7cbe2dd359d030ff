// The real program on an accelerated clock against modemsim over a
// pseudo-terminal: every reading of a running test reaches the module once
// and in order, through minutes of the module's silence and through SIGKILLs
// of the program between frames, and the live frame goes once a minute.
//
// The test starts modemsim itself and hands the program its device with
// --com2, so the module stays up across the kills, as a real module stays
// powered when the instrument's program dies, and one log holds every frame
// it received and what it answered.

#include "DemonstrationState.h"
#include "VirtualTest.h"
#include "core/data/KVTFile.h"
#include "core/data/Record.h"
#include "core/link/NumberCodec.h"
#include "core/remote/UploadFrame.h"
#include "platform/DeviceFolders.h"
#include "platform/FileSystem.h"
#include "platform/SimulatorProcess.h"
#include "support/ModemLog.h"
#include "support/ProgramProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using namespace UploadFrameLayout;

constexpr int kTimeScale = 60; // instrument seconds per real second
// The prepared test holds its first stage with four readings queued and
// unsent; the program goes on from 08:28.
constexpr int kPreparedMinutes = 28;
// Real seconds from modemsim's start: the module stays silent through the
// first run and into the second, many minutes of instrument time.
constexpr int kSilentSeconds = 20;
// Start-up under a sanitizer on a busy machine, and half an hour of the
// clock until the next reading.
constexpr auto kWaitLimit = 90s;
// modemsim drops a partial frame after 100 ms; by then anything the killed
// program wrote is logged or gone.
constexpr auto kSettle = 300ms;

// What the program left at a kill: the frames the module had received, and
// the queue file.
struct Kill {
    std::size_t received = 0;
    std::vector<UploadFrame> queue;
};

// A running test in the data root, as `kvt simulate --stop-after` leaves it:
// uploading on, its readings queued for a module it never had, the
// demonstration's clock and plant kept for the program. The data file's
// host path.
QString PrepareRunningTest(const QString& root) {
    const DeviceFolders folders(root);
    EXPECT_TRUE(folders.CreateFolders());
    TestSetup setup;
    setup.uploadAtReading = true;
    setup.timeLimitMs = kPreparedMinutes * 60'000LL;
    VirtualTest test(folders, setup);
    EXPECT_TRUE(test.Start().isEmpty());
    test.Run();
    EXPECT_TRUE(SaveDemonstrationState(HostFileSystem::Instance(),
                                       QDir(root).filePath(QLatin1String(kDemonstrationStateFile)),
                                       test.Demonstration()));
    return test.Files().HostPath(test.Pub().dataFilePath);
}

bool IsReadingFrame(const UploadFrame& frame) {
    return frame[kKind] == 0 || frame[kKind] == kStageOpeningKind;
}

QByteArray Hex(const std::uint8_t* bytes, std::size_t count) {
    return QByteArray(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(count)).toHex();
}

// What a reading frame must carry of its reading: the kind, the clock (a
// stage opening's row has none), the load and gauges 1-4 as coded on the link.
QByteArray ReadingKey(bool opening, const QByteArray& clock, std::int32_t load, const float* gauges) {
    QByteArray key = opening ? QByteArrayLiteral("opening") : "reading " + clock;
    key += " load=" + Hex(EncodeNumber3(static_cast<float>(load)).data(), 3) + " gauges=";
    for (int k = 0; k < 4; ++k)
        key += Hex(EncodeNumber3(gauges[k]).data(), 3) + (k < 3 ? "," : "");
    return key;
}

QByteArray ReadingKey(const UploadFrame& frame) {
    const bool opening = frame[kKind] == kStageOpeningKind;
    QByteArray key = opening ? QByteArrayLiteral("opening")
                             : "reading " + Hex(&frame[kHour], 1) + ':' + Hex(&frame[kMinute], 1);
    key += " load=" + Hex(&frame[kLoad], 3) + " gauges=";
    for (std::size_t k = 0; k < 4; ++k)
        key += Hex(&frame[kGauges + 3 * k], 3) + (k < 3 ? "," : "");
    return key;
}

// The readings of the data file up to its end mark.
std::vector<QByteArray> StoredReadings(const QString& dataFile) {
    QFile file(dataFile);
    std::vector<QByteArray> keys;
    if (!file.open(QIODevice::ReadOnly))
        return keys;
    const QByteArray bytes = file.readAll();
    for (qsizetype at = 0; at + kPackedRecordSize <= static_cast<std::size_t>(bytes.size());
         at += kPackedRecordSize) {
        const Record row = UnpackRecord(reinterpret_cast<const std::uint8_t*>(bytes.constData() + at));
        const QByteArray clock(row.clock, sizeof row.clock);
        if (clock == "11111")
            break;
        keys.push_back(ReadingKey(clock == "--:--", clock, row.load, row.gauge));
    }
    return keys;
}

std::vector<UploadFrame> QueueFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? ParseUploadQueue(file.readAll()) : std::vector<UploadFrame>{};
}

int MinuteOfDay(const UploadFrame& frame) {
    const auto bcd = [](std::uint8_t byte) { return (byte >> 4) * 10 + (byte & 0x0F); };
    return bcd(frame[kHour]) * 60 + bcd(frame[kMinute]);
}

class ProgramGprsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        root = dir.filePath(QStringLiteral("root"));
        dataFile = PrepareRunningTest(root);
        queueFile = DeviceFolders(root).HostPath(DeviceFile::kUploadQueue);
        prepared = QueueFile(queueFile);
        ASSERT_FALSE(prepared.empty());
        preparedReadings = StoredReadings(dataFile).size();
        log = dir.filePath(QStringLiteral("modem.log"));
        com2 = modem.Start(
            QStringLiteral(MODEMSIM_PATH),
            {QStringLiteral("--log"), log, QStringLiteral("--silent-for"), QString::number(kSilentSeconds)});
        ASSERT_FALSE(com2.isEmpty()) << "modemsim did not start";
    }

    void StartProgram() {
        // Under ThreadSanitizer the program leaves out what the widget tests
        // leave out: reports inside Qt's drawing threads and glibc's time zone.
        static const bool suppressed = [] {
            const QByteArray options = qgetenv("TSAN_OPTIONS") + " suppressions=" PROGRAM_TSAN_SUPPRESSIONS;
            return ::setenv("TSAN_OPTIONS", options.constData(), 1) == 0;
        }();
        ASSERT_TRUE(suppressed);
        ASSERT_TRUE(program.Start(QStringLiteral(STATICLOAD_PATH),
                                  {QStringLiteral("--simulate"), QStringLiteral("--time-scale"),
                                   QString::number(kTimeScale), QStringLiteral("--com2"), com2,
                                   QStringLiteral("--data-root"), root}));
        runStarts.push_back(Received().size());
    }

    // SIGKILL, and what the program left.
    void KillProgram() {
        ASSERT_TRUE(program.Running()) << "the program ended by itself";
        program.End(SIGKILL);
        std::this_thread::sleep_for(kSettle);
        kills.push_back(Kill{Received().size(), QueueFile(queueFile)});
    }

    // Waits until the log of the current run satisfies `condition`.
    template <typename Condition> void WaitForRun(Condition condition, const char* what) {
        const std::size_t from = runStarts.back();
        const bool held = WaitFor(
            [&] {
                const std::vector<ModemLogLine> lines = Received();
                return !program.Running() || condition(std::vector<ModemLogLine>(
                                                 lines.begin() + static_cast<qsizetype>(from), lines.end()));
            },
            kWaitLimit);
        ASSERT_TRUE(program.Running()) << "the program ended by itself while waiting until " << what;
        ASSERT_TRUE(held) << "the program's frames did not show " << what;
    }

    std::vector<ModemLogLine> Received() const { return ReadModemLog(log); }

    QTemporaryDir dir;
    QString root;
    QString dataFile;
    QString queueFile;
    std::vector<UploadFrame> prepared; // the queue the program starts with
    std::size_t preparedReadings = 0;
    QString log;
    SimulatorProcess modem;
    QString com2;
    ProgramProcess program;
    std::vector<std::size_t> runStarts; // frames received before each start
    std::vector<Kill> kills;
};

TEST_F(ProgramGprsTest, EveryReadingArrivesOnceThroughSilenceAndKills) {
    QElapsedTimer elapsed;
    elapsed.start();
    const auto count = [](const std::vector<ModemLogLine>& lines, auto predicate) {
        return std::count_if(lines.begin(), lines.end(), predicate);
    };

    // The module is silent: the head goes, and again after 130 s twice.
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(WaitForRun(
        [&](const auto& lines) { return count(lines, [](const auto& l) { return !l.answer; }) >= 3; },
        "the head sent three times to the silent module"));
    ASSERT_NO_FATAL_FAILURE(KillProgram());

    // The module answers again while the program runs.
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(WaitForRun(
        [&](const auto& lines) { return count(lines, [](const auto& l) { return l.answer; }) >= 3; },
        "three frames acknowledged"));
    ASSERT_NO_FATAL_FAILURE(KillProgram());

    // Kills at moments that fall anywhere in the sender's 10 s pass (167 ms
    // of real time): before, during and after a frame's way.
    for (const auto delay : {2300ms, 600ms, 3100ms, 1450ms}) {
        ASSERT_NO_FATAL_FAILURE(StartProgram());
        ASSERT_NO_FATAL_FAILURE(WaitForRun([](const auto& lines) { return !lines.empty(); }, "a frame sent"));
        std::this_thread::sleep_for(delay);
        ASSERT_NO_FATAL_FAILURE(KillProgram());
    }

    // Left running: the live frame once a minute, and a reading
    // acknowledged in this run (the next is due within half an hour of the
    // clock).
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(WaitForRun(
        [&](const auto& lines) {
            return count(lines, [](const auto& l) { return l.answer && l.frame[kKind] == kLiveKind; }) >= 4 &&
                   count(lines, [](const auto& l) { return l.answer && IsReadingFrame(l.frame); }) >= 1;
        },
        "four live frames and a reading acknowledged"));
    ASSERT_NO_FATAL_FAILURE(KillProgram());
    const double realSeconds = static_cast<double>(elapsed.elapsed()) / 1000.0;

    const std::vector<ModemLogLine> received = Received();
    // While the module kept silent only the head went.
    for (const ModemLogLine& line : received) {
        if (!line.answer) {
            EXPECT_EQ(line.frame, prepared.front())
                << "sent to the silent module: " << line.description.data();
        }
    }
    EXPECT_TRUE(std::any_of(kills.front().queue.begin(), kills.front().queue.end(),
                            [&](const UploadFrame& frame) {
                                return IsReadingFrame(frame) &&
                                       std::find(prepared.begin(), prepared.end(), frame) == prepared.end();
                            }))
        << "no reading was taken while the module kept silent";
    const auto firstRun = received.begin() + static_cast<qsizetype>(kills.front().received);
    EXPECT_EQ(
        count(std::vector<ModemLogLine>(received.begin(), firstRun), [](const auto& l) { return l.answer; }),
        0)
        << "the module answered during the first run";

    // A reading's frame goes again only when its last sending went
    // unanswered, or once after a restart when the kill came between its
    // sending and the queue file's losing it: the program could not know it
    // had arrived. Live frames are not told apart from a resend: two of them
    // queued a minute apart can be alike byte for byte while the load holds.
    int resentAfterKill = 0;
    int alikeLiveFrames = 0;
    std::vector<UploadFrame> sequence; // each frame once, as the queue held them
    for (std::size_t i = 0; i < received.size(); ++i) {
        if (i == 0 || received[i].frame != received[i - 1].frame) {
            sequence.push_back(received[i].frame);
            continue;
        }
        if (!received[i - 1].answer)
            continue;
        const auto kill =
            std::find_if(kills.begin(), kills.end(), [i](const Kill& k) { return k.received == i; });
        if (kill != kills.end() && !kill->queue.empty() && kill->queue.front() == received[i].frame) {
            ++resentAfterKill;
            continue;
        }
        EXPECT_FALSE(IsReadingFrame(received[i].frame))
            << "sent again after its acknowledgement: " << received[i].description.data();
        ++alikeLiveFrames;
    }
    // Frames still queued at the end have not been acknowledged yet; one
    // sent and unanswered heads the queue.
    std::vector<UploadFrame> waiting = kills.back().queue;
    if (!waiting.empty() && !sequence.empty() && waiting.front() == sequence.back())
        waiting.erase(waiting.begin());
    sequence.insert(sequence.end(), waiting.begin(), waiting.end());

    std::vector<QByteArray> delivered;
    for (const UploadFrame& frame : sequence)
        if (IsReadingFrame(frame))
            delivered.push_back(ReadingKey(frame));
    const std::vector<QByteArray> stored = StoredReadings(dataFile);
    EXPECT_EQ(delivered, stored) << "the readings of the data file, each once and in order";
    EXPECT_GT(stored.size(), preparedReadings) << "the program took readings of its own";

    // The live frame every 60 ticks of the main window's one-second timer.
    // On the accelerated clock that timer runs every 1000/X ms cut to whole
    // milliseconds, and while the clock stands at start-up it ticks all the
    // same: from a run's second live frame on, frames are at least 60 such
    // periods apart. Frames carry the minute only; a gap of D seconds
    // parts their minutes by at least D/60, rounded down.
    const double leastGapSeconds = 60.0 * (1000 / kTimeScale) * kTimeScale / 1000.0;
    int liveFrames = 0;
    int liveIntervals = 0;
    int liveMinutes = 0;
    for (std::size_t run = 0; run < runStarts.size(); ++run) {
        std::vector<int> minutes;
        for (std::size_t i = runStarts[run]; i < kills[run].received; ++i) {
            if (received[i].frame[kKind] == kLiveKind && received[i].answer &&
                (i == 0 || received[i].frame != received[i - 1].frame))
                minutes.push_back(MinuteOfDay(received[i].frame));
        }
        if (minutes.size() < 3)
            continue;
        const int span = minutes.back() - minutes[1];
        const int intervals = static_cast<int>(minutes.size()) - 2;
        EXPECT_GE(span, static_cast<int>(intervals * leastGapSeconds / 60.0))
            << "run " << run + 1 << ": " << intervals + 1 << " live frames within " << span << " minutes";
        liveFrames += intervals + 1;
        liveIntervals += intervals;
        liveMinutes += span;
    }
    EXPECT_GE(liveIntervals, 2) << "live frames acknowledged";

    if (HasFailure()) {
        for (std::size_t i = 0; i < received.size(); ++i) {
            for (std::size_t run = 0; run < runStarts.size(); ++run)
                if (runStarts[run] == i)
                    std::printf("--- run %zu; queue file at its start: %zu frames\n", run + 1,
                                run == 0 ? prepared.size() : kills[run - 1].queue.size());
            std::printf("%s  answer=%s\n", received[i].description.constData() + 3 * kUploadFrameSize,
                        received[i].answer ? QByteArray::number(*received[i].answer, 16).constData()
                                           : "none");
        }
    }
    std::printf("[ measured ] %.1f s of real time, %zu runs, %zu frames received (%zu readings of the data "
                "file, %zu from the program's own readings), %d sent again once after a kill in flight; "
                "%d live frames acknowledged, %.2f minutes apart on average (%d alike in a row)\n",
                realSeconds, runStarts.size(), received.size(), stored.size(),
                stored.size() - preparedReadings, resentAfterKill, liveFrames,
                liveIntervals ? static_cast<double>(liveMinutes) / liveIntervals : 0.0, alikeLiveFrames);
}

} // namespace
