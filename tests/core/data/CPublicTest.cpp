#include "core/data/CPublic.h"

#include <gtest/gtest.h>

namespace {

TEST(ResetTest, Builds74TemplateRowsWithCumulativePlaceholderTexts) {
    CPublic pub;
    pub.run.Post(RunCommands::Start{});
    pub.recordList.clear();
    pub.ResetTest();

    ASSERT_EQ(pub.recordList.size(), 74u);
    struct Expected {
        int firstRow, lastRow;
        const char* textValue;
        const char* textLong;
    };
    const Expected table[] = {
        {0, 5, "", ""}, {6, 11, "1", ""}, {12, 30, "1", "1"}, {31, 49, "0", "1"}, {50, 73, "0", "0"},
    };
    for (const Expected& e : table) {
        for (int row = e.firstRow; row <= e.lastRow; ++row) {
            const Record& r = pub.recordList[static_cast<std::size_t>(row)];
            EXPECT_EQ(FieldText(r.textValue), QByteArray(e.textValue)) << "row " << row;
            EXPECT_EQ(FieldText(r.textLong), QByteArray(e.textLong)) << "row " << row;
            EXPECT_EQ(FieldText(r.textValue2), QByteArray()) << "row " << row;
            EXPECT_TRUE(IsEndMark(r.clock));
            EXPECT_TRUE(IsEndMark(r.copyMark));
            EXPECT_EQ(QByteArray(r.rowMinutes, 5), QByteArray("99999"));
        }
    }
    EXPECT_EQ(pub.readingCount, 0);
    EXPECT_EQ(pub.rowCount, 0);
    EXPECT_EQ(pub.copyCount, 0);
}

TEST(ResetTest, SetsTheFieldsOfANewTestAndLeavesTheParameterList) {
    CPublic pub;
    pub.paramList = {1.0f, 2.0f};
    pub.run.Post(RunCommands::Start{});
    pub.run.Post(RunCommands::Enter{ControlState::Stable});
    pub.run.Post(RunCommands::Pause{});
    pub.calibrationCoefficient = 9.0f;
    pub.gaugeOn[6] = 1;
    pub.gaugeDirection[3] = -1;
    pub.loadInKN = false;
    pub.gprs.SetSaveQueue([](const std::vector<UploadFrame>&) { return true; });
    pub.gprs.Append(UploadFrame{});
    pub.gprs.StartModuleTest(UploadFrame{0xFF});

    pub.ResetTest();

    EXPECT_EQ(pub.paramList, (ParameterList{1.0f, 2.0f}));
    EXPECT_FALSE(pub.run.View().running);
    EXPECT_EQ(pub.run.View().controlState, ControlState::Waiting);
    EXPECT_FALSE(pub.run.View().pausedFlag);
    EXPECT_FLOAT_EQ(pub.calibrationCoefficient, 2.077f);
    EXPECT_FLOAT_EQ(pub.sensorSensitivity, 2.13f);
    EXPECT_EQ(pub.sensorRange, 80);
    EXPECT_EQ(pub.pressureMode, 1);
    EXPECT_EQ(pub.gaugeMask, 0x0F);
    EXPECT_TRUE(pub.loadInKN);
    EXPECT_TRUE(pub.autoAdvance);
    EXPECT_TRUE(pub.interruptedMark);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(pub.gaugeOn[k], k < 4 ? 1 : 0);
        EXPECT_EQ(pub.gaugeDirection[k], 1);
    }
    // The link starts over; a frame never acknowledged stays queued, the
    // module test's frame does not.
    EXPECT_EQ(pub.gprs.Frames(), std::vector{UploadFrame{}});
    EXPECT_EQ(pub.gprs.State(), GprsLink::kSent);
}

TEST(IsNumber, AcceptsDigitsWithOneInnerPointAndALeadingMinus) {
    const struct {
        const char* text;
        bool expected;
    } table[] = {
        {"12", true}, {"3.25", true}, {"-3", true},   {"0", true},      {"-0.5", true},
        {"", false},  {"1.", false},  {".5", false},  {"1.2.3", false}, {"12a", false},
        {"-", false}, {"-.5", false}, {"--1", false}, {"1-", false},    {" 1", false},
    };
    for (const auto& row : table)
        EXPECT_EQ(IsNumber(QString::fromLatin1(row.text)), row.expected) << '"' << row.text << '"';
}

TEST(ReadNumber, ReadsTheLeadingNumberLikeAScan) {
    const struct {
        const char* text;
        float expected;
    } table[] = {
        {"12", 12.0f}, {"3.25", 3.25f}, {"-3", -3.0f}, {" 2.5kN", 2.5f},  {"", 0.0f},
        {"abc", 0.0f}, {"1.", 1.0f},    {"+4", 4.0f},  {"2.077", 2.077f},
    };
    for (const auto& row : table)
        EXPECT_FLOAT_EQ(ReadNumber(QString::fromLatin1(row.text)), row.expected) << '"' << row.text << '"';
}

TEST(FormatSeconds, FormatsATimeOfDayAndWrapsOnceAtMidnight) {
    const struct {
        int seconds;
        const char* expected;
    } table[] = {
        {0, "00:00:00"}, {3725, "01:02:05"}, {86399, "23:59:59"}, {86400, "00:00:00"}, {90000, "01:00:00"},
    };
    for (const auto& row : table)
        EXPECT_EQ(FormatSeconds(row.seconds), QString::fromLatin1(row.expected)) << row.seconds;
}

} // namespace
