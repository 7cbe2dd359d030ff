#include "platform/SimulatorProcess.h"

#include "platform/ArgumentVector.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kStartTimeoutMs = 5000;
constexpr int kStopTimeoutMs = 2000;

// In the child between fork and exec: only async-signal-safe calls.
[[noreturn]] void RunSimulator(char* const* argv, int outputWrite, pid_t parent) {
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) // the parent died before the request took effect
        ::_exit(1);
    ::dup2(outputWrite, STDOUT_FILENO);
    ::close(outputWrite);
    ::execv(argv[0], argv);
    ::_exit(127);
}

// The first line the simulator prints, without its line end; empty when none
// came within the time-out.
QByteArray ReadFirstLine(int fd) {
    QByteArray line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    while (!line.endsWith('\n')) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd ready{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            return {};
        char c = 0;
        const ssize_t got = ::read(fd, &c, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return {};
        line.append(c);
    }
    return line.trimmed();
}

} // namespace

SimulatorProcess::~SimulatorProcess() {
    Stop();
}

QString SimulatorProcess::Start(const QString& program, const QStringList& arguments) {
    if (m_pid > 0)
        return {};
    // Everything the child needs is prepared before the fork.
    const ArgumentVector argv(program, arguments);

    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0)
        return {};
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0)
        RunSimulator(argv.Data(), output[1], parent);
    ::close(output[1]);
    if (pid < 0) {
        ::close(output[0]);
        return {};
    }
    m_pid = pid;
    m_output = output[0];
    const QByteArray device = ReadFirstLine(m_output);
    if (device.isEmpty()) {
        Stop();
        return {};
    }
    return QString::fromLocal8Bit(device);
}

void SimulatorProcess::Stop() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStopTimeoutMs);
        while (::waitpid(m_pid, nullptr, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(m_pid, SIGKILL);
                ::waitpid(m_pid, nullptr, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        m_pid = -1;
    }
    if (m_output >= 0) {
        ::close(m_output);
        m_output = -1;
    }
}

QString SimulatorProcess::FindProgram(const QString& buildPath) {
    // Programs of the build tree sit one or two folders below its top.
    const QString here = QCoreApplication::applicationDirPath();
    for (const char* up : {"/../", "/../../"}) {
        const QFileInfo candidate(here + QLatin1String(up) + buildPath);
        if (candidate.isExecutable())
            return candidate.canonicalFilePath();
    }
    return QStandardPaths::findExecutable(QFileInfo(buildPath).fileName());
}
