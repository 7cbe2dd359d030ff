// A write or sync that fails is shown and tried again, never taken as stored;
// readers refuse files longer than their format allows.
#include "core/data/RowStore.h"
#include "core/engine/Alarms.h"
#include "core/engine/Reading.h"
#include "support/RunStateSetup.h"
#include "support/TempDevice.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString kDataPath = QStringLiteral("\\硬盘\\APP\\123456-0001.kvt");
const QDateTime kNow(QDate(2026, 5, 4), QTime(10, 35, 20));

// The host's files, with writes or syncs failing on demand (a full or
// failing disk).
class FailingFileSystem final : public FileSystem {
  public:
    enum class Fail { Nothing, Writes, Syncs };
    Fail fail = Fail::Nothing;

    ReadStatus ReadAll(const QString& path, qint64 maxBytes, QByteArray& bytes) const override {
        return m_host.ReadAll(path, maxBytes, bytes);
    }
    qint64 Size(const QString& path) const override { return m_host.Size(path); }
    bool ReplaceDurably(const QString& path, const QByteArray& bytes) const override {
        return fail == Fail::Nothing && m_host.ReplaceDurably(path, bytes);
    }
    bool Overwrite(const QString& path, const QByteArray& bytes, bool sync) const override {
        return Allowed(sync) && m_host.Overwrite(path, bytes, sync);
    }
    bool WriteAt(const QString& path, const std::vector<FileExtent>& extents, bool sync) const override {
        // A failed sync has written (but not stored) the bytes.
        if (fail == Fail::Syncs && sync)
            return m_host.WriteAt(path, extents, false) && false;
        return Allowed(sync) && m_host.WriteAt(path, extents, sync);
    }
    bool Remove(const QString& path) const override { return m_host.Remove(path); }

  private:
    bool Allowed(bool sync) const { return fail == Fail::Nothing || (fail == Fail::Syncs && !sync); }
    const HostFileSystem& m_host = HostFileSystem::Instance();
};

struct FaultCase {
    const char* name;
    FailingFileSystem::Fail fail;
};

class StorageFaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(StorageFaultTest, AFailedReadingIsShownKeptAndStoredByTheRetryOfTheNextTick) {
    TempDevice device;
    FailingFileSystem fs;
    const KVTFile files(device.Folders(), fs);
    CPublic pub;
    pub.paramList = DefaultParameterList();
    KVTFile::BuildBlankRecords(pub);
    pub.dataFilePath = kDataPath;
    ASSERT_TRUE(files.CreateDataFile(kDataPath, pub.recordList));
    EnterRunState(pub, ControlState::Holding, 200);
    LiveSample live;
    live.gaugeValue[0] = 3.25f;

    fs.fail = GetParam().fail;
    TakeReading(pub, files, kNow, live);
    EXPECT_TRUE(pub.storageFault);
    EXPECT_EQ(pub.alarmText, QString::fromUtf8(kStorageFailedText));
    EXPECT_FALSE(pub.unsavedRows.empty());
    EXPECT_EQ(pub.readingCount, 1); // the reading stays in memory
    // The alarm check of the next second keeps the text on the line.
    CheckAlarms(pub, pub.run.View(), live);
    EXPECT_EQ(pub.alarmText, QString::fromUtf8(kStorageFailedText));

    RetryUnsavedRows(pub, files); // still failing: still kept
    EXPECT_TRUE(pub.storageFault);

    fs.fail = FailingFileSystem::Fail::Nothing;
    RetryUnsavedRows(pub, files);
    EXPECT_FALSE(pub.storageFault);
    EXPECT_TRUE(pub.unsavedRows.empty());
    EXPECT_TRUE(pub.alarmText.isEmpty());
    std::vector<Record> rows;
    ASSERT_TRUE(files.ReadDataFile(kDataPath, rows));
    ASSERT_GE(rows.size(), 74u);
    for (std::size_t row = 0; row < 74; ++row) {
        const PackedRecord stored = PackRecord(rows[row]);
        const PackedRecord memory = PackRecord(pub.recordList[row]);
        // Every row the reading changed is on file as in memory.
        if (row == 0 || row == 4 || row == 31 || (row >= 41 && row <= 47)) {
            EXPECT_TRUE(std::equal(stored.begin() + 70, stored.begin() + 170, memory.begin() + 70)) << row;
        }
    }
    EXPECT_EQ(rows[0].gauge[0], 3.25f);
}

INSTANTIATE_TEST_SUITE_P(Faults, StorageFaultTest,
                         ::testing::Values(FaultCase{"WritesFail", FailingFileSystem::Fail::Writes},
                                           FaultCase{"SyncsFail", FailingFileSystem::Fail::Syncs}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StorageFaultTest, AReadOnlyFolderRefusesEveryWholeFileSave) {
    TempDevice device;
    const QString folder = device.Folders().HostPath(QStringLiteral("\\硬盘\\APP\\x")).chopped(1);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFile(folder + QStringLiteral("probe")).open(QIODevice::WriteOnly))
        GTEST_SKIP() << "running as a user that writes into read-only folders";
    EXPECT_FALSE(device.Files().SaveSettings(kDataPath, DefaultParameterList()));
    EXPECT_FALSE(device.Files().SaveJackTable(std::vector<JackRecord>(10, JackRecord::Blank())));
    EXPECT_FALSE(device.Files().SaveUploadQueue({}));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// Files longer than their format allows are refused without being read (a
// sparse file of that size costs no disk).
TEST(BoundedReadTest, FilesLongerThanTheirFormatAreRefused) {
    TempDevice device;
    const auto grow = [&device](const QString& path, qint64 size) {
        QFile file(device.Folders().HostPath(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(size));
    };
    grow(DeviceFile::kSettings, kSettingsFileSize + 1);
    QString path;
    ParameterList list;
    EXPECT_FALSE(device.Files().LoadSettings(path, list));

    grow(kDataPath, 3'000'000'000);
    std::vector<Record> rows;
    EXPECT_FALSE(device.Files().ReadDataFile(kDataPath, rows));
    grow(kDataPath, kMaxDataFileRows * 267);
    EXPECT_TRUE(device.Files().ReadDataFile(kDataPath, rows));
    EXPECT_EQ(rows.size(), static_cast<std::size_t>(kMaxDataFileRows));

    grow(DeviceFile::kUploadQueue, (kMaxQueuedFrames + 1) * 45);
    std::vector<UploadFrame> queue;
    EXPECT_FALSE(device.Files().LoadUploadQueue(queue));
    grow(DeviceFile::kJackTable, 11 * 148);
    std::vector<JackRecord> jacks(10, JackRecord::Blank());
    EXPECT_FALSE(device.Files().LoadJackTable(jacks));
}

} // namespace
