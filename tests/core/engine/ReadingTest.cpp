#include "core/engine/Reading.h"
#include "core/data/DeviceText.h"
#include "support/TempDevice.h"

#include <functional>

#include <gtest/gtest.h>

namespace {

const QString kDataPath = QStringLiteral("\\硬盘\\APP\\123456-0001.kvt");
const QDateTime kNow(QDate(2026, 5, 4), QTime(10, 35, 20));

// A started test in the loading state, its data file created.
struct StartedTest {
    explicit StartedTest(const TempDevice& device) : files(device.Files()) {
        pub.paramList = DefaultParameterList();
        KVTFile::BuildBlankRecords(pub);
        pub.dataFilePath = kDataPath;
        pub.run.Post(RunCommands::Start{});
        pub.interruptedMark = false; // cleared by the start
        pub.run.Post(RunCommands::Enter{ControlState::Loading});
        pub.run.Post(RunCommands::SetTarget{200.7f});
        live.currentLoad = 187.9f;
        for (std::size_t k = 0; k < 8; ++k)
            live.gaugeValue[k] = 1.0f + 0.5f * static_cast<float>(k);
        EXPECT_TRUE(files.CreateDataFile(kDataPath, pub.recordList));
    }
    // A reading at `when` from this test's live sample.
    void Read(const QDateTime& when) { TakeReading(pub, files, when, live); }

    const KVTFile& files;
    CPublic pub;
    LiveSample live;
};

QString RemarkOf(const Record& row) {
    return DeviceText::ToUnicode(FieldText(row.remark));
}

TEST(TakeReading, BooksTheStageOpeningTheZeroMinuteAndOrdinaryReadings) {
    TempDevice device;
    StartedTest test(device);
    CPublic& pub = test.pub;

    pub.stageChanged = true; // the target was just raised
    test.Read(kNow);
    pub.run.Post(RunCommands::Enter{ControlState::Holding});
    pub.stageReachedMark = true; // the target was just reached
    pub.stageReached = true;
    test.Read(kNow.addSecs(60));
    test.Read(kNow.addSecs(360));

    const struct {
        const char* clock;
        int load;
    } expected[] = {{"--:--", 200}, {"10:36", 200}, {"10:41", 187}};
    std::vector<Record> onFile;
    ASSERT_TRUE(test.files.ReadDataFile(kDataPath, onFile));
    for (int i = 0; i < 3; ++i) {
        for (const Record& row :
             {pub.recordList[static_cast<std::size_t>(i)], onFile[static_cast<std::size_t>(i)]}) {
            EXPECT_EQ(QByteArray(row.clock, 5), QByteArray(expected[i].clock)) << i;
            EXPECT_EQ(row.load, expected[i].load) << i;
            EXPECT_EQ(row.copyLoad, expected[i].load) << i;
            EXPECT_EQ(QByteArray(row.copyMark, 5), QByteArray(expected[i].clock)) << i;
            EXPECT_FLOAT_EQ(row.gauge[3], 2.5f) << i;
            EXPECT_FLOAT_EQ(row.copyGauge[7], 4.5f) << i;
        }
    }
    EXPECT_EQ(pub.readingCount, 3);
    EXPECT_EQ(pub.copyCount, 3);
    EXPECT_TRUE(IsEndMark(pub.recordList[3].clock));
    EXPECT_FALSE(pub.stageChanged);
    EXPECT_FALSE(pub.stageReached);
    EXPECT_FALSE(pub.stageReachedMark);
    EXPECT_EQ(pub.run.View().pump.beepTicks, 5);
    // The run state reached the file: row 31 holds the count before this reading.
    EXPECT_EQ(FieldText(onFile[31].textValue2), QByteArray("2"));
    EXPECT_EQ(FieldText(onFile[4].textValue2), QByteArray("200.70"));
    // Settlement rows follow the readings.
    EXPECT_EQ(pub.rowCount, 2);
}

TEST(TakeReading, MarksTheReadingWithWhatHappenedSinceTheLastOne) {
    const struct {
        const char* name;
        std::function<void(CPublic&)> arrange;
        const char* remark;
        std::uint8_t flags;
    } cases[] = {
        {"plain", [](CPublic&) {}, "", 0},
        {"gauges 1 and 3 adjusted",
         [](CPublic& p) {
             p.gaugeAdjusted[0] = true;
             p.gaugeAdjusted[2] = true;
         },
         "表1 3 ", 0x05},
        {"all four adjusted",
         [](CPublic& p) {
             for (auto& a : p.gaugeAdjusted)
                 a = true;
         },
         "表1 2 3 4", 0x0F},
        {"range adjustment: no gauge words",
         [](CPublic& p) {
             p.rangeAdjustPending = true;
             p.gaugeAdjusted[1] = true;
         },
         "", 0},
        {"time set", [](CPublic& p) { p.timeChanged = true; }, "时间", 0x10},
        {"gauge and time",
         [](CPublic& p) {
             p.gaugeAdjusted[3] = true;
             p.timeChanged = true;
         },
         "表4时间", 0x18},
        {"restarted replaces the rest",
         [](CPublic& p) {
             p.timeChanged = true;
             p.interruptedMark = true;
         },
         "中断", 0x30},
        {"manual", [](CPublic& p) { p.manualReadingRequested = true; }, " 手动", 0x40},
        {"restarted and manual",
         [](CPublic& p) {
             p.interruptedMark = true;
             p.manualReadingRequested = true;
         },
         "中断 手动", 0x60},
    };
    for (const auto& c : cases) {
        TempDevice device;
        StartedTest test(device);
        c.arrange(test.pub);
        test.Read(kNow);
        EXPECT_EQ(RemarkOf(test.pub.recordList[0]), QString::fromUtf8(c.remark)) << c.name;
        EXPECT_EQ(test.pub.uploadFlags, c.flags) << c.name;
        // Every mark is used once.
        EXPECT_FALSE(test.pub.timeChanged || test.pub.interruptedMark || test.pub.manualReadingRequested ||
                     test.pub.rangeAdjustPending)
            << c.name;
        for (const auto& adjusted : test.pub.gaugeAdjusted)
            EXPECT_FALSE(adjusted) << c.name;
    }
}

TEST(TakeReading, ExtendsTheListPastRow73AndTheFileWithIt) {
    TempDevice device;
    StartedTest test(device);
    test.pub.run.Post(RunCommands::Enter{ControlState::Holding});
    for (int i = 0; i < 76; ++i)
        test.Read(kNow.addSecs(300 * i));
    EXPECT_EQ(test.pub.readingCount, 76);
    EXPECT_EQ(test.pub.recordList.size(), 77u);
    EXPECT_EQ(test.files.CountRecords(kDataPath), 76);
}

TEST(TakeReading, FlagsItsRowAndKeepsTheSettingsCopiesOfTheFirstRows) {
    TempDevice device;
    StartedTest test(device);
    CPublic& pub = test.pub;
    SetFieldText(pub.recordList[1].flagText, QByteArrayLiteral("2026-05-04")); // the test date
    pub.run.Post(RunCommands::Enter{ControlState::Holding});
    test.Read(kNow);
    test.Read(kNow.addSecs(300));
    std::vector<Record> onFile;
    ASSERT_TRUE(test.files.ReadDataFile(kDataPath, onFile));
    EXPECT_EQ(FieldText(onFile[0].flagText), QByteArrayLiteral("1"));
    EXPECT_EQ(FieldText(onFile[1].flagText), QByteArrayLiteral("2026-05-04"));
    EXPECT_EQ(FieldText(onFile[2].flagText), QByteArray()) << "no reading there yet";
}

TEST(TakeReading, TheScheduleStateReachesTheFileWithEveryReading) {
    TempDevice device;
    StartedTest test(device);
    CPublic& pub = test.pub;
    pub.run.Post(RunCommands::Enter{ControlState::Holding});
    pub.nextReadingTime = 38400;
    pub.readingStep = 3;
    test.Read(kNow);
    std::vector<Record> onFile;
    ASSERT_TRUE(test.files.ReadDataFile(kDataPath, onFile));
    EXPECT_EQ(FieldText(onFile[41].textValue), QByteArrayLiteral("2"));
    EXPECT_EQ(FieldText(onFile[45].textValue), QByteArrayLiteral("38400"));
    EXPECT_EQ(FieldText(onFile[46].textValue), QByteArrayLiteral("3"));
    EXPECT_EQ(FieldText(onFile[47].textValue), QByteArrayLiteral("2026-05-04"));
}

TEST(TakeReading, NothingIsTakenWhileTheTestWaits) {
    TempDevice device;
    StartedTest test(device);
    test.pub.run.Post(RunCommands::Enter{ControlState::Waiting});
    const QByteArray before = device.Read(kDataPath);
    test.Read(kNow);
    EXPECT_EQ(test.pub.readingCount, 0);
    EXPECT_EQ(device.Read(kDataPath), before);
}

TEST(TakeReading, AHeldStageIsJudgedAfterTheReading) {
    TempDevice device;
    StartedTest test(device);
    CPublic& pub = test.pub;
    // Standard 7 holds each stage a fixed time: stable at the first reading
    // at or after the hold time (here 0 minutes) once a second row exists.
    pub.standardCode = 7;
    pub.holdMinutes = 0;
    pub.stableCheckCount = 1;
    pub.loadIntervals = {5, 5, 5, 5, 5, 5};
    pub.stageChanged = true;
    test.Read(kNow);
    pub.run.Post(RunCommands::Enter{ControlState::Holding});
    test.Read(kNow.addSecs(60));
    EXPECT_EQ(pub.run.View().controlState, ControlState::Holding) << "the opening reading alone is no stage";
    test.Read(kNow.addSecs(360));
    EXPECT_EQ(pub.run.View().controlState, ControlState::Stable);
    EXPECT_TRUE(pub.saveRequested);
}

} // namespace
