// Measures what storing readings durably costs on this machine's disk.
//
// 1. A whole simulated test (engine, journal and fsync on the real disk, the
//    rig and the clock played as fast as they go): for every reading the wall
//    time from the controller reply it uses to the reading being stored.
// 2. The controller link's 200 ms cycle against rigsim, first with the
//    user-interface thread idle, then while it stores a reading every 100 ms
//    (ten times the busiest reading schedule) through the same journal.
// 3. Against the same rigsim, a reading stored at every one-second tick as
//    the main window's tick takes it: the wall time from the reply it uses
//    to the reading being stored, with the tick on a plain one-second timer
//    and with the tick placed after the replies (TickTimer).
//
//   storage_timing [--dir DIR] [--cycles N]
//
// DIR must be on the disk to be measured (not a tmpfs); default: the current
// folder. N cycles per phase (default 600, two minutes each).

#include "VirtualTest.h"
#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"
#include "core/data/RowStore.h"
#include "core/engine/RunController.h"
#include "core/link/ControllerLink.h"
#include "platform/DeviceFolders.h"
#include "platform/SimulatorProcess.h"
#include "platform/TickTimer.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

using SteadyClock = std::chrono::steady_clock;

double Ms(SteadyClock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

void Report(const char* name, std::vector<double> values) {
    if (values.empty()) {
        std::printf("%-34s no samples\n", name);
        return;
    }
    std::sort(values.begin(), values.end());
    const auto at = [&values](double share) {
        return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
    };
    std::printf("%-34s n %5zu  min %7.2f  p50 %7.2f  p99 %7.2f  max %7.2f ms\n", name, values.size(),
                values.front(), at(0.5), at(0.99), values.back());
}

// Part 1: every reading of a whole simulated pile test.
void TimeWholeTest(const QString& base) {
    QTemporaryDir dir(QDir(base).filePath(QStringLiteral("storage-timing-XXXXXX")));
    const DeviceFolders folders(dir.path());
    if (!dir.isValid() || !folders.CreateFolders()) {
        std::fprintf(stderr, "storage_timing: cannot make a data root under %s\n", qPrintable(base));
        return;
    }
    TestSetup setup;
    setup.standardCode = 5;
    setup.stageStep = 100;
    setup.maxLoad = 1000;
    SteadyClock::time_point lastReply;
    std::vector<double> latencies;
    VirtualTest test(folders, setup, {},
                     VirtualTest::Observer{
                         .replyHandled = [&] { lastReply = SteadyClock::now(); },
                         .readingTaken = [&] { latencies.push_back(Ms(SteadyClock::now() - lastReply)); }});
    if (const QString refusal = test.Start(); !refusal.isEmpty()) {
        std::fprintf(stderr, "storage_timing: %s\n", qPrintable(refusal));
        return;
    }
    const RunReport report = test.Run();
    std::printf("whole test: standard 5, 100 to 1000 kN, %s after %.1f h of test time, %d readings\n",
                report.finished ? "finished" : "not finished", static_cast<double>(report.virtualMs) / 3.6e6,
                test.Pub().readingCount);
    Report("reply -> reading stored", latencies);
}

// Arrival times of the link's cycles (worker thread), read by the main thread.
class CycleStamps {
  public:
    void Add() {
        std::lock_guard lock(m_mutex);
        m_times.push_back(SteadyClock::now());
    }
    std::size_t Size() {
        std::lock_guard lock(m_mutex);
        return m_times.size();
    }
    // The gaps between the cycles from `first` on.
    std::vector<double> GapsFrom(std::size_t first) {
        std::lock_guard lock(m_mutex);
        std::vector<double> gaps;
        for (std::size_t i = std::max<std::size_t>(first, 1); i < m_times.size(); ++i)
            gaps.push_back(Ms(m_times[i] - m_times[i - 1]));
        return gaps;
    }

  private:
    std::mutex m_mutex; // guards m_times
    std::vector<SteadyClock::time_point> m_times;
};

// When the newest reply was processed (link thread), read at the tick (main thread).
class ReplyStamp {
  public:
    void Set() {
        std::lock_guard lock(m_mutex);
        m_time = SteadyClock::now();
    }
    SteadyClock::time_point Get() {
        std::lock_guard lock(m_mutex);
        return m_time;
    }

  private:
    std::mutex m_mutex; // guards m_time
    SteadyClock::time_point m_time;
};

// A data file with a test to append readings to, as the reading step does.
class ReadingWriter {
  public:
    explicit ReadingWriter(const DeviceFolders& folders) : m_files(folders) {
        m_pub.dataFilePath = QStringLiteral("\\硬盘\\APP\\000001-0001.kvt");
        m_pub.paramList = DefaultParameterList();
        KVTFile::BuildBlankRecords(m_pub);
        m_ready = m_files.CreateDataFile(m_pub.dataFilePath, m_pub.recordList);
    }
    bool Ready() const { return m_ready; }

    // One reading: the run-state rows and the reading row, one journaled, synced update.
    double Store() {
        const auto started = SteadyClock::now();
        const int row = m_readings++ % 1000;
        if (static_cast<std::size_t>(row) >= m_pub.recordList.size())
            m_pub.recordList.resize(static_cast<std::size_t>(row) + 1, m_pub.recordList.back());
        Record& reading = m_pub.recordList[static_cast<std::size_t>(row)];
        std::memcpy(reading.clock, "08:00", 5);
        reading.load = 100 + row;
        RefreshRunStateTexts(m_pub, QDate(2026, 5, 4));
        std::vector<RowWrite> writes = RunStateRowWrites();
        writes.push_back({row, true});
        if (!StoreRows(m_pub, m_files, writes))
            std::fprintf(stderr, "storage_timing: a reading could not be stored\n");
        return Ms(SteadyClock::now() - started);
    }

  private:
    KVTFile m_files;
    CPublic m_pub;
    bool m_ready = false;
    int m_readings = 0;
};

// Part 3: `ticks` readings, each stored at a tick, timed from the newest reply.
std::vector<double> TimeTickReadings(ControllerPort& link, ReadingWriter& writer, bool placedAfterReplies,
                                     int ticks) {
    ReplyStamp stamp;
    QObject context;
    QObject::connect(
        &link, &ControllerPort::ReplyProcessed, &context, [&stamp] { stamp.Set(); }, Qt::DirectConnection);
    std::vector<double> latencies;
    QEventLoop loop;
    const auto onTick = [&] {
        const SteadyClock::time_point reply = stamp.Get();
        writer.Store();
        latencies.push_back(Ms(SteadyClock::now() - reply));
        if (static_cast<int>(latencies.size()) >= ticks)
            loop.quit();
    };
    TickTimer paced(1000, &context);
    QTimer plain(&context);
    if (placedAfterReplies) {
        QObject::connect(&link, &ControllerPort::ReplyProcessed, &paced, &TickTimer::ReplyArrived,
                         Qt::QueuedConnection);
        QObject::connect(&paced, &TickTimer::Tick, &context, onTick);
        paced.Start();
    } else {
        QObject::connect(&plain, &QTimer::timeout, &context, onTick);
        plain.start(1000);
    }
    loop.exec();
    return latencies;
}

// Part 2: the link's cycle with and without readings being synced.
int TimeCycles(const QString& base, std::size_t cycles) {
    SimulatorProcess rig;
    const QString program = SimulatorProcess::FindProgram(QStringLiteral("tools/rig/rigsim"));
    const QString device = program.isEmpty() ? QString() : rig.Start(program, {});
    if (device.isEmpty()) {
        std::fprintf(stderr, "storage_timing: rigsim could not be started\n");
        return 1;
    }
    QTemporaryDir dir(QDir(base).filePath(QStringLiteral("storage-timing-XXXXXX")));
    const DeviceFolders folders(dir.path());
    if (!dir.isValid() || !folders.CreateFolders()) {
        std::fprintf(stderr, "storage_timing: cannot make a data root under %s\n", qPrintable(base));
        return 1;
    }
    ReadingWriter writer(folders);
    if (!writer.Ready()) {
        std::fprintf(stderr, "storage_timing: cannot create the data file\n");
        return 1;
    }

    RunController run;
    CycleStamps stamps;
    ControllerLink link(
        device,
        [&] {
            stamps.Add();
            return run.Cycle();
        },
        [&](const QByteArray& block) {
            run.HandleReply(std::span(reinterpret_cast<const std::uint8_t*>(block.constData()),
                                      static_cast<std::size_t>(block.size())),
                            0);
        });
    if (!link.Open()) {
        std::fprintf(stderr, "storage_timing: cannot open %s\n", qPrintable(device));
        return 1;
    }
    std::printf("link against rigsim on %s, %zu cycles per phase\n", qPrintable(device), cycles);
    std::fflush(stdout);

    while (stamps.Size() <= cycles) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    const std::vector<double> idle = stamps.GapsFrom(0);
    const std::size_t syncingFrom = stamps.Size();
    std::vector<double> stores;
    while (stamps.Size() <= syncingFrom + cycles) {
        stores.push_back(writer.Store());
        QCoreApplication::processEvents();
        QThread::msleep(100);
    }
    const std::vector<double> syncing = stamps.GapsFrom(syncingFrom);

    Report("cycle, user-interface thread idle", idle);
    Report("cycle, readings synced every 100 ms", syncing);
    Report("one reading stored (journal, fsync)", stores);
    std::fflush(stdout);

    const int ticks = static_cast<int>(cycles / 5);
    Report("reply -> stored, plain 1 s timer", TimeTickReadings(link, writer, false, ticks));
    Report("reply -> stored, tick after reply", TimeTickReadings(link, writer, true, ticks));
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QString base = QDir::currentPath();
    std::size_t cycles = 600;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--dir"))
            base = args[i + 1];
        else if (args[i] == QLatin1String("--cycles"))
            cycles = args[i + 1].toULong();
    }
    TimeWholeTest(base);
    return TimeCycles(base, std::max<std::size_t>(cycles, 10));
}
