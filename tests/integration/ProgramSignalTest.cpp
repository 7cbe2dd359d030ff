// The program with the simulated rig as a child process, ended by a signal as
// a service manager or a terminal would end it: the rig must not stay behind.

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;

// The first child of `pid`, or -1.
pid_t FirstChild(pid_t pid) {
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
    if (!children.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = children.readAll().trimmed();
    return text.isEmpty() ? -1 : static_cast<pid_t>(text.split(' ').front().toInt());
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

template <typename Condition> bool WaitFor(Condition condition, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

TEST(ProgramSignal, SigtermEndsTheProgramAndItsRig) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QByteArray rootPath = root.path().toLocal8Bit();
    char program[] = STATICLOAD_PATH;
    char simulate[] = "--simulate";
    char dataRoot[] = "--data-root";
    std::vector<char*> argv{program, simulate, dataRoot, rootPath.data(), nullptr};
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    pid_t pid = -1;
    ASSERT_EQ(::posix_spawn(&pid, program, nullptr, nullptr, argv.data(), environ), 0);

    pid_t rig = -1;
    const bool rigStarted = WaitFor([&] { return (rig = FirstChild(pid)) > 0; }, 60s);
    if (!rigStarted) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        FAIL() << "the program started no rig";
    }
    ::kill(pid, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WaitFor([&] { return Ended(rig); }, 5s)) << "rigsim " << rig << " outlived the program";
    if (!Ended(rig))
        ::kill(rig, SIGKILL);
}

} // namespace
