#include "support/TempDevice.h"

#include <QFile>

#include <gtest/gtest.h>

TempDevice::TempDevice() : m_folders(m_dir.path()), m_files(m_folders) {
    EXPECT_TRUE(m_dir.isValid());
    EXPECT_TRUE(m_folders.createFolders());
}

QByteArray TempDevice::read(const QString& devicePath) const {
    QFile file(m_folders.hostPath(devicePath));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void TempDevice::write(const QString& devicePath, const QByteArray& bytes) const {
    QFile file(m_folders.hostPath(devicePath));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

bool TempDevice::exists(const QString& devicePath) const {
    return QFile::exists(m_folders.hostPath(devicePath));
}
