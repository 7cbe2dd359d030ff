// Power cuts at every point of a reading, the start of a test and the
// whole-file saves: after start-up recovery every file is wholly old or
// wholly new, every stored reading is unchanged and the test resumes.
#include "core/data/SettingsRecovery.h"
#include "core/engine/Reading.h"
#include "core/engine/TestEngine.h"
#include "core/engine/UploadFrames.h"
#include "platform/ManualClock.h"
#include "support/CrashFileSystem.h"
#include "support/TempDevice.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QString kDataPath = QStringLiteral("\\硬盘\\APP\\123456-0001.kvt");
const QDateTime kNow(QDate(2026, 5, 4), QTime(10, 35, 20));
constexpr CrashFileSystem::Cut kCuts[] = {CrashFileSystem::Cut::DropUnsynced,
                                          CrashFileSystem::Cut::TearLastUnsynced,
                                          CrashFileSystem::Cut::OnlyLastUnsynced};

// A test whose files live on the recording layer.
struct RecordedTest {
    RecordedTest() : folders(QStringLiteral("/device")), files(folders, fs) {
        pub.paramList = DefaultParameterList();
        KVTFile::BuildBlankRecords(pub);
        pub.dataFilePath = kDataPath;
        for (std::size_t k = 0; k < 8; ++k)
            live.gaugeValue[k] = 1.0f + 0.25f * static_cast<float>(k);
        live.currentLoad = 200;
        pub.gprs.SetSaveQueue(
            [this](const std::vector<UploadFrame>& frames) { return files.SaveUploadQueue(frames); });
    }
    QString Host(const QString& devicePath) const { return folders.HostPath(devicePath); }
    void HoldStage() {
        pub.run.Post(RunCommands::Restore{.running = true, .state = ControlState::Holding, .target = 200});
    }

    CrashFileSystem fs;
    DeviceFolders folders;
    KVTFile files;
    CPublic pub;
    LiveSample live;
};

// The files of `disk` on a real folder, recovered as the program starts:
// settings, then the journal of the data file they name.
struct Restarted {
    Restarted(const RecordedTest& test, const CrashFileSystem::Disk& disk) {
        WriteDisk(disk, test.folders.DataRoot(), device.Root());
        source = LoadSettingsAtStartup(device.Files(), path, list);
        if (!path.isEmpty())
            recovery = device.Files().RecoverDataFile(path, &recoveredFrame);
    }
    QByteArray DataFile() const { return device.Read(kDataPath); }
    bool Resumes() {
        pub.paramList = list;
        std::vector<Record> rows;
        if (!device.Files().ReadDataFile(path, rows))
            return false;
        device.Files().RestoreParameters(pub, rows, kNow);
        RequeueRecoveredReadingFrame(pub, recoveredFrame);
        return pub.run.View().running;
    }
    // How often the upload queue holds `frame` after start-up.
    long Queued(const UploadFrame& frame) const {
        const std::vector<UploadFrame> queue = pub.gprs.Frames();
        return std::count(queue.begin(), queue.end(), frame);
    }

    TempDevice device;
    QString path;
    ParameterList list;
    SettingsSource source = SettingsSource::Defaults;
    DataFileJournal::Recovery recovery = DataFileJournal::Recovery::Clean;
    QByteArray recoveredFrame;
    CPublic pub;
};

struct ReadingCase {
    const char* name;
    int readingsBefore; // the row of the reading cut short
};

class ReadingCutTest : public ::testing::TestWithParam<ReadingCase> {};

// A reading in the template rows rewrites rows in place; the 74th appends.
TEST_P(ReadingCutTest, EveryCutLeavesTheFileWhollyBeforeOrAfterTheReadingAndTheTestResumes) {
    RecordedTest test;
    ASSERT_TRUE(test.files.CreateDataFile(kDataPath, test.pub.recordList));
    ASSERT_TRUE(test.files.SaveSettings(kDataPath, test.pub.paramList));
    test.HoldStage();
    for (int i = 0; i < GetParam().readingsBefore; ++i)
        TakeReading(test.pub, test.files, kNow.addSecs(60 * i), test.live);
    const QByteArray before = test.fs.Current().at(test.Host(kDataPath));

    test.fs.StartRecording();
    test.live.gaugeValue[0] = 9.5f;
    TakeReading(test.pub, test.files, kNow.addSecs(3600), test.live);
    const QByteArray after = test.fs.Current().at(test.Host(kDataPath));
    ASSERT_NE(before, after);
    ASSERT_GE(test.fs.StepCount(), 4u); // journal, its sync, the rows, their sync
    const UploadFrame frame = test.pub.gprs.Frames().back();

    for (std::size_t steps = 0; steps <= test.fs.StepCount(); ++steps) {
        for (const CrashFileSystem::Cut cut : kCuts) {
            Restarted restarted(test, test.fs.DiskAfterCut(steps, cut));
            SCOPED_TRACE(testing::Message()
                         << "cut after step " << steps << ", mode " << static_cast<int>(cut));
            const QByteArray onDisk = restarted.DataFile();
            EXPECT_TRUE(onDisk == before || onDisk == after);
            // Once the journal entry is synced the reading is never lost.
            if (steps >= 2) {
                EXPECT_EQ(onDisk, after);
            }
            EXPECT_TRUE(restarted.device.Read(kDataPath + QStringLiteral(".jnl")).isEmpty());
            EXPECT_TRUE(restarted.Resumes());
            // A stored reading's frame is queued once; one never stored, never.
            EXPECT_EQ(restarted.Queued(frame), onDisk == after ? 1 : 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ReadingCutTest,
                         ::testing::Values(ReadingCase{"InPlaceInTheTemplateRows", 3},
                                           ReadingCase{"AppendingTheSeventyFifthRow", 74}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StartCutTest, EveryCutLeavesTheTestNotStartedOrStartedWithItsWholeDataFile) {
    RecordedTest test;
    SetFieldText(test.pub.recordList[7].textLong, "123456");
    SetFieldText(test.pub.recordList[8].textValue, "0001");
    // The wizard's test settings named the file; it does not exist yet.
    ASSERT_TRUE(test.files.SaveSettings(kDataPath, test.pub.paramList));
    const QByteArray settingsBefore = test.fs.Current().at(test.Host(DeviceFile::kSettings));
    ManualClock clock(kNow);
    TestEngine engine(test.pub, test.files, clock);

    test.fs.StartRecording();
    ASSERT_TRUE(engine.StartTest(true).isEmpty());
    const QByteArray dataFile = test.fs.Current().at(test.Host(kDataPath));
    const QByteArray settingsAfter = test.fs.Current().at(test.Host(DeviceFile::kSettings));

    for (std::size_t steps = 0; steps <= test.fs.StepCount(); ++steps) {
        for (const CrashFileSystem::Cut cut : kCuts) {
            Restarted restarted(test, test.fs.DiskAfterCut(steps, cut));
            SCOPED_TRACE(testing::Message() << "cut after step " << steps);
            const QByteArray settings = restarted.device.Read(DeviceFile::kSettings);
            ASSERT_TRUE(settings == settingsBefore || settings == settingsAfter);
            const bool started = settings == settingsAfter;
            const QByteArray onDisk = restarted.DataFile();
            EXPECT_TRUE(onDisk.isEmpty() || onDisk == dataFile);
            if (started) {
                EXPECT_EQ(onDisk, dataFile); // never named as running before it is whole
                EXPECT_TRUE(restarted.Resumes());
            }
        }
    }
    // After the last step the test has started and resumes before any reading.
    Restarted done(test, test.fs.DiskAfterCut(test.fs.StepCount(), CrashFileSystem::Cut::DropUnsynced));
    EXPECT_TRUE(done.Resumes());
}

// The whole-file saves: each file is old or new after any cut.
TEST(WholeFileCutTest, SettingsJackTableAndQueueAreNeverTorn) {
    RecordedTest test;
    ASSERT_TRUE(test.files.SaveSettings(QStringLiteral("\\硬盘\\APP\\1-1.kvt"), test.pub.paramList));
    std::vector<JackRecord> jacks(10, JackRecord::Blank());
    ASSERT_TRUE(test.files.SaveJackTable(jacks));
    std::vector<UploadFrame> queue(2);
    ASSERT_TRUE(test.files.SaveUploadQueue(queue));
    const CrashFileSystem::Disk before = test.fs.Current();

    test.fs.StartRecording();
    ParameterList changed = test.pub.paramList;
    changed[Entry::pausedFlag] = 1.0f;
    ASSERT_TRUE(test.files.SaveSettings(kDataPath, changed));
    jacks[3].pointCount = 7;
    ASSERT_TRUE(test.files.SaveJackTable(jacks));
    queue.resize(5);
    ASSERT_TRUE(test.files.SaveUploadQueue(queue));
    const CrashFileSystem::Disk after = test.fs.Current();

    for (std::size_t steps = 0; steps <= test.fs.StepCount(); ++steps) {
        for (const CrashFileSystem::Cut cut : kCuts) {
            const CrashFileSystem::Disk disk = test.fs.DiskAfterCut(steps, cut);
            for (const auto& [path, bytes] : after)
                EXPECT_TRUE(bytes == disk.at(path) || before.at(path) == disk.at(path)) << path.toStdString();
        }
    }
}

} // namespace
