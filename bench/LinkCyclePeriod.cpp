// Measures the controller link's 200 ms cycle against rigsim on a
// pseudo-terminal while the user-interface thread is kept busy, next to a
// bare 200 ms timer in a thread of its own, in the same run.
//
//   link_cycle_period [CYCLES]     (default 1000; needs rigsim next to the build)

#include "core/data/CPublic.h"
#include "core/engine/RunController.h"
#include "core/link/ControllerLink.h"
#include "core/link/MeasurementConversion.h"
#include "platform/SimulatorProcess.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <numeric>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Arrival times of cycles, from whichever thread runs them.
class Stamps {
  public:
    void Add() {
        std::lock_guard lock(m_mutex);
        m_times.push_back(Clock::now());
    }
    std::vector<Clock::time_point> Take() {
        std::lock_guard lock(m_mutex);
        return m_times;
    }
    std::size_t Size() {
        std::lock_guard lock(m_mutex);
        return m_times.size();
    }

  private:
    std::mutex m_mutex; // guards m_times
    std::vector<Clock::time_point> m_times;
};

void Report(const char* name, const std::vector<Clock::time_point>& times, std::size_t cycles) {
    std::vector<double> gaps;
    for (std::size_t i = 1; i < times.size() && gaps.size() < cycles; ++i)
        gaps.push_back(std::chrono::duration<double, std::milli>(times[i] - times[i - 1]).count());
    if (gaps.empty())
        return;
    const double mean = std::accumulate(gaps.begin(), gaps.end(), 0.0) / static_cast<double>(gaps.size());
    double variance = 0;
    for (double gap : gaps)
        variance += (gap - mean) * (gap - mean);
    const double sd = std::sqrt(variance / static_cast<double>(gaps.size()));
    std::vector<double> sorted = gaps;
    std::sort(sorted.begin(), sorted.end());
    const double p99 = sorted[static_cast<std::size_t>(0.99 * static_cast<double>(sorted.size() - 1))];
    std::printf("%-22s cycles %5zu  mean %8.3f ms  sd %6.3f ms  min %8.3f ms  p99 %8.3f ms  max %8.3f ms\n",
                name, gaps.size(), mean, sd, sorted.front(), p99, sorted.back());
}

// Keeps the calling thread busy for `ms` without returning to the event loop,
// as a long table rebuild or a modal dialog's work would.
void BusyFor(int ms) {
    const auto until = Clock::now() + std::chrono::milliseconds(ms);
    volatile double sink = 0;
    while (Clock::now() < until)
        for (int i = 0; i < 1000; ++i)
            sink = sink + std::sqrt(static_cast<double>(i));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const std::size_t cycles = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000;

    SimulatorProcess rig;
    const QString program = SimulatorProcess::FindProgram(QStringLiteral("tools/rig/rigsim"));
    const QString device = program.isEmpty() ? QString() : rig.Start(program, {});
    if (device.isEmpty()) {
        std::fprintf(stderr, "link_cycle_period: rigsim could not be started\n");
        return 1;
    }

    RunController run;
    Stamps linkStamps;
    std::atomic<int> replies{0};
    ControllerLink link(
        device,
        [&] {
            linkStamps.Add();
            return run.Cycle();
        },
        [&](const QByteArray& block) {
            run.HandleReply(std::span(reinterpret_cast<const std::uint8_t*>(block.constData()),
                                      static_cast<std::size_t>(block.size())),
                            0);
            ++replies;
        });

    // The bare timer loop: the same period in a thread of its own.
    Stamps timerStamps;
    QThread timerThread;
    QTimer bareTimer;
    bareTimer.setTimerType(Qt::PreciseTimer);
    bareTimer.setInterval(ControllerLink::kCycleMs);
    bareTimer.moveToThread(&timerThread);
    QObject::connect(&bareTimer, &QTimer::timeout, [&] { timerStamps.Add(); });
    QObject::connect(&timerThread, &QThread::started, &bareTimer, qOverload<>(&QTimer::start));
    timerThread.start();

    if (!link.Open()) {
        std::fprintf(stderr, "link_cycle_period: cannot open %s\n", qPrintable(device));
        return 1;
    }
    std::printf("measuring %zu cycles against rigsim on %s; the main thread is busy 150 ms of every 160 ms\n",
                cycles, qPrintable(device));
    std::fflush(stdout);
    while (linkStamps.Size() <= cycles || timerStamps.Size() <= cycles) {
        BusyFor(150);
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    QMetaObject::invokeMethod(&bareTimer, &QTimer::stop, Qt::BlockingQueuedConnection);
    timerThread.quit();
    timerThread.wait();

    Report("controller link", linkStamps.Take(), cycles);
    Report("bare timer thread", timerStamps.Take(), cycles);
    std::printf("replies converted: %d\n", replies.load());
    return 0;
}
