#include "ui/report/TestDocuments.h"
#include "ui/files/TestDocumentWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kStoredTest = QStringLiteral(STATICLOAD_SIM_GOLDEN_DIR "/pile.kvt");

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(TestDocumentsTest, NamesFollowTheDataFile) {
    EXPECT_EQ(TestDocumentNames("123456-0001.kvt"), QStringList({"123456-0001.pdf", "123456-0001.csv"}));
    EXPECT_EQ(TestDocumentNames("noextension"), QStringList({"noextension.pdf", "noextension.csv"}));
}

TEST(TestDocumentsTest, AStoredTestGetsItsReportAndItsCsvAndNothingElse) {
    const QTemporaryDir folder;
    ASSERT_EQ(WriteTestDocuments(kStoredTest, folder.path()), QString());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"pile.csv", "pile.pdf"}))
        << "no temporary file is left";
    const QByteArray pdf = Read(folder.filePath("pile.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));

    CPublic pub;
    CurveModel curves;
    ASSERT_TRUE(OpenTestBytes(Read(kStoredTest), pub, curves));
    ASSERT_GT(pub.readingCount, 0);
    const QString csv = QString::fromUtf8(Read(folder.filePath("pile.csv")));
    EXPECT_TRUE(csv.contains("pile.kvt"));
    EXPECT_FALSE(csv.contains("nan"));
}

TEST(TestDocumentsTest, WhatCannotBeReadOrWrittenIsAFailure) {
    const QTemporaryDir folder;
    QFile garbage(folder.filePath("short.kvt"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a data file");
    garbage.close();
    const QString out = folder.filePath("out");
    ASSERT_TRUE(QDir().mkpath(out));
    const struct {
        const char* what;
        QString dataFile;
        QString folder;
    } table[] = {
        {"missing data file", folder.filePath("none.kvt"), out},
        {"no whole row", garbage.fileName(), out},
        {"missing folder", kStoredTest, folder.filePath("gone")},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        EXPECT_FALSE(WriteTestDocuments(row.dataFile, row.folder).isEmpty());
        EXPECT_TRUE(QDir(out).entryList(QDir::Files).isEmpty());
    }
}

} // namespace
