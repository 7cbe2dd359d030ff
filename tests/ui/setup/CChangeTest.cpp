#include "ui/setup/CChange.h"
#include "support/RunStateSetup.h"

#include "core/data/CPublic.h"
#include "support/ReplyFeed.h"
#include "support/ScriptedPrompter.h"
#include "ui/setup/NumericKeypad.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

constexpr float kTolerance = 1e-4f;
const QColor kRed(255, 0, 0);

class CChangeTest : public ::testing::Test {
  protected:
    CChangeTest() {
        pub.run.Post(RunCommands::Start{});
        pub.dataFilePath = QStringLiteral("\\硬盘\\APP\\123456-0001.kvt");
    }

    std::unique_ptr<CChange> Open() {
        auto dialog = std::make_unique<CChange>(pub, prompter);
        dialog->show();
        return dialog;
    }

    void Feed(const GaugeCounts& gauges) { ASSERT_TRUE(FeedReply(pub, gauges)); }

    template <typename T> static T* Control(const CChange& dialog, int id) {
        auto* control = dialog.findChild<T*>(QString::number(id));
        EXPECT_NE(control, nullptr) << id;
        return control;
    }
    static QLineEdit* Box(const CChange& dialog, int id) { return Control<QLineEdit>(dialog, id); }
    static QPushButton* Button(const CChange& dialog, int id) { return Control<QPushButton>(dialog, id); }
    static void Click(CChange& dialog, int id) { Button(dialog, id)->click(); }
    static int ModifiedId(int gauge) {
        return CChange::kGaugeModifiedIds[static_cast<std::size_t>(gauge - 1)];
    }
    static int ReverseId(int gauge) { return CChange::kGaugeReverseIds[static_cast<std::size_t>(gauge - 1)]; }

    // Touches the box and types `keys` on the keypad.
    static void Type(CChange& dialog, int boxId, const QString& keys) {
        static const std::map<QChar, int> keyIds = {
            {'0', KeypadKey::zero},  {'1', KeypadKey::one},  {'2', KeypadKey::two},   {'3', KeypadKey::three},
            {'4', KeypadKey::four},  {'5', KeypadKey::five}, {'6', KeypadKey::six},   {'7', KeypadKey::seven},
            {'8', KeypadKey::eight}, {'9', KeypadKey::nine}, {'.', KeypadKey::point},
        };
        auto* keypad = dialog.findChild<NumericKeypad*>();
        keypad->FocusOn(Box(dialog, boxId));
        for (const QChar key : keys)
            keypad->Key(keyIds.at(key))->click();
    }

    ScriptedPrompter prompter;
    CPublic pub;
};

TEST_F(CChangeTest, OpensWithTheCurrentValuesAndTheTableLayout) {
    struct Case {
        bool running;
        int standardCode;
        const char* gaugeTwo;
    };
    pub.gaugeDirection[3] = -1;
    for (const Case& c : {Case{true, 0, "12.40"}, Case{false, 3, "12.402"}, Case{true, 58, "12.402"}}) {
        SetRunning(pub, c.running);
        pub.standardCode = c.standardCode;
        Feed({0, 1250, 0, 0, 0, 0, 0, 0});
        auto dialog = Open();

        EXPECT_EQ(dialog->windowTitle(), "数据设置                                 文件名： 123456-0001.kvt");
        EXPECT_EQ(Box(*dialog, CChange::kLoadCurrent)->text(),
                  QString::number(qRound(pub.run.Live().currentLoad)));
        EXPECT_EQ(Box(*dialog, 1003)->text(), QString::fromLatin1(c.gaugeTwo)) << c.standardCode;
        EXPECT_EQ(Box(*dialog, 1006)->text(), "") << "gauge 5 is not in the test";
        for (const int id : CChange::kGaugeCurrentIds)
            EXPECT_FALSE(Box(*dialog, id)->isEnabled()) << id;
        EXPECT_FALSE(Box(*dialog, CChange::kLoadCurrent)->isEnabled());
        EXPECT_TRUE(Box(*dialog, CChange::kLoadModified)->isHidden());
        EXPECT_TRUE(Button(*dialog, CChange::kLoadReverse)->isHidden());
        for (int gauge = 1; gauge <= 8; ++gauge)
            EXPECT_EQ(Button(*dialog, ReverseId(gauge))->text(), gauge == 4 ? "√" : "") << gauge;
        EXPECT_EQ(Button(*dialog, ReverseId(4))->palette().color(QPalette::ButtonText), kRed);
        EXPECT_EQ(Button(*dialog, CChange::kLoadZero)->isEnabled(), !c.running);
        for (const int id : CChange::kGaugeZeroIds)
            EXPECT_EQ(Button(*dialog, id)->isEnabled(), !c.running) << id;
        EXPECT_EQ(Button(*dialog, CChange::kAdjustRange)->text(), "位移传感器调整量程");
        EXPECT_EQ(Button(*dialog, CChange::kApply)->text(), "确定");
        EXPECT_EQ(Button(*dialog, CChange::kLeave)->text(), "退出");
    }
    QStringList labels;
    auto dialog = Open();
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        labels << label->text();
    for (const char* text : {"通道", "当前值", "修改值", "清零", "反向", "荷载", "位移一", "位移八"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;
}

TEST_F(CChangeTest, ToggleSwapsTickAndRedText) {
    SetRunning(pub, false);
    auto dialog = Open();
    for (const int id : {CChange::kGaugeZeroIds[0], CChange::kGaugeReverseIds[7], CChange::kLoadZero}) {
        QPushButton* toggle = Button(*dialog, id);
        const QColor plain = toggle->palette().color(QPalette::ButtonText);
        EXPECT_NE(plain, kRed);
        toggle->click();
        EXPECT_EQ(toggle->text(), "√") << id;
        EXPECT_EQ(toggle->palette().color(QPalette::ButtonText), kRed) << id;
        toggle->click();
        EXPECT_EQ(toggle->text(), "") << id;
        EXPECT_EQ(toggle->palette().color(QPalette::ButtonText), plain) << id;
    }
}

TEST_F(CChangeTest, TypedValueIsShownAndTheGaugeMovesOnWithItsReading) {
    for (const bool reversed : {false, true}) {
        pub.ResetTest();
        pub.run.Post(RunCommands::Start{});
        Feed({0, 1250, 0, 0, 0, 0, 0, 0});
        auto dialog = Open();
        ASSERT_EQ(Box(*dialog, 1003)->text(), "12.40");
        Type(*dialog, ModifiedId(2), QStringLiteral("0.50"));
        EXPECT_EQ(Box(*dialog, ModifiedId(2))->text(), "0.50");
        if (reversed)
            Click(*dialog, ReverseId(2));

        Click(*dialog, CChange::kApply);

        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_FLOAT_EQ(pub.gaugeOffset[1], reversed ? -0.50f : 0.50f);
        EXPECT_EQ(pub.gaugeDirection[1], reversed ? -1 : 1);
        Feed({0, 1250, 0, 0, 0, 0, 0, 0});
        EXPECT_NEAR(pub.run.Live().gaugeValue[1], 0.50f, kTolerance) << reversed;
        Feed({0, 1350, 0, 0, 0, 0, 0, 0});
        const float moved = 13.39f - 12.40f;
        EXPECT_NEAR(pub.run.Live().gaugeValue[1], 0.50f + (reversed ? -moved : moved), kTolerance)
            << reversed;
        EXPECT_TRUE(pub.saveRequested);
        EXPECT_TRUE(prompter.ShownPrompts().empty());
    }
}

TEST_F(CChangeTest, ConfirmedRangeAdjustmentCarriesTheGaugesOverTheReset) {
    Feed({2551, 2507, 0, 0, 0, 0, 0, 0});
    ASSERT_NEAR(pub.run.Live().gaugeValue[0], 25.31f, kTolerance);
    ASSERT_NEAR(pub.run.Live().gaugeValue[1], 24.87f, kTolerance);
    auto dialog = Open();
    prompter.QueueAnswer(true);
    Click(*dialog, CChange::kAdjustRange);
    ASSERT_EQ(prompter.ShownPrompts().size(), 1u);
    EXPECT_EQ(prompter.ShownPrompts().back().kind, ScriptedPrompter::Kind::Question);
    EXPECT_EQ(prompter.ShownPrompts().back().text, "确定需要调表？");
    EXPECT_TRUE(pub.rangeAdjustPending);

    Feed({50, 30, 0, 0, 0, 0, 0, 0}); // the dial gauges reset
    Click(*dialog, CChange::kApply);

    EXPECT_FALSE(dialog->isVisible());
    Feed({50, 30, 0, 0, 0, 0, 0, 0});
    EXPECT_NEAR(pub.run.Live().gaugeValue[0], 25.31f, kTolerance);
    EXPECT_NEAR(pub.run.Live().gaugeValue[1], 24.87f, kTolerance);
    Feed({150, 130, 0, 0, 0, 0, 0, 0});
    EXPECT_NEAR(pub.run.Live().gaugeValue[0], 25.31f + 0.99f, 0.01f);
    EXPECT_NEAR(pub.run.Live().gaugeValue[1], 24.87f + 0.99f, 0.01f);
    EXPECT_TRUE(pub.rangeAdjustPending) << "for the next reading";
}

TEST_F(CChangeTest, RangeAdjustmentAnsweredNoOrLeftChangesNothing) {
    struct Case {
        bool answer;
        int closeWith;
    };
    for (const Case& c : {Case{false, CChange::kApply}, Case{true, CChange::kLeave}}) {
        pub.ResetTest();
        pub.run.Post(RunCommands::Start{});
        Feed({2551, 2507, 0, 0, 0, 0, 0, 0});
        auto dialog = Open();
        prompter.QueueAnswer(c.answer);
        Click(*dialog, CChange::kAdjustRange);
        EXPECT_EQ(pub.rangeAdjustPending, c.answer);
        Feed({50, 30, 0, 0, 0, 0, 0, 0});

        Click(*dialog, c.closeWith);

        EXPECT_FALSE(dialog->isVisible());
        EXPECT_FALSE(pub.rangeAdjustPending) << c.answer;
        EXPECT_EQ(pub.gaugeZero[0], 0.0f) << c.answer;
        EXPECT_EQ(pub.gaugeOffset[1], 0.0f) << c.answer;
    }
}

TEST_F(CChangeTest, NothingIsAppliedWithoutATestOrTheWizard) {
    SetRunning(pub, false);
    Feed({1250, 1250, 0, 0, 0, 0, 0, 0});
    auto dialog = Open();
    Click(*dialog, CChange::kGaugeZeroIds[0]);
    Click(*dialog, ReverseId(2));
    Type(*dialog, ModifiedId(2), QStringLiteral("3"));
    prompter.QueueAnswer(true);
    Click(*dialog, CChange::kAdjustRange);

    Click(*dialog, CChange::kApply);

    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(pub.gaugeZero[0], 0.0f);
    EXPECT_EQ(pub.gaugeZero[1], 0.0f);
    EXPECT_EQ(pub.gaugeOffset[1], 0.0f);
    EXPECT_EQ(pub.gaugeDirection[1], 1);
    EXPECT_FALSE(pub.saveRequested);
    EXPECT_FALSE(pub.rangeAdjustPending);
}

TEST_F(CChangeTest, WizardAppliesZeroTicks) {
    SetRunning(pub, false);
    pub.wizardMode = true;
    Feed({0, 0, 1250, 0, 0, 0, 0, 0});
    auto dialog = Open();
    Click(*dialog, CChange::kGaugeZeroIds[2]);
    Click(*dialog, CChange::kLoadZero);

    Click(*dialog, CChange::kApply);

    EXPECT_EQ(pub.loadZero, 500.0f);
    Feed({0, 0, 1250, 0, 0, 0, 0, 0});
    EXPECT_FLOAT_EQ(pub.run.Live().gaugeValue[2], 0.0f);
    EXPECT_FLOAT_EQ(pub.run.Live().currentLoad, 0.0f);
}

TEST_F(CChangeTest, ChangedGaugesOneToFourAreMarkedWhileLoading) {
    for (const int controlState : {0, 1, 2}) {
        pub.ResetTest();
        pub.run.Post(RunCommands::Start{});
        SetControlState(pub, controlState);
        pub.gaugeOn[5] = 1;
        Feed({1250, 1250, 1250, 1250, 0, 1250, 0, 0});
        auto dialog = Open();
        Type(*dialog, ModifiedId(2), QStringLiteral("1.5"));
        Type(*dialog, ModifiedId(6), QStringLiteral("2"));
        Click(*dialog, ReverseId(3)); // a direction alone is no adjustment

        Click(*dialog, CChange::kApply);

        const bool marking = controlState > 0;
        EXPECT_EQ(pub.gaugeAdjusted[0], false) << controlState;
        EXPECT_EQ(pub.gaugeAdjusted[1], marking) << controlState;
        EXPECT_EQ(pub.gaugeAdjusted[2], false) << controlState;
        EXPECT_EQ(pub.gaugeAdjusted[3], false) << controlState;
        EXPECT_FLOAT_EQ(pub.gaugeOffset[5], 2.0f) << "gauge 6 is set, never marked";
    }
}

TEST_F(CChangeTest, ClosingTheWindowCallsOffARangeAdjustment) {
    auto dialog = Open();
    prompter.QueueAnswer(true);
    Click(*dialog, CChange::kAdjustRange);
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(pub.rangeAdjustPending);
}

} // namespace
