#include "MainWindowFixture.h"

#include "core/data/KVTFile.h"
#include "core/view/LevelSummary.h"
#include "core/view/SettlementRows.h"
#include "core/view/TableViews.h"
#include "ui/app/ControlIds.h"
#include "ui/app/ToolbarCommands.h"
#include "ui/files/COpen.h"
#include "ui/view/C2DGraph.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

namespace {

using MainWindowFileManagerTest = MainWindowTest;

const QString kStored = QStringLiteral("\\硬盘\\APP\\654321-0007.kvt");

// Does `act` with the file manager once it is on screen, then closes it.
void WithFileManager(const std::function<void(COpen&)>& act, QString& title) {
    QTimer::singleShot(0, [act, &title] {
        auto* dialog = qobject_cast<COpen*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        act(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

TEST_F(MainWindowFileManagerTest, TheTwoCommandsOpenTheFileManagerInTheirModes) {
    const struct {
        int command;
        const char* title;
        int fileModeWhileOpen;
        int fileModeAfter; // left without choosing a file
    } table[] = {
        {CommandId::openFile, "打开文件", 2, 0},
        {CommandId::exportData, "数据导出", 1, 1},
    };
    const auto window = Open();
    for (const auto& row : table) {
        QString title;
        int modeWhileOpen = -1;
        WithFileManager([&](COpen&) { modeWhileOpen = window->State().fileMode; }, title);
        Command(*window, row.command)->trigger();
        EXPECT_EQ(title, QString::fromUtf8(row.title));
        EXPECT_EQ(modeWhileOpen, row.fileModeWhileOpen) << row.title;
        EXPECT_EQ(window->State().fileMode, row.fileModeAfter) << row.title;
    }
}

// A whole simulated pile test, stored as the program wrote it, opened from
// the file manager on a blank instrument.
TEST_F(MainWindowFileManagerTest, AStoredSimulatedTestOpensWithItsRecordTableAndFirstCurve) {
    QFile golden(QStringLiteral(STATICLOAD_SIM_GOLDEN_DIR "/pile.kvt"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    const QByteArray bytes = golden.readAll();
    device.Write(kStored, bytes);
    const auto window = Open();
    ASSERT_EQ(pub.readingCount, 0);

    QString title;
    WithFileManager(
        [](COpen& dialog) {
            dialog.findChild<QTableWidget*>("1064")->selectRow(0);
            dialog.findChild<QPushButton*>(QString::number(COpen::kOpen))->click();
        },
        title);
    Command(*window, CommandId::openFile)->trigger();
    EXPECT_EQ(pub.readingCount, 0) << "the file is loaded on the next tick";
    window->OnTimer();

    // What the file holds, read apart from the window.
    CPublic expected;
    ASSERT_TRUE(device.Files().ReadDataFile(kStored, expected.recordList));
    device.Files().RestoreParameters(expected, expected.recordList, kStart);
    DeriveSettlementRows(expected);
    CurveModel expectedCurves;
    BuildLevelSummary(expected, expectedCurves);
    const std::optional<TableView> records = ComposeTable(expected, 3);
    ASSERT_TRUE(records.has_value());
    ASSERT_GT(expected.readingCount, 10);

    EXPECT_EQ(pub.dataFilePath, kStored);
    EXPECT_EQ(pub.readingCount, expected.readingCount);
    EXPECT_FALSE(pub.run.View().running) << "a stored test is shown, not continued";
    EXPECT_EQ(window->State().fileMode, 2);
    EXPECT_EQ(window->findChild<QLabel*>(QString::number(ControlId::tableTitle))->text(), "数据记录表");
    EXPECT_EQ(window->findChild<QLabel*>(QString::number(ControlId::curveTitle))->text(), "Q-s 曲线");
    ASSERT_EQ(ListRows(*window), static_cast<int>(records->rows.size()));
    for (int row = 0; row < ListRows(*window); ++row)
        for (int column = 0; column < records->rows[row].size(); ++column)
            ASSERT_EQ(ListCell(*window, row, column), records->rows[row][column]) << row << "," << column;
    const CurveModel& shown = window->findChild<C2DGraph*>("graph")->Curves();
    EXPECT_EQ(shown.curveMode, 1);
    EXPECT_EQ(shown.loadPoints, expectedCurves.loadPoints);
    EXPECT_GT(shown.loadPoints.size(), 2u);
    EXPECT_EQ(shown.maxX, expectedCurves.maxX);
    // Viewing a stored file: the setup commands and the export wait.
    EXPECT_FALSE(Command(*window, CommandId::channelSettings)->isEnabled());
    EXPECT_FALSE(Command(*window, CommandId::exportData)->isEnabled());
    EXPECT_EQ(device.Read(kStored), bytes) << "viewing changes nothing in the file";
}

} // namespace
