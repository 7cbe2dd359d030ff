#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Runs the simulated loading rig (rigsim) for as long as this object lives
// and hands out the pseudo-terminal it serves, to be used as COM1.
class SimulatedRigProcess {
  public:
    SimulatedRigProcess() = default;
    ~SimulatedRigProcess();
    SimulatedRigProcess(const SimulatedRigProcess&) = delete;
    SimulatedRigProcess& operator=(const SimulatedRigProcess&) = delete;

    // Starts `program` with `arguments` and waits for the device path it
    // prints first; empty when the rig could not be started.
    QString start(const QString& program, const QStringList& arguments);

    // The rigsim program of this build tree, else the one on the PATH.
    static QString findProgram();

  private:
    QProcess m_process;
};
