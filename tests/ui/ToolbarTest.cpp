#include "MainWindowFixture.h"
#include "support/RunStateSetup.h"

#include "ui/app/ToolbarCommands.h"

#include <QAction>
#include <QToolBar>

using namespace CommandId;

TEST_F(MainWindowTest, ToolbarHoldsTheCommandsInOrderWithSeparators) {
    const auto window = Open();
    auto* toolbar = window->findChild<QToolBar*>();
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(toolbar->geometry(), QRect(1, 1, 800, 50));

    QStringList layout;
    for (const QAction* action : toolbar->actions())
        layout << (action->isSeparator() ? QStringLiteral("|") : action->objectName() + action->text());
    EXPECT_EQ(
        layout.join(QLatin1Char(' ')),
        QStringLiteral("32771新试桩 32772打开文件 | 32773通道设置 32774测试设置 32775控载设置 32776规范选择 "
                       "32777测试控制 | 32778数据设置 | 32779表格选择 32780曲线选择 | 32781率定数据 "
                       "32786系统标定 | 32782数据导出 32783软件升级"));
    for (const QAction* action : toolbar->actions()) {
        if (!action->isSeparator()) {
            EXPECT_EQ(toolbar->widgetForAction(const_cast<QAction*>(action))->size(), QSize(48, 48));
        }
    }
}

TEST_F(MainWindowTest, ToolbarEnablingFollowsTheTestState) {
    const struct {
        const char* name;
        bool running;
        bool paused;
        int fileMode;
        std::set<int> disabled;
    } cases[] = {
        {"idle", false, false, 0, {}},
        {"running", true, false, 0, {newTest, openFile, jackCalibration, systemCalibration, softwareUpgrade}},
        {"paused", false, true, 0, {openFile, jackCalibration, systemCalibration, softwareUpgrade}},
        {"running and paused",
         true,
         true,
         0,
         {newTest, openFile, jackCalibration, systemCalibration, softwareUpgrade}},
        {"exporting", false, false, 1, {}},
        {"viewing a stored file",
         false,
         false,
         2,
         {channelSettings, testSettings, loadControlSettings, standardSelection, testControl, zeroSettings,
          exportData}},
        {"viewing while running",
         true,
         false,
         2,
         {newTest, openFile, jackCalibration, systemCalibration, channelSettings, testSettings,
          loadControlSettings, standardSelection, testControl, zeroSettings, exportData, softwareUpgrade}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto window = Open();
        SetRunning(pub, c.running);
        SetPaused(pub, c.paused);
        window->State().fileMode = c.fileMode;
        window->OnTimer();
        for (const ToolbarCommand& command : kToolbarCommands)
            EXPECT_EQ(Command(*window, command.id)->isEnabled(), !c.disabled.contains(command.id))
                << command.id;
    }
}

TEST_F(MainWindowTest, ToolbarEnablingReturnsWhenTheTestStops) {
    const auto window = Open();
    pub.run.Post(RunCommands::Start{});
    window->OnTimer();
    ASSERT_FALSE(Command(*window, newTest)->isEnabled());
    SetRunning(pub, false);
    window->OnTimer();
    EXPECT_TRUE(Command(*window, newTest)->isEnabled());
    EXPECT_TRUE(Command(*window, openFile)->isEnabled());
}
