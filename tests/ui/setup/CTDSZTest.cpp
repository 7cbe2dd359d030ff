#include "ui/setup/CTDSZ.h"
#include "support/RunStateSetup.h"

#include "core/data/CPublic.h"
#include "core/data/DeviceText.h"
#include "support/ScriptedPrompter.h"

#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>

namespace {

class CTDSZTest : public ::testing::Test {
  protected:
    CTDSZTest() { pub.dataFilePath = QStringLiteral("\\硬盘\\APP\\123456-0001.kvt"); }

    std::unique_ptr<CTDSZ> Open() {
        auto dialog = std::make_unique<CTDSZ>(pub, prompter);
        dialog->show();
        return dialog;
    }

    static QPushButton* Button(const CTDSZ& dialog, int id) {
        auto* button = dialog.findChild<QPushButton*>(QString::number(id));
        EXPECT_NE(button, nullptr) << id;
        return button;
    }
    static QString Caption(const CTDSZ& dialog, int id) { return Button(dialog, id)->text(); }
    static void Click(CTDSZ& dialog, int id) { Button(dialog, id)->click(); }
    static int GaugeId(int gauge) { return CTDSZ::kGaugeIds[static_cast<std::size_t>(gauge - 1)]; }

    // Rows 31-34 and 21-24 as a stored test with `gauges` leaves them.
    void StoreGauges(std::initializer_list<int> gauges) {
        for (int gauge = 1; gauge <= 8; ++gauge) {
            const QByteArray flag =
                std::find(gauges.begin(), gauges.end(), gauge) != gauges.end() ? "1" : "0";
            if (gauge <= 4)
                SetFieldText(pub.recordList.at(static_cast<std::size_t>(30 + gauge)).textValue, flag);
            else
                SetFieldText(pub.recordList.at(static_cast<std::size_t>(16 + gauge)).textValue2, flag);
        }
    }
    template <std::size_t N> QString RowText(int row, char (Record::*field)[N]) const {
        return DeviceText::ToUnicode(FieldText(pub.recordList.at(static_cast<std::size_t>(row)).*field));
    }

    ScriptedPrompter prompter;
    CPublic pub;
};

TEST_F(CTDSZTest, WizardOpensWithGaugesOneToFourAndGoesOnToTheTestSettings) {
    pub.wizardMode = true;
    pub.setupStep = 1;
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), "新试桩");
    EXPECT_EQ(Caption(*dialog, CTDSZ::kConfirm), "下一步");
    EXPECT_EQ(Caption(*dialog, CTDSZ::kLeave), "退出");
    const char* captions[8] = {"√位移1", "√位移2", "√位移3", "√位移4", "位移5", "位移6", "位移7", "位移8"};
    for (int gauge = 1; gauge <= 8; ++gauge)
        EXPECT_EQ(Caption(*dialog, GaugeId(gauge)), QString::fromUtf8(captions[gauge - 1])) << gauge;
    EXPECT_EQ(Caption(*dialog, CTDSZ::kSingle), "√单桩");
    EXPECT_EQ(Caption(*dialog, CTDSZ::kGround), "地基");

    Click(*dialog, CTDSZ::kConfirm);

    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(pub.setupStep, 2);
    EXPECT_TRUE(pub.wizardMode);
    EXPECT_EQ(pub.gaugeMask, 0x0F);
    EXPECT_TRUE(pub.loadInKN);
    for (int row = 31; row <= 34; ++row)
        EXPECT_EQ(RowText(row, &Record::textValue), "1") << row;
    for (int row = 21; row <= 24; ++row)
        EXPECT_EQ(RowText(row, &Record::textValue2), "0") << row;
    EXPECT_TRUE(prompter.ShownPrompts().empty());
}

TEST_F(CTDSZTest, OnlyGaugeSixChosen) {
    struct Case {
        bool wizard;
        bool running;
    };
    for (const Case& c : {Case{true, false}, Case{false, true}}) {
        pub.ResetTest();
        pub.wizardMode = c.wizard;
        SetRunning(pub, c.running);
        StoreGauges({1, 2, 3, 4});
        auto dialog = Open();
        for (const int gauge : {1, 2, 3, 4, 6})
            Click(*dialog, GaugeId(gauge));
        EXPECT_EQ(Caption(*dialog, GaugeId(6)), "√位移6");
        EXPECT_EQ(Caption(*dialog, GaugeId(2)), "位移2");

        Click(*dialog, CTDSZ::kConfirm);

        EXPECT_FALSE(dialog->isVisible()) << c.wizard;
        EXPECT_EQ(pub.gaugeMask, 0x20) << c.wizard;
        EXPECT_EQ(RowText(22, &Record::textValue2), "1") << c.wizard;
        EXPECT_EQ(RowText(32, &Record::textValue), "0") << c.wizard;
        EXPECT_EQ(pub.gaugeOn[5], 1) << c.wizard;
        EXPECT_EQ(pub.gaugeOn[0], 0) << c.wizard;
        EXPECT_EQ(pub.saveRequested, !c.wizard);
    }
}

TEST_F(CTDSZTest, AloneOpensWithTheStoredChoiceAndFileName) {
    pub.run.Post(RunCommands::Start{});
    pub.loadInKN = false;
    StoreGauges({2, 7});
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), "通道设置                                 文件名： 123456-0001.kvt");
    EXPECT_EQ(Caption(*dialog, CTDSZ::kConfirm), "确定");
    for (int gauge = 1; gauge <= 8; ++gauge)
        EXPECT_EQ(Caption(*dialog, GaugeId(gauge)), GaugeCaption(gauge, gauge == 2 || gauge == 7)) << gauge;
    EXPECT_EQ(Caption(*dialog, CTDSZ::kSingle), "单桩");
    EXPECT_EQ(Caption(*dialog, CTDSZ::kGround), "√地基");
}

TEST_F(CTDSZTest, RunningTestWithEveryGaugeClearedIsRefusedAndStaysOpen) {
    pub.run.Post(RunCommands::Start{});
    StoreGauges({1, 2, 3, 4});
    auto dialog = Open();
    for (const int gauge : {1, 2, 3, 4})
        Click(*dialog, GaugeId(gauge));

    Click(*dialog, CTDSZ::kConfirm);

    ASSERT_EQ(prompter.ShownPrompts().size(), 1u);
    EXPECT_EQ(prompter.ShownPrompts().back().text, "请至少选中一个位移！");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(pub.gaugeMask, 0) << "stored before the message";
    EXPECT_EQ(RowText(31, &Record::textValue), "0");

    Click(*dialog, GaugeId(3));
    Click(*dialog, CTDSZ::kConfirm);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(pub.gaugeMask, 0x04);
    EXPECT_EQ(prompter.ShownPrompts().size(), 1u);
}

TEST_F(CTDSZTest, TestTypeChangesInTheWizardOnly) {
    for (const bool wizard : {true, false}) {
        pub.ResetTest();
        pub.wizardMode = wizard;
        SetRunning(pub, !wizard);
        StoreGauges({1});
        auto dialog = Open();
        Click(*dialog, CTDSZ::kGround);
        EXPECT_EQ(Caption(*dialog, CTDSZ::kSingle), wizard ? "单桩" : "√单桩");
        EXPECT_EQ(Caption(*dialog, CTDSZ::kGround), wizard ? "√地基" : "地基");

        Click(*dialog, CTDSZ::kConfirm);

        EXPECT_EQ(pub.loadInKN, !wizard) << wizard;
        EXPECT_EQ(RowText(36, &Record::textValue), wizard ? "0" : "1") << wizard;
    }
}

TEST_F(CTDSZTest, SingleButtonSwapsBackInTheWizard) {
    pub.wizardMode = true;
    auto dialog = Open();
    Click(*dialog, CTDSZ::kSingle);
    EXPECT_EQ(Caption(*dialog, CTDSZ::kSingle), "单桩");
    EXPECT_EQ(Caption(*dialog, CTDSZ::kGround), "√地基");
    Click(*dialog, CTDSZ::kSingle);
    EXPECT_EQ(Caption(*dialog, CTDSZ::kSingle), "√单桩");
    EXPECT_EQ(Caption(*dialog, CTDSZ::kGround), "地基");
}

TEST_F(CTDSZTest, LeaveInTheWizardEndsIt) {
    pub.wizardMode = true;
    pub.setupStep = 1;
    auto dialog = Open();
    Click(*dialog, GaugeId(6));

    Click(*dialog, CTDSZ::kLeave);

    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(pub.setupStep, 0);
    EXPECT_FALSE(pub.wizardMode);
    EXPECT_EQ(pub.gaugeMask, 0x0F) << "nothing stored";
}

TEST_F(CTDSZTest, ClosingTheWindowInTheWizardEndsItLikeLeave) {
    pub.wizardMode = true;
    pub.setupStep = 1;
    auto dialog = Open();
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(pub.setupStep, 0) << "the wizard must not reopen the step forever";
    EXPECT_FALSE(pub.wizardMode);
}

TEST_F(CTDSZTest, WithoutTestOrWizardConfirmOnlyCloses) {
    StoreGauges({1, 2, 3, 4});
    auto dialog = Open();
    Click(*dialog, GaugeId(1));
    Click(*dialog, GaugeId(8));

    Click(*dialog, CTDSZ::kConfirm);

    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(pub.gaugeMask, 0x0F);
    EXPECT_EQ(RowText(31, &Record::textValue), "1");
    EXPECT_EQ(RowText(24, &Record::textValue2), "0");
    EXPECT_FALSE(pub.saveRequested);
    EXPECT_FALSE(pub.viewDirty);
}

} // namespace
