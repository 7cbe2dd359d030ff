#include "ui/panel/PanelDialog.h"

#include "core/data/CPublic.h"
#include "platform/ManualClock.h"
#include "ui/files/CSysTime.h"
#include "ui/files/CXZ.h"
#include "ui/panel/ChineseTexts.h"
#include "ui/panel/PromptBox.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The main window covers the 800 x 600 panel.
class PanelDialogTest : public ::testing::Test {
  protected:
    PanelDialogTest() {
        screen.setWindowFlags(Qt::FramelessWindowHint);
        screen.setGeometry(0, 0, 800, 600);
        screen.show();
    }
    QWidget screen;
};

QString TitleShown(const PanelDialog& dialog) {
    return dialog.findChild<QLabel*>(QStringLiteral("panelTitle"))->text();
}

// Without a window manager a title lives only inside the dialog.
TEST_F(PanelDialogTest, DrawsItsTitleAndFollowsItsChanges) {
    PanelDialog dialog(PanelDialog::Placement::FullScreen, QSize(790, 540), &screen);
    dialog.setWindowTitle(
        QStringLiteral("测试控制                                 文件名： 123456-0001.kvt"));
    EXPECT_EQ(TitleShown(dialog),
              QStringLiteral("测试控制                                 文件名： 123456-0001.kvt"));
    EXPECT_EQ(dialog.TitleBar()->geometry(), QRect(0, 0, 800, PanelDialog::kTitleBarHeight));
    EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(PanelDialogTest, SetupDialogsCoverTheScreenPromptsSitInItsCentre) {
    PanelDialog setup(PanelDialog::Placement::FullScreen, QSize(640, 400), &screen);
    setup.show();
    EXPECT_EQ(setup.geometry(), QRect(0, 0, 800, 600));
    // The controls' area under the bar, centred in the room left.
    EXPECT_EQ(setup.Body()->geometry(), QRect(80, 30 + 85, 640, 400));

    CPublic pub;
    CXZ prompt(pub, QStringLiteral("已加到最大荷载，若卸载请单击确认，然后卸压！"), &screen);
    prompt.show();
    EXPECT_EQ(TitleShown(prompt), QStringLiteral("系统提示"));
    const QRect box = prompt.geometry();
    EXPECT_EQ(box.size(), QSize(460 + 4, 180 + 30 + 4));
    EXPECT_EQ(box.center(), QRect(0, 0, 800, 600).center());
    EXPECT_EQ(prompt.Body()->geometry().topLeft(), QPoint(2, 32));
    prompt.reject();

    ManualClock clock{QDateTime(QDate(2026, 5, 4), QTime(9, 0))};
    CSysTime time(
        pub, clock, [](const QDateTime&) {}, &screen);
    time.show();
    EXPECT_EQ(TitleShown(time), QStringLiteral("系统时间"));
    EXPECT_TRUE(QRect(0, 0, 800, 600).contains(time.geometry()));
}

TEST_F(PanelDialogTest, QuestionsInChineseWithTouchSizedButtons) {
    ASSERT_TRUE(UseChineseTexts(*QCoreApplication::instance())) << "Qt's Chinese translation is missing";
    EXPECT_EQ(QLocale().monthName(1), QStringLiteral("一月"));

    PromptBox question(PromptBox::Kind::Question, QStringLiteral("系统提示"),
                       QStringLiteral("确定结束测试吗？"), &screen);
    question.show();
    EXPECT_EQ(TitleShown(question), QStringLiteral("系统提示"));
    QStringList captions;
    QPushButton* no = nullptr;
    for (QPushButton* button : question.findChildren<QPushButton*>()) {
        captions.append(button->text());
        EXPECT_GE(button->width(), PromptBox::kButtonSize.width()) << button->text().toStdString();
        EXPECT_GE(button->height(), PromptBox::kButtonSize.height()) << button->text().toStdString();
        if (button->text() == QStringLiteral("否"))
            no = button;
    }
    captions.sort();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("否"), QStringLiteral("是")}));
    ASSERT_NE(no, nullptr);
    QTimer::singleShot(0, no, &QPushButton::click);
    EXPECT_EQ(question.exec(), QDialog::Rejected);
    EXPECT_EQ(question.Answer(), QDialogButtonBox::No);

    PromptBox message(PromptBox::Kind::Information, QString(), QStringLiteral("x"), &screen);
    EXPECT_EQ(TitleShown(message), QStringLiteral("系统提示")) << "a message without a title";
    const QList<QPushButton*> ok = message.findChildren<QPushButton*>();
    ASSERT_EQ(ok.size(), 1);
    EXPECT_EQ(ok.front()->text(), QStringLiteral("确定"));
}

} // namespace
