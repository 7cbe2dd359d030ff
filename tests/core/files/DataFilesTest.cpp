#include "core/files/DataFiles.h"

#include "support/StoredDataFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace StoredDataFiles;

class DataFilesTest : public ::testing::Test {
  protected:
    void Store(const QString& name, const QByteArray& bytes, const QDateTime& time = kMorning) const {
        StoredDataFiles::Store(device, name, bytes, time);
    }
    QStringList ListedNames() const {
        QStringList names;
        for (const StoredFile& file : files.List())
            names.append(file.name);
        return names;
    }

    TempDevice device;
    DataFiles files{device.Folders(), ModifiedTime};
};

TEST(FileSizeText, BytesBelowAKilobyteKilobytesBelowAMegabyteElseMegabytes) {
    const struct {
        qint64 bytes;
        const char* text;
    } table[] = {
        {0, "0B"},           {900, "900B"},       {1023, "1023B"},
        {1024, "1.0KB"},     {1536, "1.5KB"},     {1048575, "1024.0KB"}, // 1023.999 KB rounds up
        {1048576, "1.00MB"}, {3145728, "3.00MB"}, {5347738, "5.10MB"},
    };
    for (const auto& row : table)
        EXPECT_EQ(FileSizeText(row.bytes), QString::fromUtf8(row.text)) << row.bytes;
}

TEST(FileDateText, LocalTimeToTheSecond) {
    EXPECT_EQ(FileDateText(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))), "2026-01-02 03:04:05");
}

TEST_F(DataFilesTest, ListsOnlyDataFilesOldestFirstEqualDatesInFolderOrder) {
    Store("c-late.kvt", "c", kMorning.addSecs(60));
    Store("d-early.kvt", "d", kMorning);
    Store("a-same.kvt", "a", kMorning.addSecs(30));
    Store("b-same.kvt", "b", kMorning.addSecs(30));
    // Not data files: the journal beside one, a partial copy, the settings, a folder.
    Store("d-early.kvt.jnl", "j", kMorning.addSecs(-60));
    Store("x.kvt.part", "p", kMorning.addSecs(-60));
    Store("tarvo.ini", "s", kMorning.addSecs(-60));
    ASSERT_TRUE(QDir(device.Folders().AppFolder()).mkdir("folder.kvt"));

    EXPECT_EQ(ListedNames(), QStringList({"d-early.kvt", "a-same.kvt", "b-same.kvt", "c-late.kvt"}));
    const std::vector<StoredFile> listed = files.List();
    EXPECT_EQ(listed.front().size, 1);
    EXPECT_EQ(FileDateText(listed.front().created), "2026-05-04 08:00:00");
}

TEST_F(DataFilesTest, CreationTimeIsTheBirthTimeWhereTheFileSystemHasOne) {
    Store("a.kvt", "a", kMorning);
    const QFileInfo info(device.Folders().HostPath(kApp + "a.kvt"));
    const QDateTime created = BirthOrModifiedTime(info);
    if (info.birthTime().isValid())
        EXPECT_EQ(created, info.birthTime());
    else
        EXPECT_EQ(created, kMorning);
}

TEST_F(DataFilesTest, NamesThatLeaveTheFolderAreNeverOpenedCopiedOrDeleted) {
    // A file outside the device folders and a link to it among the data files.
    QTemporaryDir outside;
    const QString victim = outside.filePath("victim.kvt");
    {
        QFile file(victim);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("precious");
    }
    ASSERT_TRUE(QFile::link(victim, device.Folders().AppFolder() + "/link.kvt"));
    Store("real.kvt", "r");
    device.Write(QStringLiteral("\\硬盘\\secret.kvt"), "s"); // one folder up from APP

    EXPECT_EQ(ListedNames(), QStringList({"real.kvt"}));
    for (const char* name : {"link.kvt", "../secret.kvt", "..", ".", "", "a/../../secret.kvt",
                             "..\\secret.kvt", "APP\\real.kvt"}) {
        const QString n = QString::fromUtf8(name);
        EXPECT_FALSE(files.Stored(n)) << name;
        EXPECT_FALSE(files.CopyToUsb(n)) << name;
        EXPECT_FALSE(files.CutToUsb(n)) << name;
        EXPECT_FALSE(files.Remove(n)) << name;
    }
    EXPECT_TRUE(QFile::exists(victim));
    EXPECT_TRUE(device.Exists(QStringLiteral("\\硬盘\\secret.kvt")));
    EXPECT_EQ(QDir(device.Folders().UsbFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList());
}

TEST_F(DataFilesTest, CopyReplacesTheDiskFileWholeAndKeepsTheSource) {
    const QByteArray bytes(200 * 1024 + 17, 'k');
    Store("a.kvt", bytes);
    device.Write(kUsb + "a.kvt", "an older copy");
    ASSERT_TRUE(files.OnUsb("a.kvt"));

    ASSERT_TRUE(files.CopyToUsb("a.kvt"));
    EXPECT_EQ(device.Read(kUsb + "a.kvt"), bytes);
    EXPECT_EQ(device.Read(kApp + "a.kvt"), bytes);
    EXPECT_FALSE(device.Exists(kUsb + "a.kvt.part"));
}

TEST_F(DataFilesTest, CutDeletesTheSourceOnlyAfterTheCopy) {
    Store("a.kvt", "abc");
    ASSERT_TRUE(files.CutToUsb("a.kvt"));
    EXPECT_EQ(device.Read(kUsb + "a.kvt"), "abc");
    EXPECT_FALSE(device.Exists(kApp + "a.kvt"));
}

TEST_F(DataFilesTest, NoUsbDiskNoCopy) {
    Store("a.kvt", "abc");
    ASSERT_TRUE(QDir(device.Folders().UsbFolder()).removeRecursively());
    EXPECT_FALSE(files.UsbPresent());
    EXPECT_FALSE(files.CopyToUsb("a.kvt"));
    EXPECT_FALSE(files.CutToUsb("a.kvt"));
    EXPECT_TRUE(device.Exists(kApp + "a.kvt"));
}

// The disk goes away after the first chunk of a copy; in the second case a
// new, empty disk is put in at once.
TEST_F(DataFilesTest, DiskPulledMidCopyFailsLeavesNoFileAndKeepsTheSource) {
    for (const bool putBack : {false, true}) {
        for (const bool cut : {false, true}) {
            SCOPED_TRACE(testing::Message() << "put back " << putBack << ", cut " << cut);
            const QByteArray bytes(300 * 1024, 'p');
            Store("a.kvt", bytes);
            ASSERT_TRUE(QDir().mkpath(device.Folders().UsbFolder()));
            DataFiles pulling(device.Folders(), ModifiedTime);
            int chunks = 0;
            pulling.SetCopyChunkHook([&] {
                if (++chunks == 1) {
                    QDir(device.Folders().UsbFolder()).removeRecursively();
                    if (putBack)
                        QDir().mkpath(device.Folders().UsbFolder());
                }
            });
            EXPECT_FALSE(cut ? pulling.CutToUsb("a.kvt") : pulling.CopyToUsb("a.kvt"));
            EXPECT_GT(chunks, 1) << "the copy went on after the pull";
            EXPECT_FALSE(device.Exists(kUsb + "a.kvt"));
            EXPECT_FALSE(device.Exists(kUsb + "a.kvt.part"));
            EXPECT_EQ(device.Read(kApp + "a.kvt"), bytes);
        }
    }
}

} // namespace
