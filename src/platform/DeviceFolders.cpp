#include "platform/DeviceFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace {
const QString kDiskName = QStringLiteral("硬盘");
const QString kUsbName = QStringLiteral("硬盘2");
} // namespace

DeviceFolders::DeviceFolders(QString dataRoot, UsbDiskMapping usb)
    : m_root(QDir::cleanPath(std::move(dataRoot))), m_usb(std::move(usb)) {
    if (!m_usb.folder.isEmpty())
        m_usb.folder = QDir::cleanPath(m_usb.folder);
}

QString DeviceFolders::DefaultDataRoot() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/staticload");
}

QString DeviceFolders::AppFolder() const {
    return m_root + QLatin1Char('/') + kDiskName + QStringLiteral("/APP");
}

QString DeviceFolders::UsbFolder() const {
    if (!m_usb.folder.isEmpty())
        return m_usb.folder;
    if (m_usb.findRemovableDisk) {
        if (const QString mounted = m_usb.findRemovableDisk(); !mounted.isEmpty())
            return QDir::cleanPath(mounted);
    }
    return m_root + QLatin1Char('/') + kUsbName;
}

QString DeviceFolders::HostPath(const QString& devicePath) const {
    const QStringList parts = devicePath.split(QLatin1Char('\\'));
    // A device path starts with a separator, so parts[0] is empty.
    if (parts.size() < 3 || !parts[0].isEmpty())
        return {};
    if (parts[1] != kDiskName && parts[1] != kUsbName)
        return {};
    for (qsizetype i = 2; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..") ||
            part.contains(QLatin1Char('/')))
            return {};
    }
    if (parts[1] == kUsbName)
        return UsbFolder() + QLatin1Char('/') + parts.mid(2).join(QLatin1Char('/'));
    return m_root + QLatin1Char('/') + parts.mid(1).join(QLatin1Char('/'));
}

bool DeviceFolders::CreateFolders() const {
    QDir root(m_root);
    return root.mkpath(kDiskName + QStringLiteral("/APP")) && root.mkpath(kUsbName);
}
