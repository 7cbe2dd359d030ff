#include "PseudoTerminal.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/signalfd.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace {
QString systemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}
} // namespace

PseudoTerminal::PseudoTerminal(int masterFd, int slaveFd, QString slavePath)
    : m_masterFd(masterFd), m_slaveFd(slaveFd), m_slavePath(std::move(slavePath)) {}

PseudoTerminal::PseudoTerminal(PseudoTerminal&& other) noexcept
    : m_masterFd(std::exchange(other.m_masterFd, -1)), m_slaveFd(std::exchange(other.m_slaveFd, -1)),
      m_slavePath(std::move(other.m_slavePath)) {}

PseudoTerminal::~PseudoTerminal() {
    if (m_slaveFd >= 0)
        ::close(m_slaveFd);
    if (m_masterFd >= 0)
        ::close(m_masterFd);
}

std::optional<PseudoTerminal> PseudoTerminal::Open(QString* error) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0) {
        *error = systemError("posix_openpt");
        return std::nullopt;
    }
    const char* name = nullptr;
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 || (name = ::ptsname(master)) == nullptr) {
        *error = systemError("grantpt/unlockpt/ptsname");
        ::close(master);
        return std::nullopt;
    }
    const QString path = QString::fromLocal8Bit(name);
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios mode{};
    if (slave < 0 || ::tcgetattr(slave, &mode) != 0) {
        *error = systemError("open slave");
        if (slave >= 0)
            ::close(slave);
        ::close(master);
        return std::nullopt;
    }
    // Bytes pass unchanged: no echo, no line editing, no character translation.
    ::cfmakeraw(&mode);
    ::cfsetispeed(&mode, B9600);
    ::cfsetospeed(&mode, B9600);
    if (::tcsetattr(slave, TCSANOW, &mode) != 0) {
        *error = systemError("tcsetattr");
        ::close(slave);
        ::close(master);
        return std::nullopt;
    }
    // Replies are dropped rather than blocking when nobody reads them.
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    return PseudoTerminal(master, slave, path);
}

int ServeOnPseudoTerminal(const char* program,
                          const std::function<int(const PseudoTerminal& pty, int stopFd)>& serve) {
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    const int stopFd = ::signalfd(-1, &stopSignals, SFD_CLOEXEC);
    if (stopFd < 0) {
        std::fprintf(stderr, "%s: %s\n", program, qPrintable(systemError("signalfd")));
        return 1;
    }
    QString error;
    const auto pty = PseudoTerminal::Open(&error);
    if (!pty) {
        std::fprintf(stderr, "%s: %s\n", program, qPrintable(error));
        ::close(stopFd);
        return 1;
    }
    std::printf("%s\n", qPrintable(pty->SlavePath()));
    std::fflush(stdout);
    const int result = serve(*pty, stopFd);
    ::close(stopFd);
    return result;
}
