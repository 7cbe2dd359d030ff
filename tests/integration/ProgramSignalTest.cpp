// The program with the simulators (rig, modem) as child processes, ended by a
// signal as a service manager or a terminal would end it: none may stay behind.

#include "support/ProgramProcess.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// The children the main thread of `pid` started.
std::vector<pid_t> Children(pid_t pid) {
    QFile file(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
    std::vector<pid_t> children;
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray& child : file.readAll().trimmed().split(' '))
            if (!child.isEmpty())
                children.push_back(static_cast<pid_t>(child.toInt()));
    }
    return children;
}

// True when the process is gone or only a zombie left for its new parent.
bool Ended(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray text = stat.readAll();
    const qsizetype afterName = text.lastIndexOf(')');
    return afterName < 0 || text.mid(afterName + 2, 1) == "Z";
}

TEST(ProgramSignal, SigtermEndsTheProgramAndItsSimulators) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    ProgramProcess program;
    ASSERT_TRUE(program.Start(QStringLiteral(STATICLOAD_PATH),
                              {QStringLiteral("--simulate"), QStringLiteral("--data-root"), root.path()}));
    const pid_t pid = program.Pid();

    // The rig and the modem simulator.
    std::vector<pid_t> children;
    const bool started = WaitFor([&] { return (children = Children(pid)).size() >= 2; }, 60s);
    if (!started) {
        program.End(SIGKILL);
        FAIL() << "the program started " << children.size() << " simulators";
    }
    const int status = program.End(SIGTERM);
    EXPECT_TRUE(WIFSIGNALED(status) || WIFEXITED(status));
    for (const pid_t child : children) {
        EXPECT_TRUE(WaitFor([&] { return Ended(child); }, 5s))
            << "simulator " << child << " outlived the program";
        if (!Ended(child))
            ::kill(child, SIGKILL);
    }
}

} // namespace
