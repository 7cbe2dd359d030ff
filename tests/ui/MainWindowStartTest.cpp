#include "MainWindowFixture.h"

#include "core/data/KVTFile.h"
#include "core/data/ParameterList.h"
#include "ui/app/ControlIds.h"
#include "ui/app/LoadControlSwitches.h"
#include "ui/view/C2DGraph.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>

namespace {

QString Text(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    return {};
}

} // namespace

TEST_F(MainWindowTest, StartsWithDefaultsWhenNoFilesExist) {
    int linkOpens = 0;
    hooks.openLinks = [&] { ++linkOpens; };
    const auto window = Open();

    EXPECT_EQ(window->geometry(), QRect(0, 0, 800, 600));
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("graph"))->geometry(), QRect(415, 78, 385, 387));
    EXPECT_EQ(pub.paramList, DefaultParameterList());
    EXPECT_TRUE(pub.dataFilePath.isEmpty());
    EXPECT_EQ(pub.recordList.size(), 74u);
    EXPECT_EQ(pub.readingCount, 0);
    EXPECT_FALSE(pub.run.View().running);
    EXPECT_FALSE(device.Exists(DeviceFile::kSettings)) << "start-up writes nothing";

    EXPECT_EQ(window->State().clockText, QStringLiteral("09:05:07"));
    EXPECT_EQ(Text(Control(*window, ControlId::clock)), QStringLiteral("09:05:07"));
    EXPECT_EQ(window->State().tableView, 3);
    EXPECT_EQ(window->State().curveView, 1);
    EXPECT_EQ(window->State().fileMode, 0);
    // The title names the table the list shows: the record table of tableView 3.
    EXPECT_EQ(Text(Control(*window, ControlId::tableTitle)), QStringLiteral("数据记录表"));
    const auto* list = qobject_cast<QTableWidget*>(Control(*window, ControlId::tableList));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->horizontalHeaderItem(2)->text(), QStringLiteral("时 间"));
    EXPECT_EQ(Text(Control(*window, ControlId::curveTitle)), QStringLiteral("Q-s 曲线"));

    EXPECT_EQ(pub.run.View().pumpGate, PumpGate::open);
    EXPECT_FALSE(window->Switches().ManualLoadAllowed());
    EXPECT_EQ(ShownSwitches(*window),
              (std::set{ControlId::pumpAllowed, ControlId::loadBlocked, ControlId::manualUnavailable}));
    EXPECT_FALSE(Control(*window, ControlId::manualUnavailable)->isEnabled())
        << "the grey picture is not a button";

    auto* pumpFlow = qobject_cast<QProgressBar*>(Control(*window, ControlId::pumpFlow));
    ASSERT_NE(pumpFlow, nullptr);
    EXPECT_EQ(pumpFlow->minimum(), 0);
    EXPECT_EQ(pumpFlow->maximum(), 255);
    EXPECT_EQ(pumpFlow->value(), 0);

    EXPECT_EQ(linkOpens, 1);
}

TEST_F(MainWindowTest, ClockFollowsTheTimer) {
    const auto window = Open();
    clock.AdvanceMs(3 * 3600 * 1000 + 61 * 1000);
    window->OnTimer();
    EXPECT_EQ(Text(Control(*window, ControlId::clock)), QStringLiteral("12:06:08"));
}

TEST_F(MainWindowTest, RestoresTheTestNamedInTheSettings) {
    StoreRunningTest();
    int readingsWhenLinksOpen = -1;
    hooks.openLinks = [&] { readingsWhenLinksOpen = pub.readingCount; };
    const auto window = Open();

    EXPECT_EQ(pub.dataFilePath, kTestFile);
    EXPECT_EQ(pub.recordList.size(), 74u);
    EXPECT_EQ(pub.readingCount, 3);
    EXPECT_EQ(pub.recordList[1].load, 200);
    EXPECT_TRUE(pub.run.View().running) << "a test interrupted by a restart carries on";
    EXPECT_EQ(pub.run.View().controlState, ControlState::Loading);
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 200.0f);
    EXPECT_FALSE(pub.wizardMode);
    EXPECT_EQ(window->State().tableView, 3);
    EXPECT_EQ(Text(Control(*window, ControlId::tableTitle)), QStringLiteral("数据记录表"));
    // The record table lists the three readings.
    EXPECT_EQ(ListRows(*window), 3);
    EXPECT_EQ(ListCell(*window, 2, 2), QStringLiteral("09:05"));
    // The curve shows them too: the origin and the newest reading at 200 kN.
    const auto* graph = window->findChild<C2DGraph*>(QStringLiteral("graph"));
    ASSERT_NE(graph, nullptr);
    ASSERT_GE(graph->Curves().loadPoints.size(), 2u);
    EXPECT_EQ(graph->Curves().loadPoints.back().x, 200);

    // The restored test waits for the operator to release the pump.
    EXPECT_EQ(pub.run.View().pumpGate, PumpGate::closed);
    EXPECT_EQ(ShownSwitches(*window),
              (std::set{ControlId::pumpProhibited, ControlId::loadBlocked, ControlId::manualUnavailable}));

    EXPECT_EQ(readingsWhenLinksOpen, 3) << "the links start after the test is restored";
}

TEST_F(MainWindowTest, AResumedTestSaysThePumpWaitsForTheOperator) {
    StoreRunningTest();
    const auto window = Open();
    const QString notice = QStringLiteral("测试已恢复,油泵禁止,单击油泵允许后继续控载!");
    window->RefreshLivePanel();
    EXPECT_EQ(Text(Control(*window, ControlId::messageLine)), notice);

    qobject_cast<QAbstractButton*>(Control(*window, ControlId::pumpProhibited))->click();
    window->RefreshLivePanel();
    EXPECT_EQ(pub.run.View().pumpGate, PumpGate::open);
    EXPECT_EQ(Text(Control(*window, ControlId::messageLine)), QString());
}

// The alarm check empties the alarm line every second; how start-up restored
// the lost settings stays on the message line until the operator acts.
TEST_F(MainWindowTest, TheSettingsRecoveryStaysOnTheMessageLine) {
    StoreRunningTest();
    device.Write(DeviceFile::kSettings, QByteArray(10, '\0')); // torn; the copy is whole
    const auto window = Open();
    const QString restored = QStringLiteral("参数文件损坏,已从备份恢复!");
    for (int tick = 0; tick < 3; ++tick) {
        engine.ScheduleTick();
        window->RefreshLivePanel();
        EXPECT_EQ(Text(Control(*window, ControlId::messageLine)), restored) << "tick " << tick;
    }
    qobject_cast<QAbstractButton*>(Control(*window, ControlId::pumpProhibited))->click();
    window->RefreshLivePanel();
    EXPECT_EQ(Text(Control(*window, ControlId::messageLine)), QString());
}

TEST_F(MainWindowTest, PausedStateComesFromEntry70) {
    const struct {
        float entry;
        bool paused;
    } cases[] = {{0.0f, false}, {1.0f, true}, {0.5f, false}, {2.0f, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        StoreRunningTest(c.entry);
        const auto window = Open();
        EXPECT_EQ(pub.run.View().pausedFlag, c.paused);
    }
}

TEST_F(MainWindowTest, KeepsTheBlankTestWhenTheNamedFileIsGone) {
    ParameterList list = DefaultParameterList();
    list[Entry::stageStep] = 150;
    ASSERT_TRUE(device.Files().SaveSettings(kTestFile, list));
    const auto window = Open();

    EXPECT_EQ(pub.dataFilePath, kTestFile) << "the path stays for the next start";
    EXPECT_EQ(pub.paramList, list);
    EXPECT_EQ(pub.recordList.size(), 74u);
    EXPECT_EQ(pub.readingCount, 0);
    EXPECT_FALSE(pub.run.View().running);
    EXPECT_EQ(pub.run.View().pumpGate, PumpGate::open);
    EXPECT_EQ(ListRows(*window), 0);
}

// Nothing told a demonstration on the simulated rig from a real test.
TEST_F(MainWindowTest, MarksTheSimulatedRigAndItsPace) {
    const struct {
        bool simulated;
        double timeScale;
        QString mark; // empty: no mark shown
    } cases[] = {
        {false, 1.0, {}},
        {true, 1.0, QStringLiteral("模拟")},
        {true, 60.0, QStringLiteral("模拟\n×60")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.timeScale);
        options.simulated = c.simulated;
        options.timeScale = c.timeScale;
        const auto window = Open();
        const auto* mark = window->findChild<QLabel*>(QStringLiteral("simulationMark"));
        ASSERT_NE(mark, nullptr);
        EXPECT_EQ(mark->isVisibleTo(window.get()), !c.mark.isEmpty());
        if (!c.mark.isEmpty()) {
            EXPECT_EQ(mark->text(), c.mark);
        }
    }
}
