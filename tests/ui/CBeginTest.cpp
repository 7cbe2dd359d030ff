#include "ui/engine/CBegin.h"
#include "support/RunStateSetup.h"

#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"
#include "core/data/ParameterRows.h"
#include "core/engine/TestEngine.h"
#include "platform/ManualClock.h"
#include "support/GprsStates.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDevice.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

constexpr int kButtons[] = {CBegin::kStart,      CBegin::kEnd,           CBegin::kPause,
                            CBegin::kResume,     CBegin::kManualReading, CBegin::kLoadNext,
                            CBegin::kUnloadNext, CBegin::kZeroSettings,  CBegin::kModuleTest};

class CBeginTest : public ::testing::Test {
  protected:
    CBeginTest() {
        pub.paramList = DefaultParameterList();
        KVTFile::BuildBlankRecords(pub);
        pub.dataFilePath = QStringLiteral("\\硬盘\\APP\\123456-0001.kvt");
    }

    std::unique_ptr<CBegin> Open() {
        auto dialog = std::make_unique<CBegin>(CBegin::Services{
            .pub = pub,
            .engine = engine,
            .files = device.Files(),
            .prompter = prompter,
            .openSystemTime = [this] { ++systemTimeOpened; },
            .openZeroSettings = [this] { ++zeroSettingsOpened; },
        });
        dialog->show();
        return dialog;
    }

    QPushButton* Button(const CBegin& dialog, int id) {
        auto* button = dialog.findChild<QPushButton*>(QString::number(id));
        EXPECT_NE(button, nullptr) << id;
        return button;
    }
    QCheckBox* Check(const CBegin& dialog, int id) {
        return dialog.findChild<QCheckBox*>(QString::number(id));
    }

    // Ids of the enabled buttons among those whose enabling depends on the test.
    std::set<int> Enabled(const CBegin& dialog) {
        std::set<int> enabled;
        for (const int id : kButtons)
            if (Button(dialog, id)->isEnabled())
                enabled.insert(id);
        return enabled;
    }

    void PrepareTest() {
        WriteParameterText(pub, ParameterText::serialNumber, "123456");
        SetFieldText(pub.recordList[8].textValue, "0001");
    }

    TempDevice device;
    ManualClock clock{QDateTime(QDate(2026, 5, 4), QTime(9, 0))};
    ScriptedPrompter prompter;
    CPublic pub;
    TestEngine engine{pub, device.Files(), clock};
    int systemTimeOpened = 0;
    int zeroSettingsOpened = 0;
};

TEST_F(CBeginTest, ButtonsFollowTheRunState) {
    struct Case {
        const char* name;
        bool running;
        bool paused;
        int controlState;
        float targetLoad;
        bool finished;
        std::set<int> enabled;
    };
    using B = CBegin;
    const Case cases[] = {
        {"no test, no control load", false, false, 0, 0, false, {B::kZeroSettings, B::kModuleTest}},
        {"no test, control load set",
         false,
         false,
         0,
         200,
         false,
         {B::kStart, B::kZeroSettings, B::kModuleTest}},
        {"running, waiting for the load", true, false, 0, 200, false, {B::kEnd, B::kPause, B::kZeroSettings}},
        {"running, loading",
         true,
         false,
         1,
         200,
         false,
         {B::kEnd, B::kPause, B::kZeroSettings, B::kManualReading, B::kLoadNext}},
        {"running, unloading",
         true,
         false,
         5,
         400,
         false,
         {B::kEnd, B::kPause, B::kZeroSettings, B::kManualReading, B::kUnloadNext}},
        {"running, unloaded to zero",
         true,
         false,
         6,
         0,
         false,
         {B::kEnd, B::kPause, B::kZeroSettings, B::kManualReading}},
        {"paused", true, true, 2, 400, false, {B::kResume, B::kZeroSettings}},
        {"paused after a restart",
         false,
         true,
         2,
         400,
         false,
         {B::kResume, B::kZeroSettings, B::kModuleTest}},
        {"ended by itself", false, false, 0, 0, true, {B::kEnd}},
    };
    for (const Case& c : cases) {
        SetRunning(pub, c.running);
        SetPaused(pub, c.paused);
        SetControlState(pub, c.controlState);
        pub.run.Post(RunCommands::SetTarget{c.targetLoad});
        pub.testFinished = c.finished;
        auto dialog = Open();
        EXPECT_EQ(Enabled(*dialog), c.enabled) << c.name;
        EXPECT_TRUE(Button(*dialog, CBegin::kExit)->isEnabled()) << c.name;
        EXPECT_TRUE(Button(*dialog, CBegin::kSystemTime)->isEnabled()) << c.name;
    }
}

// "开始测试" stays disabled while the control load is 0; the dialog says why
// and where it is set, and says nothing when the button is disabled for
// another reason.
TEST_F(CBeginTest, ADisabledStartForWantOfAControlLoadSaysWhy) {
    // The hint names where the control load can be entered now: the wizard's
    // 控载设置, or, outside the wizard (an ended test shown after a restart), a new test.
    const char* const inTheWizard = "控制荷载为0，不能开始测试！请在“控载设置”中输入控制荷载。";
    const char* const newTest = "控制荷载为0，不能开始测试！请在“新试桩”中设置控制荷载。";
    const struct {
        const char* name;
        bool running;
        bool paused;
        float targetLoad;
        bool finished;
        bool wizard;
        const char* hint; // none: not shown
    } cases[] = {
        {"wizard, no control load", false, false, 0, false, true, inTheWizard},
        {"ended test restored, no control load", false, false, 0, false, false, newTest},
        {"no test, control load set", false, false, 200, false, true, nullptr},
        {"running", true, false, 0, false, false, nullptr},
        {"paused after a restart", false, true, 0, false, false, nullptr},
        {"ended by itself", false, false, 0, true, true, nullptr},
    };
    for (const auto& c : cases) {
        SetRunning(pub, c.running);
        SetPaused(pub, c.paused);
        pub.run.Post(RunCommands::SetTarget{c.targetLoad});
        pub.testFinished = c.finished;
        pub.wizardMode = c.wizard;
        auto dialog = Open();
        const auto* hint = dialog->findChild<QLabel*>(QStringLiteral("startHint"));
        ASSERT_NE(hint, nullptr) << c.name;
        EXPECT_EQ(hint->isVisible(), c.hint != nullptr) << c.name;
        if (c.hint) {
            EXPECT_FALSE(Button(*dialog, CBegin::kStart)->isEnabled()) << c.name;
            EXPECT_EQ(hint->text(), QString::fromUtf8(c.hint)) << c.name;
        }
    }
}

TEST_F(CBeginTest, TitleNamesTheTestFile) {
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("测试控制") + QString(33, QLatin1Char(' ')) +
                                         QStringLiteral("文件名： 123456-0001.kvt"));
}

TEST_F(CBeginTest, StartRefusedBeforeANewTestWasSetUp) {
    pub.run.Post(RunCommands::SetTarget{200});
    auto dialog = Open();
    Button(*dialog, CBegin::kStart)->click();
    ASSERT_EQ(prompter.ShownPrompts().size(), 1u);
    EXPECT_EQ(prompter.ShownPrompts()[0].text, "新试桩之后才能开始测试!");
    EXPECT_FALSE(pub.run.View().running);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(CBeginTest, StartRunsThePreparedTest) {
    PrepareTest();
    pub.run.Post(RunCommands::SetTarget{200});
    pub.wizardMode = true;
    auto dialog = Open();
    Check(*dialog, CBegin::kUploadAtReading)->click(); // off
    Button(*dialog, CBegin::kStart)->click();
    EXPECT_TRUE(prompter.ShownPrompts().empty());
    EXPECT_TRUE(pub.run.View().running);
    EXPECT_FALSE(pub.wizardMode);
    EXPECT_EQ(ParameterAt(pub.paramList, Entry::uploadOff), 1.0f);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(CBeginTest, QuestionsAnsweredNoChangeNothing) {
    struct Case {
        int button;
        const char* question;
    };
    const Case cases[] = {
        {CBegin::kEnd, "确定结束当前测试？"},
        {CBegin::kPause, "确定暂停测试？"},
        {CBegin::kLoadNext, "确认加载下一级？"},
        {CBegin::kUnloadNext, "确认卸载下一级？"},
    };
    for (const Case& c : cases) {
        pub.run.Post(RunCommands::Start{});
        SetControlState(pub, c.button == CBegin::kUnloadNext ? 6 : 2);
        pub.run.Post(RunCommands::SetTarget{400});
        pub.stageStep = 100;
        auto dialog = Open();
        prompter.QueueAnswer(false);
        Button(*dialog, c.button)->click();

        ASSERT_FALSE(prompter.ShownPrompts().empty());
        EXPECT_EQ(prompter.ShownPrompts().back().kind, ScriptedPrompter::Kind::Question);
        EXPECT_EQ(prompter.ShownPrompts().back().text, QString::fromUtf8(c.question));
        EXPECT_TRUE(pub.run.View().running) << c.question;
        EXPECT_FALSE(pub.run.View().pausedFlag) << c.question;
        EXPECT_EQ(pub.run.View().controlState,
                  c.button == CBegin::kUnloadNext ? ControlState::HoldingUnload : ControlState::Holding)
            << c.question;
        EXPECT_EQ(pub.run.View().targetLoad, 400.0f) << c.question;
        EXPECT_TRUE(dialog->isVisible()) << c.question;
    }
    EXPECT_EQ(prompter.UnscriptedQuestions(), 0);
}

TEST_F(CBeginTest, UnloadNextAnsweredYesStepsTheTargetDown) {
    pub.run.Post(RunCommands::Start{});
    pub.run.Post(RunCommands::Enter{ControlState::HoldingUnload});
    pub.standardCode = 5;
    pub.run.Post(RunCommands::SetTarget{400});
    pub.stageStep = 100;
    auto dialog = Open();
    prompter.QueueAnswer(true);
    Button(*dialog, CBegin::kUnloadNext)->click();
    EXPECT_EQ(prompter.ShownPrompts().back().text, "确认卸载下一级？");
    EXPECT_EQ(pub.run.View().controlState, ControlState::Unloading);
    EXPECT_EQ(pub.run.View().targetLoad, 200.0f);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(CBeginTest, EndAnsweredYesTellsTheEnd) {
    pub.run.Post(RunCommands::Start{});
    pub.run.Post(RunCommands::Enter{ControlState::Holding});
    auto dialog = Open();
    prompter.QueueAnswer(true);
    Button(*dialog, CBegin::kEnd)->click();
    ASSERT_FALSE(prompter.ShownPrompts().empty());
    EXPECT_EQ(prompter.ShownPrompts().back().kind, ScriptedPrompter::Kind::Information);
    EXPECT_EQ(prompter.ShownPrompts().back().text, QStringLiteral("测试已结束!"));
    EXPECT_FALSE(pub.run.View().running);
}

TEST_F(CBeginTest, UploadCheckBoxesSetTheOffEntriesAndSave) {
    pub.paramList[Entry::uploadOff] = 0.0f;
    pub.paramList[Entry::realTimeSendOff] = 0.0f;
    auto dialog = Open();
    QCheckBox* atReading = Check(*dialog, CBegin::kUploadAtReading);
    QCheckBox* realTime = Check(*dialog, CBegin::kRealTimeSend);
    ASSERT_TRUE(atReading && realTime);
    EXPECT_TRUE(atReading->isChecked());
    EXPECT_TRUE(realTime->isChecked());

    atReading->click();
    EXPECT_FALSE(realTime->isChecked());
    EXPECT_FALSE(realTime->isEnabled());
    EXPECT_FALSE(Button(*dialog, CBegin::kModuleTest)->isEnabled());
    EXPECT_EQ(pub.paramList[Entry::uploadOff], 1.0f);
    EXPECT_EQ(pub.paramList[Entry::realTimeSendOff], 1.0f);

    atReading->click();
    EXPECT_TRUE(realTime->isEnabled());
    EXPECT_FALSE(realTime->isChecked());
    realTime->click();
    EXPECT_EQ(pub.paramList[Entry::uploadOff], 0.0f);
    EXPECT_EQ(pub.paramList[Entry::realTimeSendOff], 0.0f);

    QString savedPath;
    ParameterList saved;
    ASSERT_TRUE(device.Files().LoadSettings(savedPath, saved));
    EXPECT_EQ(saved[Entry::uploadOff], 0.0f);
    EXPECT_EQ(saved[Entry::realTimeSendOff], 0.0f);
}

TEST_F(CBeginTest, ModuleTestNeedsASerialNumber) {
    pub.paramList[Entry::uploadOff] = 0.0f;
    auto dialog = Open();
    Button(*dialog, CBegin::kModuleTest)->click();
    ASSERT_EQ(prompter.ShownPrompts().size(), 1u);
    EXPECT_EQ(prompter.ShownPrompts()[0].text, "必须输入流水号后才能进行GPRS测试!");
    EXPECT_FALSE(Button(*dialog, CBegin::kModuleTest)->isEnabled());
}

TEST_F(CBeginTest, ModuleTestReportsTheGprsState) {
    struct Case {
        int state;
        const char* message;
    };
    const Case cases[] = {
        {3, "模块未登记！请先登记模块!"},
        {4, "测试模块成功!"},
        {6, "测试模块失败！请检查远传设备!"},
    };
    PrepareTest();
    pub.paramList[Entry::uploadOff] = 0.0f;
    for (const Case& c : cases) {
        pub.gprs.ResetLink();
        auto dialog = Open();
        auto* progress = dialog->findChild<QLabel*>(QString::number(CBegin::kModuleTestProgress));
        Button(*dialog, CBegin::kModuleTest)->click();
        EXPECT_EQ(progress->text(), "模 块 正 在 测 试，请 等 待 ！");
        EXPECT_FALSE(Button(*dialog, CBegin::kModuleTest)->isEnabled());

        const std::size_t before = prompter.ShownPrompts().size();
        DriveGprsState(pub.gprs, c.state);
        QElapsedTimer waited;
        waited.start();
        while (prompter.ShownPrompts().size() == before && waited.elapsed() < 2000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);

        ASSERT_EQ(prompter.ShownPrompts().size(), before + 1) << c.state;
        EXPECT_EQ(prompter.ShownPrompts().back().text, QString::fromUtf8(c.message));
        EXPECT_EQ(pub.gprs.State(), GprsLink::kIdle);
        EXPECT_TRUE(progress->text().isEmpty());
        EXPECT_TRUE(Button(*dialog, CBegin::kModuleTest)->isEnabled());
    }
}

TEST_F(CBeginTest, TimeAndZeroButtonsOpenTheirDialogsAndStayOpen) {
    auto dialog = Open();
    Button(*dialog, CBegin::kSystemTime)->click();
    Button(*dialog, CBegin::kZeroSettings)->click();
    EXPECT_EQ(systemTimeOpened, 1);
    EXPECT_EQ(zeroSettingsOpened, 1);
    EXPECT_TRUE(dialog->isVisible());
}

} // namespace
