#include "ui/standards/CCriterion.h"

#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"
#include "core/data/ParameterRows.h"
#include "core/standards/StandardsCatalogue.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDevice.h"
#include "ui/setup/NumericKeypad.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kCriteriaBoxIds[16] = {1061, 1012, 1011, 1013, 1001, 1002, 1003, 1004,
                                     1005, 1006, 1007, 1008, 1009, 1014, 1015, 1024};

class CCriterionTest : public ::testing::Test {
  protected:
    CCriterionTest() {
        pub.paramList = DefaultParameterList();
        KVTFile::BuildBlankRecords(pub);
        pub.dataFilePath = QStringLiteral("\\硬盘\\APP\\123456-0001.kvt");
    }

    std::unique_ptr<CCriterion> Open() {
        auto dialog = std::make_unique<CCriterion>(pub, pub.paramList, device.Files(), prompter);
        dialog->show();
        return dialog;
    }

    template <typename T> T* Control(const CCriterion& dialog, int id) {
        auto* control = dialog.findChild<T*>(QString::number(id));
        EXPECT_NE(control, nullptr) << id;
        return control;
    }

    void Choose(CCriterion& dialog, int code) {
        Control<QRadioButton>(dialog, FindStandardByCode(code)->radioId)->click();
    }
    void Click(CCriterion& dialog, int id) { Control<QPushButton>(dialog, id)->click(); }

    // Fills the 16 boxes of "用户输入" with valid numbers.
    void TypeValidCriteria(CCriterion& dialog) {
        for (const int id : kCriteriaBoxIds)
            Control<QLineEdit>(dialog, id)->setText(QStringLiteral("30"));
    }

    TempDevice device;
    ScriptedPrompter prompter;
    CPublic pub;
};

TEST_F(CCriterionTest, BoxesAndKeypadFollowTheChosenStandard) {
    pub.run.Post(RunCommands::Start{});
    auto dialog = Open();
    auto* digit = dialog->findChild<NumericKeypad*>()->Key(KeypadKey::five);
    for (const StandardEntry& entry : StandardsCatalogue()) {
        Choose(*dialog, entry.code);
        const bool userInput = entry.code == kUserInputCode;
        const bool bearing = entry.code == kBearingCapacityCode;
        for (const int id : kCriteriaBoxIds)
            EXPECT_EQ(Control<QLineEdit>(*dialog, id)->isEnabled(), userInput) << entry.code << " box " << id;
        EXPECT_EQ(Control<QLabel>(*dialog, CCriterion::kBearingLabel)->isVisible(), bearing) << entry.code;
        EXPECT_EQ(Control<QLineEdit>(*dialog, CCriterion::kBearingBox)->isVisible(), bearing) << entry.code;
        EXPECT_EQ(digit->isEnabled(), userInput || bearing) << entry.code;
        EXPECT_EQ(Control<QLineEdit>(*dialog, 1061)->text(),
                  userInput
                      ? QString::number(static_cast<int>(ParameterAt(pub.paramList, Entry::holdMinutes)))
                      : QString::fromUtf8(entry.criteria.holdMinutes))
            << entry.code;
    }
}

TEST_F(CCriterionTest, FixedTimeStandardStoresItsMarkersAndSaves) {
    pub.run.Post(RunCommands::Start{});
    auto dialog = Open();
    Choose(*dialog, 7);
    EXPECT_EQ(Control<QLineEdit>(*dialog, 1012)->text(), QStringLiteral("不判稳"));
    Click(*dialog, CCriterion::kConfirm);

    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(pub.standardCode, 7);
    EXPECT_EQ(pub.holdMinutes, 60);
    EXPECT_EQ(pub.stableCheckMinutes, 60);
    EXPECT_EQ(pub.stableCheckCount, 1);
    EXPECT_EQ(pub.stableSettlement, 111.0f);
    EXPECT_TRUE(pub.saveRequested);
    QString savedPath;
    ParameterList saved;
    ASSERT_TRUE(device.Files().LoadSettings(savedPath, saved));
    EXPECT_EQ(savedPath, pub.dataFilePath);
    EXPECT_EQ(saved[Entry::standardCode], 7.0f);
    EXPECT_EQ(saved[Entry::stableSettlement], 111.0f);
    EXPECT_TRUE(prompter.ShownPrompts().empty());
}

TEST_F(CCriterionTest, UserInputRefusesEmptyOrNonNumericBoxes) {
    struct Case {
        int boxId;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {1011, "", "数据不能为空！"},
        {1024, "", "数据不能为空！"},
        {1013, "a", "数据输入有误！"},
        {1004, "1.", "数据输入有误！"},
    };
    pub.run.Post(RunCommands::Start{});
    for (const Case& c : cases) {
        auto dialog = Open();
        Choose(*dialog, kUserInputCode);
        TypeValidCriteria(*dialog);
        Control<QLineEdit>(*dialog, c.boxId)->setText(QString::fromUtf8(c.text));
        const std::size_t before = prompter.ShownPrompts().size();
        Click(*dialog, CCriterion::kConfirm);

        ASSERT_EQ(prompter.ShownPrompts().size(), before + 1) << c.boxId;
        EXPECT_EQ(prompter.ShownPrompts().back().text, QString::fromUtf8(c.message)) << c.boxId;
        EXPECT_TRUE(dialog->isVisible()) << c.boxId;
        EXPECT_EQ(Control<QLineEdit>(*dialog, c.boxId)->text(), QString::fromUtf8(c.text));
        EXPECT_NE(pub.standardCode, kUserInputCode) << "nothing stored";
        EXPECT_FALSE(pub.saveRequested);
        EXPECT_FALSE(device.Exists(QStringLiteral("\\硬盘\\APP\\tarvo.ini")));
    }
}

TEST_F(CCriterionTest, UserInputTypedOnTheKeypadIsStored) {
    pub.run.Post(RunCommands::Start{});
    auto dialog = Open();
    Choose(*dialog, kUserInputCode);
    TypeValidCriteria(*dialog);
    auto* keypad = dialog->findChild<NumericKeypad*>();
    auto* settlement = Control<QLineEdit>(*dialog, 1013);
    keypad->FocusOn(settlement);
    for (const int key : {KeypadKey::clear, KeypadKey::zero, KeypadKey::point, KeypadKey::five})
        keypad->Key(key)->click();
    EXPECT_EQ(settlement->text(), "0.5");
    Click(*dialog, CCriterion::kConfirm);

    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(pub.standardCode, kUserInputCode);
    EXPECT_FLOAT_EQ(pub.stableSettlement, 0.5f);
    EXPECT_EQ(pub.unloadIntervals[5], 30);
}

TEST_F(CCriterionTest, BearingCapacityIsTypedOnTheKeypad) {
    pub.wizardMode = true;
    auto dialog = Open();
    Choose(*dialog, kBearingCapacityCode);
    auto* keypad = dialog->findChild<NumericKeypad*>();
    EXPECT_EQ(keypad->FocusedEdit(), Control<QLineEdit>(*dialog, CCriterion::kBearingBox));
    for (const int key : {KeypadKey::clear, KeypadKey::three, KeypadKey::zero, KeypadKey::zero})
        keypad->Key(key)->click();
    Click(*dialog, CCriterion::kConfirm);

    EXPECT_EQ(pub.standardCode, kBearingCapacityCode);
    EXPECT_EQ(pub.bearingCapacity, 300);
    EXPECT_EQ(ReadParameterText(pub, ParameterText::bearingCapacity), "300");
}

TEST_F(CCriterionTest, WizardButtonsMoveTheStep) {
    pub.wizardMode = true;
    pub.setupStep = 4;
    {
        auto dialog = Open();
        EXPECT_EQ(Control<QPushButton>(*dialog, CCriterion::kBack)->text(), "上一步");
        EXPECT_EQ(Control<QPushButton>(*dialog, CCriterion::kConfirm)->text(), "下一步");
        Choose(*dialog, 5);
        Click(*dialog, CCriterion::kBack);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(pub.setupStep, 3);
        EXPECT_EQ(pub.standardCode, 0) << "going back stores nothing";
    }
    pub.setupStep = 4;
    auto dialog = Open();
    Choose(*dialog, 5);
    Click(*dialog, CCriterion::kConfirm);
    EXPECT_EQ(pub.setupStep, 5);
    EXPECT_EQ(pub.standardCode, 5);
    EXPECT_FALSE(pub.saveRequested) << "the wizard writes the data file when the test starts";
}

TEST_F(CCriterionTest, OutsideATestConfirmOnlyCloses) {
    auto dialog = Open();
    EXPECT_EQ(Control<QPushButton>(*dialog, CCriterion::kBack)->text(), "退出");
    EXPECT_EQ(Control<QPushButton>(*dialog, CCriterion::kConfirm)->text(), "确定");
    EXPECT_TRUE(dialog->windowTitle().startsWith(QStringLiteral("规范选择 ")));
    EXPECT_TRUE(dialog->windowTitle().endsWith(QStringLiteral("文件名： 123456-0001.kvt")));
    Choose(*dialog, 7);
    Click(*dialog, CCriterion::kConfirm);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(pub.standardCode, 0);
    EXPECT_FALSE(pub.saveRequested);
    EXPECT_FALSE(device.Exists(QStringLiteral("\\硬盘\\APP\\tarvo.ini")));
}

} // namespace
