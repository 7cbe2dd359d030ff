#pragma once

#include <QString>

// Starts another program and lets it run on its own; the instrument uses it
// to hand over to the software updater.
class ProcessLauncher {
  public:
    virtual ~ProcessLauncher() = default;
    // Starts the program at a host path, without arguments; false when it
    // could not be started.
    virtual bool StartDetached(const QString& hostPath) const = 0;
};

// Starts the file as a detached process when it is an executable file.
class DetachedProcessLauncher final : public ProcessLauncher {
  public:
    bool StartDetached(const QString& hostPath) const override;
};
