#include "core/data/DeviceText.h"
#include "core/data/KVTFile.h"
#include "support/RunStateSetup.h"
#include "support/TempDevice.h"

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 5, 4), QTime(10, 0, 0));

// A test as the settings dialogs leave it, with non-default values.
void SetUpTest(CPublic& pub) {
    pub.paramList = DefaultParameterList();
    pub.paramList[Entry::stageStep] = 150;
    pub.paramList[Entry::maxLoad] = 1500;
    pub.paramList[Entry::standardCode] = 5;
    for (const int gauge : {1, 3, 4}) // gauge 2 off
        pub.paramList[Entry::gaugeOnFirst + gauge - 1] = 1;
    pub.paramList[Entry::gaugeOnFirst + 4] = 1; // gauge 5 on
    pub.paramList[Entry::doubleCircuitJack] = 0;
    pub.paramList[Entry::sensorRange] = 60;
    pub.jackNumber = QStringLiteral("千斤顶7");
    pub.sensorNumber = QStringLiteral("S-12");
    pub.gaugeZero[2] = 3.0f;
    pub.gaugeDirection[2] = -1;
    KVTFile::BuildBlankRecords(pub);
}

TEST(RestoreParameters, RestoresTheSettingsOfABlankTest) {
    TempDevice device;
    CPublic written;
    SetUpTest(written);

    CPublic pub;
    device.Files().RestoreParameters(pub, written.recordList, kNow);

    EXPECT_FLOAT_EQ(pub.calibrationCoefficient, 2.077f);
    EXPECT_FLOAT_EQ(pub.stageStep, 150.0f);
    EXPECT_FLOAT_EQ(pub.maxLoad, 1500.0f);
    EXPECT_FLOAT_EQ(pub.holdBand, 10.0f);
    EXPECT_FLOAT_EQ(pub.plateArea, 1.0f);
    EXPECT_EQ(pub.loadPulseTicks, 1);
    EXPECT_EQ(pub.maxSettlement, 40);
    EXPECT_EQ(pub.loadProtectSeconds, 90);
    EXPECT_EQ(pub.sensorRange, 60);
    EXPECT_FLOAT_EQ(pub.sensorSensitivity, 2.0f); // the blank test keeps it as "%.0f"
    EXPECT_EQ(pub.holdMinutes, 90);
    EXPECT_EQ(pub.stableCheckCount, 2);
    EXPECT_EQ(pub.loadIntervals, (std::array<int, 6>{5, 10, 15, 15, 15, 30}));
    EXPECT_EQ(pub.unloadIntervals, (std::array<int, 6>{15, 15, 30, 30, 30, 30}));
    EXPECT_EQ(pub.standardCode, 5);
    EXPECT_FALSE(pub.doubleCircuitJack);
    EXPECT_TRUE(pub.loadInKN);
    EXPECT_TRUE(pub.autoAdvance);
    EXPECT_EQ(pub.jackNumber, QStringLiteral("千斤顶7"));
    EXPECT_EQ(pub.sensorNumber, QStringLiteral("S-12"));
    const int gaugeOn[8] = {1, 0, 1, 1, 1, 0, 0, 0};
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(pub.gaugeOn[k], gaugeOn[k]) << "gauge " << k + 1;
    EXPECT_EQ(pub.gaugeMask, 0x1D);
    EXPECT_FLOAT_EQ(pub.gaugeZero[2], 3.0f);
    EXPECT_EQ(pub.gaugeDirection[2], -1);
    EXPECT_EQ(pub.gaugeDirection[0], 1);
    EXPECT_EQ(pub.readingCount, 0);
    EXPECT_FALSE(pub.run.View().running);
}

TEST(RestoreParameters, ReadsTheLoadUnitAndTurnsAZeroDirectionIntoOne) {
    TempDevice device;
    CPublic written;
    SetUpTest(written);
    SetFieldText(written.recordList[36].textValue, "0");
    SetFieldText(written.recordList[59].textValue2, "0");
    SetFieldText(written.recordList[61].textValue2, "");

    CPublic pub;
    device.Files().RestoreParameters(pub, written.recordList, kNow);
    EXPECT_FALSE(pub.loadInKN);
    EXPECT_EQ(pub.loadDirection, 1);
    EXPECT_EQ(pub.gaugeDirection[1], 1);
}

TEST(RestoreParameters, CountsRowsAndResumesARunningTest) {
    TempDevice device;
    CPublic written;
    SetUpTest(written);
    std::vector<Record>& rows = written.recordList;
    std::memcpy(rows[0].clock, "--:--", 5);
    std::memcpy(rows[1].clock, "09:05", 5);
    std::memcpy(rows[0].copyMark, "00000", 5);
    std::memcpy(rows[0].rowMinutes, "0\0\0\0\0", 5);
    written.readingCount = 2;
    written.run.Post(RunCommands::Enter{ControlState::Waiting});
    RefreshRunStateTexts(written, kNow.date());

    CPublic pub;
    device.Files().RestoreParameters(pub, rows, kNow);
    EXPECT_EQ(pub.readingCount, 2);
    EXPECT_EQ(pub.rowCount, 1);
    EXPECT_EQ(pub.copyCount, 1);
    EXPECT_TRUE(pub.run.View().running); // readings on file: a test was under way
    EXPECT_FALSE(pub.resyncSplit);
}

// A reading due while the program was down is marked missed: the schedule takes it late.
TEST(RestoreParameters, MarksTheReadingMissedWhileDown) {
    struct Case {
        const char* name;
        int controlState;
        QDate savedOn;
        int nextReadingTime;
        bool missed;
    } cases[] = {
        {"held, due later today", 2, kNow.date(), 10 * 3600 + 600, false},
        {"held, already overdue", 2, kNow.date(), 9 * 3600, true},
        {"held, saved another day", 3, kNow.date().addDays(-1), 10 * 3600 + 600, true},
        {"unloading stage held", 6, kNow.date(), 8 * 3600, true},
        {"stable: nothing due", 4, kNow.date(), 8 * 3600, false},
        {"unloading: nothing due", 5, kNow.date(), 8 * 3600, false},
    };
    for (const Case& c : cases) {
        TempDevice device;
        CPublic written;
        SetUpTest(written);
        EnterRunState(written, ControlStateFromCode(c.controlState), 450.0f);
        written.nextReadingTime = c.nextReadingTime;
        written.readingStep = 3;
        written.stageReached = true;
        RefreshRunStateTexts(written, c.savedOn);

        CPublic pub;
        device.Files().RestoreParameters(pub, written.recordList, kNow);
        EXPECT_EQ(StoredCode(pub.run.View().controlState), c.controlState) << c.name;
        EXPECT_TRUE(pub.run.View().running) << c.name;
        EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 450.0f) << c.name;
        EXPECT_FLOAT_EQ(pub.run.View().lastTarget, 450.0f) << c.name;
        EXPECT_EQ(pub.readingStep, 3) << c.name;
        EXPECT_TRUE(pub.stageReached) << c.name;
        EXPECT_EQ(pub.nextReadingTime, c.nextReadingTime) << c.name;
        EXPECT_EQ(pub.missedReading, c.missed) << c.name;
        EXPECT_FALSE(pub.resyncSplit) << c.name;
    }
}

TEST(RestoreParameters, ReloadsTheUploadQueue) {
    TempDevice device;
    device.Write(DeviceFile::kUploadQueue, QByteArray(90, '\x01'));
    CPublic written;
    SetUpTest(written);
    CPublic pub;
    device.Files().RestoreParameters(pub, written.recordList, kNow);
    EXPECT_EQ(pub.gprs.Frames().size(), 2u);
}

TEST(RunStateTexts, AreWrittenInTheirRowsAndFormats) {
    CPublic pub;
    pub.run.Post(RunCommands::Restore{
        .running = false, .state = ControlState::Waiting, .target = 250.5f, .lastTarget = 100.0f});
    pub.readingCount = 0;
    pub.nextReadingTime = 36000;
    pub.readingStep = 4;
    pub.stageChanged = true;
    RefreshRunStateTexts(pub, QDate(2026, 1, 2));
    const auto& r = pub.recordList;
    EXPECT_EQ(FieldText(r[4].textValue2), QByteArray("250.50"));
    EXPECT_EQ(FieldText(r[31].textValue2), QByteArray("")); // "%.0d" of 0 is empty
    EXPECT_EQ(FieldText(r[41].textValue), QByteArray(""));
    EXPECT_EQ(FieldText(r[42].textValue), QByteArray("1"));
    EXPECT_EQ(FieldText(r[43].textValue), QByteArray("100.00"));
    EXPECT_EQ(FieldText(r[44].textValue), QByteArray(""));
    EXPECT_EQ(FieldText(r[45].textValue), QByteArray("36000"));
    EXPECT_EQ(FieldText(r[46].textValue), QByteArray("4"));
    EXPECT_EQ(FieldText(r[47].textValue), QByteArray("2026-01-02"));
}

} // namespace
