#include "core/standards/StandardForm.h"

#include "core/data/DeviceText.h"
#include "core/standards/StandardsCatalogue.h"

#include <limits>

#include <gtest/gtest.h>

namespace {

class StandardFormTest : public ::testing::Test {
  protected:
    template <std::size_t N> void SetRow(int row, char (Record::*field)[N], const QString& text) {
        SetFieldText(pub.recordList.at(static_cast<std::size_t>(row)).*field, DeviceText::FromUnicode(text));
    }
    template <std::size_t N> QString RowText(int row, char (Record::*field)[N]) const {
        return DeviceText::ToUnicode(FieldText(pub.recordList.at(static_cast<std::size_t>(row)).*field));
    }

    // Criteria rows 13-27 as a user-input test left them.
    void StoreTypedCriteria() {
        SetRow(13, &Record::textValue2, "45");
        SetRow(14, &Record::textValue2, "20");
        SetRow(15, &Record::textValue2, "4");
        SetRow(16, &Record::textValue2, "0.05");
        for (int i = 0; i < 12; ++i)
            SetRow(16 + i, &Record::textValue, QString::number(i + 1));
    }

    static CriteriaBoxes Boxes(QString hold, QString minutes, QString count, QString settlement,
                               std::array<int, 6> load, std::array<int, 6> unload) {
        CriteriaBoxes boxes{hold, minutes, count, settlement, {}, {}};
        for (int i = 0; i < 6; ++i) {
            boxes.loadIntervals[i] = QString::number(load[i]);
            boxes.unloadIntervals[i] = QString::number(unload[i]);
        }
        return boxes;
    }

    CPublic pub;
    ParameterList list = DefaultParameterList();
};

TEST_F(StandardFormTest, CaptionEndsWithTheDataFileNameOfItsSerialNumberLength) {
    const QString head = QStringLiteral("规范选择                                 文件名： ");
    struct Case {
        QString serial;
        QString path;
        QString name;
    };
    for (const Case& c : {Case{"123456", "\\硬盘\\APP\\123456-0001.kvt", "123456-0001.kvt"},
                          Case{"123456789012", "\\硬盘\\APP\\123456789012-0001.kvt", "123456789012-0001.kvt"},
                          Case{"", "", ""}}) {
        SetRow(7, &Record::textLong, c.serial);
        pub.dataFilePath = c.path;
        EXPECT_EQ(StandardDialogCaption(pub), head + c.name);
    }
}

TEST_F(StandardFormTest, BearingCapacityLabelFollowsTheLoadUnit) {
    EXPECT_EQ(BearingCapacityLabel(true), QStringLiteral("地基承载力特征值(kN)"));
    EXPECT_EQ(BearingCapacityLabel(false), QStringLiteral("地基承载力特征值(kPa)"));
}

TEST_F(StandardFormTest, StoredCodeThatIsNoNumberIsRepairedToZero) {
    struct Case {
        QString stored;
        int code;
        QString rowAfter;
    };
    for (const Case& c : {Case{"58", 58, "58"}, Case{"0", 0, "0"}, Case{"abc", 0, "0"}, Case{"", 0, "0"},
                          Case{"5x", 0, "0"}}) {
        SCOPED_TRACE(c.stored.toStdString());
        SetRow(69, &Record::textLong, c.stored);
        EXPECT_EQ(ReadStoredStandardCode(pub), c.code);
        EXPECT_EQ(RowText(69, &Record::textLong), c.rowAfter);
    }
}

TEST_F(StandardFormTest, OpeningWithAPresetStandardShowsItsPresetsNotTheRows) {
    StoreTypedCriteria();
    SetRow(69, &Record::textLong, "5");
    const StandardForm form = OpenStandardForm(pub, list);
    EXPECT_EQ(form.code, 5);
    EXPECT_EQ(pub.standardCode, 5);
    EXPECT_EQ(form.boxes, Boxes("120", "60", "2", "0.10", {5, 10, 15, 15, 15, 30}, {15, 15, 30, 30, 30, 30}));
}

TEST_F(StandardFormTest, OpeningWithUserInputShowsTheStoredRows) {
    StoreTypedCriteria();
    SetRow(69, &Record::textLong, "9");
    SetRow(71, &Record::textLong, "180");
    const StandardForm form = OpenStandardForm(pub, list);
    EXPECT_EQ(form.code, 9);
    EXPECT_EQ(form.boxes, Boxes("45", "20", "4", "0.05", {1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(form.bearingCapacity, QStringLiteral("180"));
}

TEST_F(StandardFormTest, OpeningAFileWithoutACodeShowsTheConvergenceMethod) {
    SetRow(69, &Record::textLong, "--");
    const StandardForm form = OpenStandardForm(pub, list);
    EXPECT_EQ(form.code, 0);
    EXPECT_EQ(pub.standardCode, 0);
    EXPECT_EQ(form.boxes.stableSettlement, QStringLiteral("收敛"));
    EXPECT_EQ(RowText(69, &Record::textLong), QStringLiteral("0"));
}

TEST_F(StandardFormTest, BearingCapacityStandardOutsideTheWizardShowsTheSettlementForTheTargetLoad) {
    struct Case {
        bool wizard;
        float targetLoad;
        QString settlement;
        QString bearingBox;
    };
    SetRow(69, &Record::textLong, "10");
    SetRow(71, &Record::textLong, "300");
    list[Entry::bearingCapacity] = 280.0f;
    for (const Case& c : {Case{false, 0, "0.10", "300"}, Case{false, 300, "0.10", "300"},
                          Case{false, 300.5f, "0.25", "300"}, Case{true, 400, "0.10", "280"}}) {
        SCOPED_TRACE(c.targetLoad);
        pub.wizardMode = c.wizard;
        pub.run.Post(RunCommands::SetTarget{c.targetLoad});
        const StandardForm form = OpenStandardForm(pub, list);
        EXPECT_EQ(form.boxes.stableSettlement, c.settlement);
        EXPECT_EQ(form.bearingCapacity, c.bearingBox);
    }
}

TEST_F(StandardFormTest, UserInputChoiceShowsTheParameterList) {
    list[Entry::holdMinutes] = 90.0f;
    list[Entry::stableCheckMinutes] = 30.0f;
    list[Entry::stableCheckCount] = 3.0f;
    list[Entry::stableSettlement] = 0.05f;
    for (int i = 0; i < 6; ++i) {
        list[static_cast<std::size_t>(Entry::loadIntervalsFirst + i)] = static_cast<float>(20 + i);
        list[static_cast<std::size_t>(Entry::unloadIntervalsFirst + i)] = static_cast<float>(40 + i) + 0.4f;
    }
    StandardForm form;
    form.bearingCapacity = QStringLiteral("kept");
    ApplyPreset(form, kUserInputCode, pub, list);
    EXPECT_EQ(form.code, 9);
    EXPECT_EQ(form.boxes, Boxes("90", "30", "3", "0.05", {20, 21, 22, 23, 24, 25}, {40, 41, 42, 43, 44, 45}));
    EXPECT_EQ(form.bearingCapacity, QStringLiteral("kept"));
}

TEST_F(StandardFormTest, UserInputStableSettlementShowsTwoDecimalsOrTheDefault) {
    struct Case {
        float stored;
        QString shown;
    };
    for (const Case& c : {Case{111.0f, "111.00"}, Case{0.1f, "0.10"}, Case{-0.5f, "-0.50"},
                          Case{std::numeric_limits<float>::quiet_NaN(), "0.10"},
                          Case{std::numeric_limits<float>::infinity(), "0.10"}}) {
        list[Entry::stableSettlement] = c.stored;
        StandardForm form;
        ApplyPreset(form, kUserInputCode, pub, list);
        EXPECT_EQ(form.boxes.stableSettlement, c.shown) << c.stored;
    }
}

TEST_F(StandardFormTest, BearingCapacityChoiceFillsItsBoxFromTheListInTheWizardElseFromTheRow) {
    list[Entry::bearingCapacity] = 250.6f;
    SetRow(71, &Record::textLong, "280");
    StandardForm form;
    pub.wizardMode = true;
    ApplyPreset(form, kBearingCapacityCode, pub, list);
    EXPECT_EQ(form.bearingCapacity, QStringLiteral("251"));
    EXPECT_EQ(form.boxes.stableSettlement, QStringLiteral("0.10"));

    pub.wizardMode = false;
    ApplyPreset(form, kBearingCapacityCode, pub, list);
    EXPECT_EQ(form.bearingCapacity, QStringLiteral("280"));

    form.bearingCapacity = QStringLiteral("kept");
    ApplyPreset(form, 58, pub, list);
    EXPECT_EQ(form.bearingCapacity, QStringLiteral("kept"));
    EXPECT_EQ(form.boxes, Boxes("40", "30", "2", "0.03", {10, 10, 10, 10, 10, 10}, {10, 10, 10, 10, 10, 10}));
}

} // namespace
