#pragma once

#include "support/TempDevice.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

// Data files with a chosen date, for the file list: a test cannot set a
// file's birth time, so the list is read by the modification time it sets.
namespace StoredDataFiles {

inline const QString kApp = QStringLiteral("\\硬盘\\APP\\");
inline const QString kUsb = QStringLiteral("\\硬盘2\\");
inline const QDateTime kMorning(QDate(2026, 5, 4), QTime(8, 0, 0));

inline QDateTime ModifiedTime(const QFileInfo& file) {
    return file.lastModified();
}

// "\硬盘\APP\<name>" holding `bytes`, last changed at `time`.
inline void Store(const TempDevice& device, const QString& name, const QByteArray& bytes,
                  const QDateTime& time = kMorning) {
    device.Write(kApp + name, bytes);
    QFile file(device.Folders().HostPath(kApp + name));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
}

} // namespace StoredDataFiles
