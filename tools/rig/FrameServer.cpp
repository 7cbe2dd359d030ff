#include "FrameServer.h"

#include "FrameAssembler.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <deque>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr int kIdlePollMs = 50;

struct PendingAnswer {
    qint64 dueMs;
    QByteArray bytes;
};

} // namespace

qint64 MonotonicMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int ServeFrames(const PseudoTerminal& pty, int stopFd, const FrameService& service) {
    FrameAssembler assembler(service.frameSize);
    std::deque<PendingAnswer> pending;
    for (;;) {
        qint64 now = MonotonicMs();
        const int timeout = pending.empty()
                                ? kIdlePollMs
                                : static_cast<int>(std::max<qint64>(0, pending.front().dueMs - now));
        pollfd fds[2] = {{pty.MasterFd(), POLLIN, 0}, {stopFd, POLLIN, 0}};
        if (::poll(fds, 2, timeout) < 0 && errno != EINTR) {
            std::perror("poll");
            return 1;
        }
        if (fds[1].revents & POLLIN)
            return 0;

        now = MonotonicMs();
        if (service.advance)
            service.advance(now);

        if (fds[0].revents & POLLIN) {
            char buffer[256];
            const ssize_t count = ::read(pty.MasterFd(), buffer, sizeof buffer);
            if (count > 0) {
                for (const QByteArray& frame : assembler.Feed(QByteArray(buffer, count), now)) {
                    bool failed = false;
                    const std::optional<DelayedAnswer> answer = service.answer(frame, now, failed);
                    if (failed)
                        return 1;
                    if (answer && !answer->bytes.isEmpty())
                        pending.push_back({now + answer->delayMs, answer->bytes});
                }
            }
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            // Nothing to read until the instrument opens the port again.
            ::usleep(kIdlePollMs * 1000);
        }

        while (!pending.empty() && pending.front().dueMs <= now) {
            // An answer nobody takes is lost, as on a real line.
            const QByteArray& bytes = pending.front().bytes;
            [[maybe_unused]] const ssize_t written = ::write(pty.MasterFd(), bytes.constData(), bytes.size());
            pending.pop_front();
        }
    }
}
