#include "ui/files/CXZ.h"

#include "core/data/CPublic.h"
#include "core/engine/TestEngine.h"
#include "platform/ManualClock.h"
#include "support/TempDevice.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <optional>

#include <gtest/gtest.h>

namespace {

class CXZTest : public ::testing::Test {
  protected:
    CXZTest() {
        pub.standardCode = 0;
        pub.stageStep = 100;
        pub.maxLoad = 1000;
        pub.run.Post(RunCommands::SetTarget{800});
        pub.run.Post(RunCommands::Enter{ControlState::Stable});
    }
    TempDevice device;
    ManualClock clock{QDateTime(QDate(2026, 5, 4), QTime(9, 0))};
    CPublic pub;
};

TEST_F(CXZTest, LooksLikeThePrompt) {
    CXZ prompt(pub, QStringLiteral("x"));
    EXPECT_EQ(prompt.windowTitle(), "系统提示");
    auto* message = prompt.findChild<QLabel*>("1051");
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(message->font().pixelSize(), 15);
    auto* ok = prompt.findChild<QPushButton*>("1049");
    auto* cancel = prompt.findChild<QPushButton*>("1050");
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->text(), "确定");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(cancel->text(), "取消");
}

TEST_F(CXZTest, AnswersReachTheRunStateThroughTheEngine) {
    struct Case {
        bool doubleCircuit;
        int button;
        const char* text;
        int state;
        float target;
    };
    const Case cases[] = {
        {false, CXZ::kOk, "已加到最大荷载，若卸载请单击确认，然后卸压！", 5, 500},
        {true, CXZ::kOk, "已加到最大荷载，若卸载请先油路换向！然后单击确认", 5, 500},
        {false, CXZ::kCancel, "已加到最大荷载，若卸载请单击确认，然后卸压！", 2, 800},
    };
    for (const Case& c : cases) {
        pub.doubleCircuitJack = c.doubleCircuit;
        pub.run.Post(RunCommands::SetTarget{800});
        pub.run.Post(RunCommands::Enter{ControlState::Stable});
        TestEngine engine(pub, device.Files(), clock);
        std::optional<bool> answer;
        CXZ* prompt = OfferUnloadAtMaxLoad(pub, engine.MaxLoadPromptText(), nullptr, [&](bool unload) {
            answer = unload;
            if (unload)
                engine.ConfirmUnloading();
            else
                engine.KeepLoad();
        });
        const QString shownText = prompt->findChild<QLabel*>(QString::number(CXZ::kMessage))->text();
        const bool openWhileShown = pub.maxLoadPromptOpen;
        EXPECT_TRUE(prompt->isVisible());
        EXPECT_FALSE(answer) << "the prompt returns before the operator answers";
        prompt->findChild<QPushButton*>(QString::number(c.button))->click();
        const bool unload = answer.value_or(c.button != CXZ::kOk);
        EXPECT_TRUE(openWhileShown);
        EXPECT_EQ(shownText, QString::fromUtf8(c.text));
        EXPECT_EQ(unload, c.button == CXZ::kOk);
        EXPECT_EQ(StoredCode(pub.run.View().controlState), c.state);
        EXPECT_EQ(pub.run.View().targetLoad, c.target);
        EXPECT_FALSE(pub.maxLoadPromptOpen);
    }
}

} // namespace
