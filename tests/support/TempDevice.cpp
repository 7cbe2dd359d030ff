#include "support/TempDevice.h"

#include <QFile>

#include <gtest/gtest.h>

TempDevice::TempDevice() : m_folders(m_dir.path()), m_files(m_folders) {
    EXPECT_TRUE(m_dir.isValid());
    EXPECT_TRUE(m_folders.CreateFolders());
}

QByteArray TempDevice::Read(const QString& devicePath) const {
    QFile file(m_folders.HostPath(devicePath));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void TempDevice::Write(const QString& devicePath, const QByteArray& bytes) const {
    QFile file(m_folders.HostPath(devicePath));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

bool TempDevice::Exists(const QString& devicePath) const {
    return QFile::exists(m_folders.HostPath(devicePath));
}
