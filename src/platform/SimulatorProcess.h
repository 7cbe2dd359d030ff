#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

// Runs a simulator on a pseudo-terminal (rigsim for COM1, modemsim for
// COM2) for as long as this object lives and hands out the device it serves.
// The simulator also ends when this program ends in any way (it asks the
// kernel for a signal when its parent dies), so none is left behind by a
// crash or kill.
//
// The child is started with fork and exec rather than QProcess: Qt starts
// children with a raw clone that ThreadSanitizer cannot follow, after which
// it reports every later lock of the program as a race.
class SimulatorProcess {
  public:
    SimulatorProcess() = default;
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // Starts `program` with `arguments` and waits for the device path it
    // prints first; empty when it could not be started. Starts once.
    QString Start(const QString& program, const QStringList& arguments);

    // The program of this build tree (`buildPath` below the tree's top, as
    // "tools/rig/rigsim"), else the one of that name on the PATH.
    static QString FindProgram(const QString& buildPath);

  private:
    void Stop();

    pid_t m_pid = -1;
    int m_output = -1; // read end of the simulator's standard output, kept open so its writes never fail
};
