#include "platform/SimulatedRigProcess.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
constexpr int kStartTimeoutMs = 5000;
} // namespace

SimulatedRigProcess::~SimulatedRigProcess() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(2000))
        m_process.kill();
    m_process.waitForFinished(1000);
}

QString SimulatedRigProcess::start(const QString& program, const QStringList& arguments) {
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(program, arguments);
    if (!m_process.waitForStarted(kStartTimeoutMs))
        return {};
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(kStartTimeoutMs))
            return {};
    }
    return QString::fromLocal8Bit(m_process.readLine()).trimmed();
}

QString SimulatedRigProcess::findProgram() {
    // Programs of the build tree sit one or two folders below its top.
    const QString here = QCoreApplication::applicationDirPath();
    for (const char* relative : {"/../tools/rig/rigsim", "/../../tools/rig/rigsim"}) {
        const QFileInfo candidate(here + QLatin1String(relative));
        if (candidate.isExecutable())
            return candidate.canonicalFilePath();
    }
    return QStandardPaths::findExecutable(QStringLiteral("rigsim"));
}
