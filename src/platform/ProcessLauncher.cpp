#include "platform/ProcessLauncher.h"

#include <QFileInfo>
#include <QProcess>

bool DetachedProcessLauncher::StartDetached(const QString& hostPath) const {
    const QFileInfo program(hostPath);
    if (!program.isFile() || !program.isExecutable())
        return false;
    // The updater works next to the files it replaces.
    return QProcess::startDetached(program.absoluteFilePath(), {}, program.absolutePath());
}
