#include "platform/ProcessLauncher.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

void WriteFile(const QString& path, const QByteArray& content, QFile::Permissions permissions) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    ASSERT_TRUE(file.setPermissions(permissions));
}

} // namespace

TEST(ProcessLauncher, StartsAnExecutableFileDetached) {
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("updater.sh"));
    const QString marker = dir.filePath(QStringLiteral("started"));
    WriteFile(program, "#!/bin/sh\ntouch \"$(dirname \"$0\")/started\"\n",
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ASSERT_TRUE(DetachedProcessLauncher().StartDetached(program));
    const QDeadlineTimer deadline(10000);
    while (!QFile::exists(marker) && !deadline.hasExpired())
        QThread::msleep(20);
    EXPECT_TRUE(QFile::exists(marker));
}

TEST(ProcessLauncher, RefusesWhatIsNotAnExecutableFile) {
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("软件升级.exe"));
    WriteFile(plain, "MZ", QFile::ReadOwner | QFile::WriteOwner);
    const DetachedProcessLauncher launcher;
    EXPECT_FALSE(launcher.StartDetached(plain));
    EXPECT_FALSE(launcher.StartDetached(dir.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(launcher.StartDetached(dir.path())) << "a folder";
}
