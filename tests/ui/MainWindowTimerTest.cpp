#include "MainWindowFixture.h"
#include "support/RunStateSetup.h"

#include "core/data/CFormat.h"
#include "core/data/KVTFile.h"
#include "ui/app/ControlIds.h"
#include "ui/app/ToolbarCommands.h"
#include "ui/view/C2DGraph.h"

#include <QAbstractButton>
#include <QAction>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>

#include <cstring>
#include <string>

namespace {

QString Title(const CMainDlg& window, int controlId) {
    return window.findChild<QLabel*>(QString::number(controlId))->text();
}

} // namespace

TEST_F(MainWindowTest, SaveRequestWritesTheRunStateAndTheCurrentRow) {
    StoreRunningTest();
    const auto window = Open();
    pub.run.Post(RunCommands::SetTarget{350});
    Record& current = pub.recordList[3];
    std::memcpy(current.clock, "09:10", 5);
    current.load = 123;
    pub.saveRequested = true;

    window->OnTimer();

    EXPECT_FALSE(pub.saveRequested);
    std::vector<Record> rows;
    ASSERT_TRUE(device.Files().ReadDataFile(kTestFile, rows));
    ASSERT_EQ(rows.size(), 74u);
    EXPECT_EQ(FieldText(rows[4].textValue2), QByteArray("350.00"));
    EXPECT_EQ(FieldText(rows[31].textValue2), QByteArray("3"));
    EXPECT_EQ(rows[3].load, 123);
    EXPECT_EQ(QByteArray(rows[3].clock, 5), QByteArray("09:10"));
}

TEST_F(MainWindowTest, NoSaveWithoutARequest) {
    StoreRunningTest();
    const QByteArray before = device.Read(kTestFile);
    const auto window = Open();
    pub.run.Post(RunCommands::SetTarget{350});
    pub.recordList[3].load = 123;
    window->OnTimer();
    EXPECT_EQ(device.Read(kTestFile), before);
}

TEST_F(MainWindowTest, ChangedViewsAreRedrawnOnTheNextTick) {
    StoreRunningTest();
    const auto window = Open();
    ASSERT_EQ(ListCell(*window, 1, 1), QStringLiteral("200"));
    pub.recordList[1].load = 250; // as a setup dialog might change what is shown
    window->OnTimer();
    EXPECT_EQ(ListCell(*window, 1, 1), QStringLiteral("200")) << "not redrawn without a reason";
    pub.viewDirty = true;
    window->OnTimer();
    EXPECT_EQ(ListCell(*window, 1, 1), QStringLiteral("250"));
    EXPECT_FALSE(pub.viewDirty);
}

TEST_F(MainWindowTest, LiveRecordOncePerMinuteWhileUploadingLive) {
    const struct {
        bool running;
        float uploadOff;
        float realTimeSendOff;
        int records; // in 150 ticks
    } cases[] = {
        {true, 0, 0, 2},
        {true, 1, 0, 0},
        {true, 0, 1, 0},
        {false, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.running << " " << c.uploadOff << " " << c.realTimeSendOff);
        int records = 0;
        hooks.queueLiveRecord = [&] { ++records; };
        const auto window = Open();
        SetRunning(pub, c.running);
        pub.paramList[Entry::uploadOff] = c.uploadOff;
        pub.paramList[Entry::realTimeSendOff] = c.realTimeSendOff;
        for (int tick = 1; tick <= 150; ++tick) {
            window->OnTimer();
            if (tick == 59) {
                EXPECT_EQ(records, 0) << "not before the 60th second";
            }
        }
        EXPECT_EQ(records, c.records);
        EXPECT_EQ(window->State().liveUploadTicks, c.records > 0 ? 30 : 0);
    }
}

TEST_F(MainWindowTest, RequestedFileOpensForReviewOnTheNextTick) {
    StoreRunningTest();
    // Start on a blank test: the settings name no data file.
    ASSERT_TRUE(device.Files().SaveSettings(QString(), DefaultParameterList()));
    const auto reviewing = Open();
    ASSERT_EQ(pub.readingCount, 0);
    // As the file manager leaves it.
    pub.dataFilePath = kTestFile;
    reviewing->State().fileMode = 2;
    reviewing->State().fileChosen = true;
    reviewing->State().fileOpenRequested = true;
    reviewing->State().tableView = 1;
    reviewing->State().curveView = 2;

    reviewing->OnTimer();

    EXPECT_FALSE(reviewing->State().fileOpenRequested);
    EXPECT_EQ(pub.readingCount, 3);
    EXPECT_FALSE(pub.run.View().running) << "a stored test is shown, not continued";
    EXPECT_EQ(reviewing->State().tableView, 3);
    EXPECT_EQ(reviewing->State().curveView, 1);
    EXPECT_EQ(Title(*reviewing, ControlId::tableTitle), QStringLiteral("数据记录表"));
    EXPECT_EQ(Title(*reviewing, ControlId::curveTitle), QStringLiteral("Q-s 曲线"));
    EXPECT_EQ(ListRows(*reviewing), 3);
    EXPECT_FALSE(Command(*reviewing, CommandId::testControl)->isEnabled());
}

// 'T' taps the clock, '.' is one timer tick.
TEST_F(MainWindowTest, DoubleTapOnTheClockOpensTheTimeDialog) {
    const struct {
        const char* taps;
        int opens;
    } cases[] = {
        {".TT", 1},    // two taps within a second
        {".T.T", 1},   // one tick between them
        {".T..T", 0},  // two ticks between them: too slow
        {".TTT", 1},   // the third tap starts a new count
        {".TTTT", 1},  // right after opening, the count needs a tick first
        {".TT.TT", 2}, // and then a double tap opens it again
        {"TT", 0},     // before the first tick
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.taps);
        int opens = 0;
        hooks.openSystemTimeDialog = [&] { ++opens; };
        const auto window = Open();
        auto* clockField = qobject_cast<QAbstractButton*>(Control(*window, ControlId::clock));
        ASSERT_NE(clockField, nullptr);
        for (const char step : std::string(c.taps)) {
            if (step == 'T')
                clockField->click();
            else
                window->OnTimer();
        }
        EXPECT_EQ(opens, c.opens);
    }
}

// At 60x the ticks come every 16 ms: counted in ticks, the double-tap window
// closed before a finger could tap again and "系统时间" could not be opened.
TEST_F(MainWindowTest, DoubleTapKeepsRealTimeOnAnAcceleratedClock) {
    int opens = 0;
    hooks.openSystemTimeDialog = [&] { ++opens; };
    options.timeScale = 60;
    const auto window = Open();
    auto* clockField = qobject_cast<QAbstractButton*>(Control(*window, ControlId::clock));
    ASSERT_NE(clockField, nullptr);
    QEventLoop realSecond;
    QTimer::singleShot(1100, &realSecond, &QEventLoop::quit);
    realSecond.exec();
    clockField->click();
    for (int tick = 0; tick < 60; ++tick) // one real second of ticks
        window->OnTimer();
    clockField->click();
    EXPECT_EQ(opens, 1);
}

TEST_F(MainWindowTest, ThirdTapAfterOpeningCountsAsTheFirst) {
    const auto window = Open();
    auto* clockField = qobject_cast<QAbstractButton*>(Control(*window, ControlId::clock));
    window->OnTimer();
    clockField->click();
    clockField->click();
    EXPECT_EQ(window->ClockTap().ClockClicks(), 0);
    clockField->click();
    EXPECT_EQ(window->ClockTap().ClockClicks(), 1);
}

TEST_F(MainWindowTest, ViewCommandsCycleTheViewsAndTheirTitles) {
    const struct {
        bool loadInKN;
        const char* curveTitles[3]; // after one, two and three presses
    } cases[] = {
        {true, {"s-lgQ 曲线", "s-lgt 曲线", "Q-s 曲线"}},
        {false, {"s-lgp 曲线", "s-lgt 曲线", "p-s 曲线"}},
    };
    const char* tableTitles[3] = {"数据汇总表", "荷载沉降表", "数据记录表"};
    const char* fourthColumns[3] = {"累计沉降", "位 移", "1#表"}; // tells the three tables apart
    for (const auto& c : cases) {
        SCOPED_TRACE(c.loadInKN);
        const auto window = Open();
        pub.loadInKN = c.loadInKN;
        for (int press = 0; press < 3; ++press) {
            Command(*window, CommandId::nextTable)->trigger();
            Command(*window, CommandId::nextCurve)->trigger();
            EXPECT_EQ(window->State().tableView, press + 1);
            EXPECT_EQ(window->State().curveView, (press + 1) % 3 + 1);
            EXPECT_EQ(Title(*window, ControlId::tableTitle), QString::fromUtf8(tableTitles[press]));
            EXPECT_EQ(Title(*window, ControlId::curveTitle), QString::fromUtf8(c.curveTitles[press]));
            const QStringList columns = ListColumns(*window);
            ASSERT_GE(columns.size(), 4);
            EXPECT_EQ(columns[1], c.loadInKN ? QStringLiteral("荷载(kN)") : QStringLiteral("荷载(kPa)"));
            EXPECT_EQ(columns[3], QString::fromUtf8(fourthColumns[press]));
            const auto* graph = window->findChild<C2DGraph*>(QStringLiteral("graph"));
            ASSERT_NE(graph, nullptr);
            EXPECT_EQ(graph->Curves().curveMode, window->State().curveView);
            EXPECT_EQ(graph->Curves().loadInKN, c.loadInKN);
        }
    }
}
