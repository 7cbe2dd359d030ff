// The program with the simulators (rig, modem) as child processes, ended by a
// signal as a service manager or a terminal would end it: none may stay behind.

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

template <typename Condition> bool WaitFor(Condition condition, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

TEST(ProgramSignal, SigtermEndsTheProgramAndItsSimulators) {
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

    // The rig and the modem simulator.
    std::vector<pid_t> children;
    const bool started = WaitFor([&] { return (children = Children(pid)).size() >= 2; }, 60s);
    if (!started) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        FAIL() << "the program started " << children.size() << " simulators";
    }
    ::kill(pid, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    for (const pid_t child : children) {
        EXPECT_TRUE(WaitFor([&] { return Ended(child); }, 5s))
            << "simulator " << child << " outlived the program";
        if (!Ended(child))
            ::kill(child, SIGKILL);
    }
}

} // namespace
