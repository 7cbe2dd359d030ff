#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <sys/types.h>
#include <thread>

// The real program (or a tool) run as a child of the test on the offscreen
// platform, ended by a signal as a power cut, a service manager or a
// terminal would end it. A child still running when this object goes is
// killed.
class ProgramProcess {
  public:
    ProgramProcess() = default;
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // False when it could not be started; one child at a time.
    bool Start(const QString& program, const QStringList& arguments);
    // Still running: it has not ended by itself.
    bool Running();
    // Sends `signal` and waits for the end; the wait status (also of a
    // child that had ended by itself).
    int End(int signal);
    pid_t Pid() const { return m_pid; }

  private:
    pid_t m_pid = -1;
    int m_status = 0;
};

// Polls `condition` until it holds or `limit` has passed; whether it held.
template <typename Condition> bool WaitFor(Condition condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}
