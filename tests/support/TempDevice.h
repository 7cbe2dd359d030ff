#pragma once

#include "core/data/KVTFile.h"
#include "platform/DeviceFolders.h"

#include <QByteArray>
#include <QTemporaryDir>

// A fresh data root with the two device folders, and the file operations on it.
class TempDevice {
  public:
    TempDevice();

    const DeviceFolders& Folders() const { return m_folders; }
    const KVTFile& Files() const { return m_files; }
    QString Root() const { return m_dir.path(); }

    // Whole content of a device file; empty when it does not exist.
    QByteArray Read(const QString& devicePath) const;
    void Write(const QString& devicePath, const QByteArray& bytes) const;
    bool Exists(const QString& devicePath) const;

  private:
    QTemporaryDir m_dir;
    DeviceFolders m_folders;
    KVTFile m_files;
};
