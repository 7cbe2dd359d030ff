#include "KvtRun.h"

#include <QProcess>

#include <gtest/gtest.h>

KvtRun Kvt(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(KVT_PATH), args);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
