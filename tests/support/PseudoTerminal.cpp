#include "support/PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>

PseudoTerminal::PseudoTerminal() {
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return;
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        ::close(m_master);
        m_master = -1;
        return;
    }
    m_slavePath = QString::fromLocal8Bit(ptsname(m_master));
    m_slaveKeepAlive = ::open(ptsname(m_master), O_RDWR | O_NOCTTY);
    termios raw{};
    if (m_slaveKeepAlive >= 0 && tcgetattr(m_slaveKeepAlive, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(m_slaveKeepAlive, TCSANOW, &raw);
    }
}

PseudoTerminal::~PseudoTerminal() {
    if (m_slaveKeepAlive >= 0)
        ::close(m_slaveKeepAlive);
    if (m_master >= 0)
        ::close(m_master);
}

QByteArray PseudoTerminal::Read(int count, int timeoutMs) {
    QByteArray bytes;
    while (bytes.size() < count) {
        pollfd pfd{m_master, POLLIN, 0};
        if (::poll(&pfd, 1, timeoutMs) <= 0)
            break;
        char buffer[256];
        const ssize_t got =
            ::read(m_master, buffer, std::min<std::size_t>(sizeof buffer, count - bytes.size()));
        if (got <= 0)
            break;
        bytes.append(buffer, got);
    }
    return bytes;
}

bool PseudoTerminal::Write(const QByteArray& bytes) {
    return ::write(m_master, bytes.constData(), static_cast<std::size_t>(bytes.size())) == bytes.size();
}
