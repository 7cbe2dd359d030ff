#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

// Runs the simulated loading rig (rigsim) for as long as this object lives
// and hands out the pseudo-terminal it serves, to be used as COM1. The rig
// also ends when this program ends in any way (it asks the kernel for a
// signal when its parent dies), so no rig is left behind by a crash or kill.
//
// The child is started with fork and exec rather than QProcess: Qt starts
// children with a raw clone that ThreadSanitizer cannot follow, after which
// it reports every later lock of the program as a race.
class SimulatedRigProcess {
  public:
    SimulatedRigProcess() = default;
    ~SimulatedRigProcess();
    SimulatedRigProcess(const SimulatedRigProcess&) = delete;
    SimulatedRigProcess& operator=(const SimulatedRigProcess&) = delete;

    // Starts `program` with `arguments` and waits for the device path it
    // prints first; empty when the rig could not be started. Starts once.
    QString start(const QString& program, const QStringList& arguments);

    // The rigsim program of this build tree, else the one on the PATH.
    static QString findProgram();

  private:
    void Stop();

    pid_t m_pid = -1;
    int m_output = -1; // read end of the rig's standard output, kept open so its writes never fail
};
