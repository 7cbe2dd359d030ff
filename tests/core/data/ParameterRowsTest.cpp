#include "core/data/ParameterRows.h"
#include "core/data/KVTFile.h"
#include "core/data/RunStateRows.h"
#include "support/TempDevice.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// A whole number per setting, different for every list entry and typed
// field, so a setting read from another's row shows.
void SetDistinctValues(CPublic& pub) {
    pub.paramList = DefaultParameterList();
    for (int entry = 0; entry < kParameterCount; ++entry)
        pub.paramList[static_cast<std::size_t>(entry)] = static_cast<float>(100 + entry);
    pub.calibrationCoefficient = 7.0f;
    pub.loadZero = 1001;
    pub.loadOffset = -1002;
    pub.loadDirection = -1;
    for (std::size_t k = 0; k < 8; ++k) {
        pub.gaugeZero[k] = static_cast<float>(2000 + k);
        pub.gaugeOffset[k] = -static_cast<float>(3000 + k);
        pub.gaugeDirection[k] = k % 2 == 0 ? -1 : 1;
    }
    pub.sensorNumber = QStringLiteral("传感器-31");
    pub.jackNumber = QStringLiteral("J-12");
}

// What the restore must give for row i of `row`, from the values the blank
// test was built from.
double ExpectedNumber(const CPublic& written, const ParameterRow& row, int i) {
    const double entry = static_cast<double>(ParameterAt(written.paramList, row.entry + i));
    switch (row.blank) {
    case BlankText::entryNumber:
        return entry;
    case BlankText::fieldNumber:
        return TypedNumber(written, row.typed, i);
    case BlankText::entryIsOne:
        return entry == 1.0 ? 1 : 0;
    case BlankText::entryNotZero:
        return entry != 0.0 ? 1 : 0;
    case BlankText::entryNotOne:
        return entry != 1.0 ? 1 : 0;
    case BlankText::one:
        return 1;
    default:
        ADD_FAILURE() << "no number written for row " << row.firstRow + i;
        return 0;
    }
}

TEST(ParameterRows, EveryRestoredSettingComesBackFromItsBlankText) {
    TempDevice device;
    CPublic written;
    SetDistinctValues(written);
    KVTFile::BuildBlankRecords(written);

    CPublic restored;
    device.Files().RestoreParameters(restored, written.recordList, QDateTime(QDate(2026, 5, 4), QTime(9, 0)));
    for (const ParameterRow& row : ParameterRows()) {
        if (row.restore == Restore::none || row.blank == BlankText::keep)
            continue;
        for (int i = 0; i < row.count; ++i) {
            SCOPED_TRACE(testing::Message() << "row " << row.firstRow + i);
            if (row.restore == Restore::text) {
                const QString& text = written.*std::get<QString CPublic::*>(row.typed.member);
                EXPECT_EQ(restored.*std::get<QString CPublic::*>(row.typed.member), text);
            } else {
                EXPECT_EQ(TypedNumber(restored, row.typed, i), ExpectedNumber(written, row, i));
            }
        }
    }
}

TEST(ParameterRows, FlagsComeBackBothWays) {
    TempDevice device;
    for (const float on : {0.0f, 1.0f}) {
        SCOPED_TRACE(on);
        CPublic written;
        SetDistinctValues(written);
        for (int k = 0; k < 8; ++k)
            written.paramList[static_cast<std::size_t>(Entry::gaugeOnFirst + k)] = on;
        written.paramList[Entry::doubleCircuitJack] = on;
        written.paramList[Entry::groundTest] = on;
        written.paramList[Entry::pressureSensor] = on;
        KVTFile::BuildBlankRecords(written);

        CPublic restored;
        device.Files().RestoreParameters(restored, written.recordList,
                                         QDateTime(QDate(2026, 5, 4), QTime(9, 0)));
        for (std::size_t k = 0; k < 8; ++k)
            EXPECT_EQ(restored.gaugeOn[k], on == 1.0f ? 1 : 0) << "gauge " << k + 1;
        EXPECT_EQ(restored.gaugeMask, on == 1.0f ? 0xFF : 0);
        EXPECT_EQ(restored.doubleCircuitJack, on == 1.0f);
        EXPECT_EQ(restored.loadInKN, on != 1.0f);
        EXPECT_EQ(restored.pressureSensor, on == 1.0f ? 1 : 0);
    }
}

// The run-state texts are taken first, so a setting on one of them shows too.
TEST(ParameterRows, NoTwoSettingsShareAText) {
    std::set<std::pair<int, TextField>> used = {{kTargetLoadSlot.row, kTargetLoadSlot.field},
                                                {31, TextField::value2}};
    for (int row = kFirstRunStateRow; row <= kLastRunStateRow; ++row)
        used.insert({row, TextField::value});
    for (const ParameterRow& row : ParameterRows()) {
        for (int i = 0; i < row.count; ++i) {
            EXPECT_LT(row.firstRow + i, 74);
            EXPECT_TRUE(used.insert({row.firstRow + i, row.field}).second) << "row " << row.firstRow + i;
        }
    }
}

struct RunStateCase {
    const char* what;
    RunStateTexts state;
};

TEST(RunStateRows, RoundTrip) {
    const RunStateCase cases[] = {
        {"at rest: zeros print as empty texts", {0, 0, 0, false, 0, false, 0, 0, QDate(2026, 1, 31)}},
        {"held unloading stage", {1234.5f, 17, 6, true, 987.25f, true, 45678, 3, QDate(2026, 12, 1)}},
        {"negative loads", {-10.25f, 1, 2, false, -0.5f, true, 86399, 5, QDate(1999, 2, 28)}},
    };
    for (const RunStateCase& c : cases) {
        SCOPED_TRACE(c.what);
        CPublic pub;
        WriteRunStateTexts(pub.recordList, c.state);
        const RunStateTexts read = ReadRunStateTexts(pub.recordList);
        EXPECT_FLOAT_EQ(read.targetLoad, c.state.targetLoad);
        EXPECT_EQ(read.readingCount, c.state.readingCount);
        EXPECT_EQ(read.controlState, c.state.controlState);
        EXPECT_EQ(read.stageChanged, c.state.stageChanged);
        EXPECT_FLOAT_EQ(read.lastTarget, c.state.lastTarget);
        EXPECT_EQ(read.stageReached, c.state.stageReached);
        EXPECT_EQ(read.nextReadingTime, c.state.nextReadingTime);
        EXPECT_EQ(read.readingStep, c.state.readingStep);
        EXPECT_EQ(read.saveDate, c.state.saveDate);
    }
}

TEST(RunStateRows, ASaveDateTextOtherThanTheSaversNamesNoDate) {
    for (const char* text : {"2026-5-4", "2026-05-04 ", "", "04.05.2026"}) {
        CPublic pub;
        SetFieldText(pub.recordList[kLastRunStateRow].textValue, text);
        EXPECT_FALSE(ReadRunStateTexts(pub.recordList).saveDate.isValid()) << text;
    }
}

} // namespace
