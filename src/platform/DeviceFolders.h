#pragma once

#include <QString>

// The instrument names its files by device paths: "\硬盘\APP\name" (the
// instrument's own disk) and "\硬盘2\name" (the USB disk). Stored paths keep
// that form so files stay byte-compatible with the panel; this maps them to
// folders under a data root on the host:
//   \硬盘\APP\name  ->  <root>/硬盘/APP/name
//   \硬盘2\name     ->  <root>/硬盘2/name
class DeviceFolders {
public:
    explicit DeviceFolders(QString dataRoot);

    // Per-user data folder used when the app is given no root.
    static QString defaultDataRoot();

    const QString& dataRoot() const { return m_root; }

    // Host path of a device path; empty for a path outside the two device
    // folders or one that tries to climb out of them ("..").
    QString hostPath(const QString& devicePath) const;

    // Creates the two device folders under the root; false when it cannot.
    bool createFolders() const;

private:
    QString m_root;
};

namespace DevicePath {
inline const QString kAppFolder = QStringLiteral("\\硬盘\\APP\\");
inline const QString kUsbFolder = QStringLiteral("\\硬盘2\\");
} // namespace DevicePath
