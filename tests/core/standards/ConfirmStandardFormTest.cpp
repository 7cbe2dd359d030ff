#include "core/standards/ConfirmStandardForm.h"

#include "core/data/DeviceText.h"
#include "core/standards/StandardsCatalogue.h"

#include <cstring>

#include <gtest/gtest.h>

namespace {

class ConfirmStandardFormTest : public ::testing::Test {
  protected:
    ConfirmStandardFormTest() { pub.run.Post(RunCommands::Start{}); }

    // The form as a click on the standard's button leaves it.
    StandardForm Chosen(int code) {
        StandardForm form;
        form.bearingCapacity = QStringLiteral("0");
        ApplyPreset(form, code, pub, list);
        return form;
    }

    StandardForm UserInput() {
        StandardForm form;
        form.code = kUserInputCode;
        form.boxes = {
            "45", "20", "4", "0.05", {"1", "2", "3", "4", "5", "6"}, {"7", "8", "9", "10", "11", "12"}};
        form.bearingCapacity = QStringLiteral("0");
        return form;
    }

    template <std::size_t N> QString RowText(int row, char (Record::*field)[N]) const {
        return DeviceText::ToUnicode(FieldText(pub.recordList.at(static_cast<std::size_t>(row)).*field));
    }

    // Rows 13-16 of the second text field: hold minutes, check minutes,
    // check count, stable settlement.
    std::vector<QString> CriteriaRows() const {
        return {RowText(13, &Record::textValue2), RowText(14, &Record::textValue2),
                RowText(15, &Record::textValue2), RowText(16, &Record::textValue2)};
    }

    CPublic pub;
    ParameterList list = DefaultParameterList();
};

TEST_F(ConfirmStandardFormTest, FixedCriteriaStandardsStoreTheirOwnValuesWhateverTheBoxesShow) {
    struct Case {
        int code;
        int checkMinutes;
        int checkCount;
        float settlement;
        std::vector<QString> rows;
    };
    for (const Case& c :
         {Case{7, 60, 1, 111.0f, {"60", "60", "1", "111"}},
          Case{8, 120, 1, 111.0f, {"120", "120", "1", "111"}},
          Case{4, 60, 1, 0.01f, {"60", "15", "1", "0.01"}}, Case{11, 60, 1, 0.01f, {"60", "15", "1", "0.01"}},
          Case{0, 10, 2, 111.0f, {"60", "10", "2", "111"}}}) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(ConfirmStandardForm(pub, list, Chosen(c.code)), QString());
        EXPECT_EQ(pub.standardCode, c.code);
        EXPECT_EQ(pub.stableCheckMinutes, c.checkMinutes);
        EXPECT_EQ(pub.stableCheckCount, c.checkCount);
        EXPECT_FLOAT_EQ(pub.stableSettlement, c.settlement);
        EXPECT_EQ(CriteriaRows(), c.rows);
        EXPECT_EQ(list[Entry::stableCheckMinutes], static_cast<float>(c.checkMinutes));
        EXPECT_FLOAT_EQ(list[Entry::stableSettlement], c.settlement);
        EXPECT_EQ(RowText(69, &Record::textLong), QString::number(c.code));
    }
}

TEST_F(ConfirmStandardFormTest, HoldingTimeStandardTakesItsHoldMinutesFromTheBox) {
    StandardForm form = Chosen(7);
    form.boxes.holdMinutes = QStringLiteral("75");
    ASSERT_EQ(ConfirmStandardForm(pub, list, form), QString());
    EXPECT_EQ(pub.holdMinutes, 75);
    EXPECT_EQ(RowText(13, &Record::textValue2), QStringLiteral("75"));
    EXPECT_EQ(list[Entry::holdMinutes], 75.0f);
}

TEST_F(ConfirmStandardFormTest, PresetStandardStoresItsCriteriaIntervalsAndCode) {
    ASSERT_EQ(ConfirmStandardForm(pub, list, Chosen(57)), QString());
    EXPECT_EQ(pub.holdMinutes, 120);
    EXPECT_EQ(pub.stableCheckMinutes, 60);
    EXPECT_EQ(pub.stableCheckCount, 2);
    EXPECT_FLOAT_EQ(pub.stableSettlement, 0.1f);
    EXPECT_EQ(CriteriaRows(), (std::vector<QString>{"120", "60", "2", "0.10"}));
    EXPECT_EQ(pub.loadIntervals, (std::array<int, 6>{10, 10, 10, 15, 15, 30}));
    EXPECT_EQ(pub.unloadIntervals, (std::array<int, 6>{10, 20, 30, 60, 60, 60}));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(RowText(16 + i, &Record::textValue), QString::number(pub.loadIntervals[i]));
        EXPECT_EQ(RowText(22 + i, &Record::textValue), QString::number(pub.unloadIntervals[i]));
        EXPECT_EQ(list[static_cast<std::size_t>(Entry::unloadIntervalsFirst + i)],
                  static_cast<float>(pub.unloadIntervals[i]));
    }
    EXPECT_EQ(list[Entry::standardCode], 57.0f);
    EXPECT_EQ(RowText(69, &Record::textLong), QStringLiteral("57"));
}

TEST_F(ConfirmStandardFormTest, UserInputStoresTheTypedCriteria) {
    StandardForm form = UserInput();
    form.boxes.stableCheckMinutes = QStringLiteral("20.9");
    ASSERT_EQ(ConfirmStandardForm(pub, list, form), QString());
    EXPECT_EQ(pub.standardCode, 9);
    EXPECT_EQ(pub.holdMinutes, 45);
    EXPECT_EQ(pub.stableCheckMinutes, 20); // integers are truncated
    EXPECT_EQ(pub.stableCheckCount, 4);
    EXPECT_FLOAT_EQ(pub.stableSettlement, 0.05f);
    EXPECT_EQ(CriteriaRows(), (std::vector<QString>{"45", "20.9", "4", "0.05"}));
    EXPECT_EQ(pub.loadIntervals, (std::array<int, 6>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(pub.unloadIntervals, (std::array<int, 6>{7, 8, 9, 10, 11, 12}));
}

TEST_F(ConfirmStandardFormTest, RefusedBoxShowsItsMessageAndStoresNothing) {
    struct Case {
        const char* name;
        void (*edit)(CriteriaBoxes&);
        QString message;
    };
    for (const Case& c :
         {Case{"empty check count", [](CriteriaBoxes& b) { b.stableCheckCount.clear(); }, "数据不能为空！"},
          Case{"letter in the settlement", [](CriteriaBoxes& b) { b.stableSettlement = "0.1a"; },
               "数据输入有误！"},
          Case{"empty last unload interval", [](CriteriaBoxes& b) { b.unloadIntervals[5].clear(); },
               "数据不能为空！"},
          Case{"trailing point", [](CriteriaBoxes& b) { b.loadIntervals[0] = "5."; }, "数据输入有误！"}}) {
        SCOPED_TRACE(c.name);
        StandardForm form = UserInput();
        c.edit(form.boxes);
        const ParameterList listBefore = list;
        const std::vector<Record> rowsBefore = pub.recordList;
        EXPECT_EQ(ConfirmStandardForm(pub, list, form), c.message);
        EXPECT_EQ(list, listBefore);
        ASSERT_EQ(pub.recordList.size(), rowsBefore.size());
        for (std::size_t row = 0; row < rowsBefore.size(); ++row)
            EXPECT_EQ(std::memcmp(&pub.recordList[row], &rowsBefore[row], sizeof(Record)), 0) << row;
        EXPECT_EQ(pub.standardCode, 0);
        EXPECT_EQ(pub.holdMinutes, 0);
    }
}

TEST_F(ConfirmStandardFormTest, FirstRefusedBoxInCheckOrderDecidesTheMessage) {
    StandardForm form = UserInput();
    form.boxes.holdMinutes = QStringLiteral("x");
    form.boxes.stableCheckCount.clear();
    EXPECT_EQ(ConfirmStandardForm(pub, list, form), QStringLiteral("数据输入有误！"));
}

TEST_F(ConfirmStandardFormTest, BearingCapacityIsCheckedOnlyForItsStandard) {
    StandardForm plate = Chosen(kBearingCapacityCode);
    for (const auto& [text, message] :
         {std::pair{"", "数据不能为空！"}, std::pair{"3oo", "数据输入有误！"}}) {
        plate.bearingCapacity = QString::fromUtf8(text);
        EXPECT_EQ(ConfirmStandardForm(pub, list, plate), QString::fromUtf8(message));
        EXPECT_EQ(pub.standardCode, 0);
    }
    // Any other standard keeps the row's text as it is, number or not.
    StandardForm other = Chosen(5);
    other.bearingCapacity = QStringLiteral("无");
    EXPECT_EQ(ConfirmStandardForm(pub, list, other), QString());
    EXPECT_EQ(pub.bearingCapacity, 0);
    EXPECT_EQ(RowText(71, &Record::textLong), QStringLiteral("无"));
}

TEST_F(ConfirmStandardFormTest, BearingCapacityIsStoredAsFloatInTheListAndTruncatedInTheState) {
    StandardForm plate = Chosen(kBearingCapacityCode);
    plate.bearingCapacity = QStringLiteral("300.7");
    ASSERT_EQ(ConfirmStandardForm(pub, list, plate), QString());
    EXPECT_FLOAT_EQ(list[Entry::bearingCapacity], 300.7f);
    EXPECT_EQ(pub.bearingCapacity, 300);
    EXPECT_EQ(RowText(71, &Record::textLong), QStringLiteral("300.7"));
}

TEST_F(ConfirmStandardFormTest, ShortRecordListSkipsTheRowsButStoresTheParameters) {
    pub.recordList.resize(20);
    ASSERT_EQ(ConfirmStandardForm(pub, list, Chosen(58)), QString());
    EXPECT_EQ(pub.standardCode, 58);
    EXPECT_EQ(list[Entry::standardCode], 58.0f);
    EXPECT_EQ(pub.unloadIntervals, (std::array<int, 6>{10, 10, 10, 10, 10, 10}));
    EXPECT_EQ(RowText(16, &Record::textValue2), QStringLiteral("0.03"));
}

} // namespace
