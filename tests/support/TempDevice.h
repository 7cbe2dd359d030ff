#pragma once

#include "core/data/KVTFile.h"
#include "platform/DeviceFolders.h"

#include <QByteArray>
#include <QTemporaryDir>

// A fresh data root with the two device folders, and the file operations on it.
class TempDevice {
  public:
    TempDevice();

    const DeviceFolders& folders() const { return m_folders; }
    const KVTFile& files() const { return m_files; }
    QString root() const { return m_dir.path(); }

    // Whole content of a device file; empty when it does not exist.
    QByteArray read(const QString& devicePath) const;
    void write(const QString& devicePath, const QByteArray& bytes) const;
    bool exists(const QString& devicePath) const;

  private:
    QTemporaryDir m_dir;
    DeviceFolders m_folders;
    KVTFile m_files;
};
