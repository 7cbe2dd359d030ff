// rigsim: the simulated loading rig on a pseudo-terminal. Prints the device
// path to open as COM1 on its first line, then answers every command frame
// until SIGINT or SIGTERM.

#include "CommandFrame.h"
#include "FrameAssembler.h"
#include "PseudoTerminal.h"
#include "RigModel.h"
#include "RigsimOptions.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <deque>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {
// A real controller answers a few milliseconds after the frame.
constexpr qint64 kReplyDelayMs = 5;
// How often the model is brought up to date while no frame arrives.
constexpr int kIdlePollMs = 50;

qint64 monotonicMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

struct PendingReply {
    qint64 dueMs;
    QByteArray bytes;
};

// Runs the model on real time times the scale, keeping the fractions of a
// millisecond that one step leaves over.
class ModelTime {
  public:
    ModelTime(double scale, qint64 startMs) : m_scale(scale), m_lastMs(startMs) {}
    qint64 msToAdvance(qint64 nowMs) {
        m_owedMs += (nowMs - m_lastMs) * m_scale;
        m_lastMs = nowMs;
        const auto whole = static_cast<qint64>(m_owedMs);
        m_owedMs -= whole;
        return whole;
    }

  private:
    double m_scale;
    qint64 m_lastMs;
    double m_owedMs = 0.0;
};

int serve(const RigsimOptions& options, const PseudoTerminal& pty, int stopFd) {
    RigModel model(options.rig);
    FrameAssembler assembler(kCommandFrameSize);
    ModelTime modelTime(options.timeScale, monotonicMs());
    std::deque<PendingReply> pending;

    for (;;) {
        qint64 now = monotonicMs();
        const int timeout = pending.empty()
                                ? kIdlePollMs
                                : static_cast<int>(std::max<qint64>(0, pending.front().dueMs - now));
        pollfd fds[2] = {{pty.masterFd(), POLLIN, 0}, {stopFd, POLLIN, 0}};
        if (::poll(fds, 2, timeout) < 0 && errno != EINTR) {
            std::perror("poll");
            return 1;
        }
        if (fds[1].revents & POLLIN)
            return 0;

        now = monotonicMs();
        model.advance(modelTime.msToAdvance(now));

        if (fds[0].revents & POLLIN) {
            char buffer[256];
            const ssize_t count = ::read(pty.masterFd(), buffer, sizeof buffer);
            if (count > 0) {
                for (const QByteArray& frame : assembler.feed(QByteArray(buffer, count), now)) {
                    const QByteArray answer = model.reply(frame);
                    if (!answer.isEmpty())
                        pending.push_back({now + kReplyDelayMs, answer});
                }
            }
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            // Nothing to read until the instrument opens the port again.
            ::usleep(kIdlePollMs * 1000);
        }

        while (!pending.empty() && pending.front().dueMs <= now) {
            // A reply nobody takes is lost, as on a real line.
            const QByteArray& bytes = pending.front().bytes;
            [[maybe_unused]] const ssize_t written = ::write(pty.masterFd(), bytes.constData(), bytes.size());
            pending.pop_front();
        }
    }
}
} // namespace

int main(int argc, char* argv[]) {
    // Stop signals are taken through a descriptor so the serve loop ends cleanly.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    const int stopFd = ::signalfd(-1, &stopSignals, SFD_CLOEXEC);
    if (stopFd < 0) {
        std::perror("signalfd");
        return 1;
    }

    QCoreApplication app(argc, argv);
    const auto parsed = parseRigsimOptions(QCoreApplication::arguments());
    if (const auto* usage = std::get_if<RigsimUsage>(&parsed)) {
        std::fputs(qPrintable(usage->text + QLatin1Char('\n')), usage->isError ? stderr : stdout);
        return usage->isError ? 2 : 0;
    }

    QString error;
    const auto pty = PseudoTerminal::open(&error);
    if (!pty) {
        std::fprintf(stderr, "rigsim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(pty->slavePath()));
    std::fflush(stdout);

    const int result = serve(std::get<RigsimOptions>(parsed), *pty, stopFd);
    ::close(stopFd);
    return result;
}
