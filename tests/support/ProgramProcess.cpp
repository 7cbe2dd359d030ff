#include "support/ProgramProcess.h"

#include "platform/ArgumentVector.h"

#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

ProgramProcess::~ProgramProcess() {
    if (m_pid > 0)
        End(SIGKILL);
}

bool ProgramProcess::Start(const QString& program, const QStringList& arguments) {
    if (m_pid > 0)
        return false;
    const ArgumentVector argv(program, arguments);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    pid_t pid = -1;
    if (::posix_spawn(&pid, argv.Data()[0], nullptr, nullptr, argv.Data(), environ) != 0)
        return false;
    m_pid = pid;
    return true;
}

bool ProgramProcess::Running() {
    if (m_pid > 0 && ::waitpid(m_pid, &m_status, WNOHANG) == m_pid)
        m_pid = -1; // reaped: its number may be given to another process
    return m_pid > 0;
}

int ProgramProcess::End(int signal) {
    if (m_pid > 0) {
        ::kill(m_pid, signal);
        ::waitpid(m_pid, &m_status, 0);
        m_pid = -1;
    }
    return m_status;
}
