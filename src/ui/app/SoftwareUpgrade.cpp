#include "ui/app/SoftwareUpgrade.h"

#include "core/data/DeviceText.h"
#include "platform/DeviceFolders.h"
#include "platform/ProcessLauncher.h"
#include "ui/app/Prompter.h"

#include <QFile>

namespace {
constexpr qint64 kVersionBytes = 20;
}

QString ReadUpdaterVersion(const DeviceFolders& folders) {
    QFile file(folders.HostPath(UpdaterFile::kVersion));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("1.0.7");
    QByteArray bytes = file.read(kVersionBytes);
    const qsizetype end = bytes.indexOf('\0');
    if (end >= 0)
        bytes.truncate(end);
    return DeviceText::ToUnicode(bytes);
}

bool OfferSoftwareUpgrade(Prompter& prompter, const DeviceFolders& folders, const ProcessLauncher& launcher) {
    const QString text =
        QStringLiteral("是否确定升级软件？升级前请确认已插入带有升级文件的U盘！  软件版本：") +
        ReadUpdaterVersion(folders);
    if (!prompter.Question(QString(), text))
        return false;
    // Without a running updater the instrument keeps running rather than
    // leaving the operator with an empty screen, and says why.
    if (launcher.StartDetached(folders.HostPath(UpdaterFile::kProgram)))
        return true;
    prompter.Information(QString(), QStringLiteral("软件升级程序不存在或无法启动!"));
    return false;
}
