#pragma once

#include <QString>

#include <functional>

// Where the host mounts the instrument's USB disk "\硬盘2\".
struct UsbDiskMapping {
    QString folder; // named by the operator; used whenever it is set
    // Without a named folder: the mount point of a removable disk, or empty
    // when none is mounted (then the data root's 硬盘2 folder stands for it).
    std::function<QString()> findRemovableDisk;
};

// The instrument names its files by device paths: "\硬盘\APP\name" (the
// instrument's own disk) and "\硬盘2\name" (the USB disk). Stored paths keep
// that form so files stay byte-compatible with the panel; this maps them to
// folders on the host:
//   \硬盘\APP\name  ->  <root>/硬盘/APP/name
//   \硬盘2\name     ->  <USB folder>/name, by default <root>/硬盘2/name
class DeviceFolders {
  public:
    explicit DeviceFolders(QString dataRoot, UsbDiskMapping usb = {});

    // Per-user data folder used when the app is given no root.
    static QString DefaultDataRoot();

    const QString& DataRoot() const { return m_root; }

    // Host folder of "\硬盘\APP\".
    QString AppFolder() const;
    // Host folder of "\硬盘2\" now: a removable disk may come and go between
    // two calls.
    QString UsbFolder() const;

    // Host path of a device path; empty for a path outside the two device
    // folders or one that tries to climb out of them ("..").
    QString HostPath(const QString& devicePath) const;

    // Creates the two device folders under the root; false when it cannot.
    bool CreateFolders() const;

  private:
    QString m_root;
    UsbDiskMapping m_usb;
};

namespace DevicePath {
inline const QString kAppFolder = QStringLiteral("\\硬盘\\APP\\");
inline const QString kUsbFolder = QStringLiteral("\\硬盘2\\");
} // namespace DevicePath
