#include "KvtRun.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A simulated test's uploads, written by `kvt simulate --upload-log` and
// read back by `kvt queue`: one decoded line per 45-byte frame, in order.
TEST(KvtQueue, DecodesEveryFrameASimulatedTestQueued) {
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("uploads.dat"));
    const KvtRun simulated =
        Kvt({QStringLiteral("simulate"), QStringLiteral("--standard"), QStringLiteral("5"),
             QStringLiteral("--stop-after"), QStringLiteral("200"), QStringLiteral("--upload-log"), log});
    ASSERT_EQ(simulated.exitCode, 0) << qPrintable(simulated.err);
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const qint64 frames = file.size() / 45;
    ASSERT_EQ(file.size() % 45, 0);
    ASSERT_GE(frames, 5);

    const KvtRun queue = Kvt({QStringLiteral("queue"), log});
    ASSERT_EQ(queue.exitCode, 0) << qPrintable(queue.err);
    const QStringList lines = queue.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), frames);
    for (const QString& line : lines) {
        EXPECT_TRUE(line.startsWith(QLatin1String("aa 04 "))) << qPrintable(line);
        EXPECT_TRUE(line.contains(QLatin1String(" serial=123456000000 pile=0001 year=26 ")))
            << qPrintable(line);
    }
    // The test opens with the first stage: its opening reading, then the
    // 0-minute reading at the stage load.
    EXPECT_TRUE(lines[0].contains(QLatin1String(" kind=stage-opening marks=opening ")))
        << qPrintable(lines[0]);
    EXPECT_TRUE(lines[1].contains(QLatin1String(" kind=reading marks=- "))) << qPrintable(lines[1]);
    EXPECT_TRUE(lines[1].contains(QLatin1String(" load=100 target=100 "))) << qPrintable(lines[1]);
}

TEST(KvtQueue, RefusesBadArguments) {
    EXPECT_EQ(Kvt({QStringLiteral("queue")}).exitCode, 2);
    EXPECT_EQ(Kvt({QStringLiteral("queue"), QStringLiteral("/nonexistent/tarvoGPRS.dat")}).exitCode, 1);
}

} // namespace
