#include "support/ProgramProcess.h"

#include <QFile>

#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

ProgramProcess::~ProgramProcess() {
    if (m_pid > 0)
        End(SIGKILL);
}

bool ProgramProcess::Start(const QString& program, const QStringList& arguments) {
    if (m_pid > 0)
        return false;
    std::vector<QByteArray> texts{QFile::encodeName(program)};
    for (const QString& argument : arguments)
        texts.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    pid_t pid = -1;
    if (::posix_spawn(&pid, argv.front(), nullptr, nullptr, argv.data(), environ) != 0)
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
