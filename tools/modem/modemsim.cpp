// modemsim: the simulated GPRS module on a pseudo-terminal. Prints the device
// path to open as COM2 on its first line, then answers every 45-byte frame
// until SIGINT or SIGTERM; with --log it writes each received frame, in hex
// and decoded, one line per frame.

#include "FrameAssembler.h"
#include "ModemAnswers.h"
#include "ModemOptions.h"
#include "PseudoTerminal.h"
#include "core/remote/UploadFrameText.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

constexpr int kIdlePollMs = 50;

qint64 MonotonicMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

struct PendingAnswer {
    qint64 dueMs;
    std::uint8_t byte;
};

// Each line is flushed at once: a test reads the log while modemsim runs.
bool LogFrame(QFile& log, const QByteArray& bytes) {
    if (!log.isOpen())
        return true;
    UploadFrame frame{};
    std::memcpy(frame.data(), bytes.constData(), frame.size());
    return log.write(DescribeUploadFrame(frame) + '\n') > 0 && log.flush();
}

int Serve(const ModemOptions& options, const PseudoTerminal& pty, int stopFd, QFile& log) {
    ModemAnswers answers(options);
    FrameAssembler assembler(static_cast<qsizetype>(kUploadFrameSize));
    std::deque<PendingAnswer> pending;
    const qint64 startMs = MonotonicMs();
    for (;;) {
        qint64 now = MonotonicMs();
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
        now = MonotonicMs();
        if (fds[0].revents & POLLIN) {
            char buffer[256];
            const ssize_t count = ::read(pty.masterFd(), buffer, sizeof buffer);
            if (count > 0) {
                for (const QByteArray& frame : assembler.feed(QByteArray(buffer, count), now)) {
                    if (!LogFrame(log, frame)) {
                        std::fprintf(stderr, "modemsim: cannot write the log\n");
                        return 1;
                    }
                    if (const auto byte = answers.Answer(frame, now - startMs))
                        pending.push_back({now + options.delayMs, *byte});
                }
            }
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            // Nothing to read until the instrument opens the port again.
            ::usleep(kIdlePollMs * 1000);
        }
        while (!pending.empty() && pending.front().dueMs <= now) {
            // An answer nobody reads is lost, as on a real line.
            [[maybe_unused]] const ssize_t written = ::write(pty.masterFd(), &pending.front().byte, 1);
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
    const auto parsed = ParseModemOptions(QCoreApplication::arguments());
    if (const auto* usage = std::get_if<ModemUsage>(&parsed)) {
        std::fputs(qPrintable(usage->text + QLatin1Char('\n')), usage->isError ? stderr : stdout);
        return usage->isError ? 2 : 0;
    }
    const ModemOptions& options = std::get<ModemOptions>(parsed);
    QFile log(options.logFile);
    if (!options.logFile.isEmpty() && !log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        std::fprintf(stderr, "modemsim: cannot write %s\n", qPrintable(options.logFile));
        return 1;
    }

    QString error;
    const auto pty = PseudoTerminal::open(&error);
    if (!pty) {
        std::fprintf(stderr, "modemsim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(pty->slavePath()));
    std::fflush(stdout);

    const int result = Serve(options, *pty, stopFd, log);
    ::close(stopFd);
    return result;
}
