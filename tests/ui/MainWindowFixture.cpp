#include "MainWindowFixture.h"

#include "core/data/KVTFile.h"
#include "ui/app/ControlIds.h"

#include <QTableWidget>

#include <QAction>

#include <cstring>

std::unique_ptr<CMainDlg> MainWindowTest::Open() {
    return std::make_unique<CMainDlg>(MainWindowServices{
        .pub = pub,
        .files = device.Files(),
        .folders = device.Folders(),
        .clock = clock,
        .prompter = prompter,
        .launcher = launcher,
        .engine = engine,
        .quit = [this] { ++quitCalls; },
        .options = options,
        .hooks = hooks,
        .writeDocuments = {},
    });
}

void MainWindowTest::StoreRunningTest(float pausedEntry) const {
    CPublic test;
    test.paramList = DefaultParameterList();
    test.paramList[Entry::pausedFlag] = pausedEntry;
    KVTFile::BuildBlankRecords(test);
    const char* clocks[] = {"--:--", "09:00", "09:05"};
    for (int row = 0; row < 3; ++row) {
        std::memcpy(test.recordList[row].clock, clocks[row], 5);
        test.recordList[row].load = 200;
    }
    test.readingCount = 3;
    test.run.Post(RunCommands::Restore{
        .running = false, .state = ControlState::Loading, .target = 200, .lastTarget = 0});
    RefreshRunStateTexts(test, kStart.date());
    ASSERT_TRUE(device.Files().CreateDataFile(kTestFile, test.recordList));
    ASSERT_TRUE(device.Files().SaveSettings(kTestFile, test.paramList));
}

QWidget* MainWindowTest::Control(const CMainDlg& window, int controlId) const {
    auto* control = window.findChild<QWidget*>(QString::number(controlId));
    EXPECT_NE(control, nullptr) << "control " << controlId;
    return control;
}

QAction* MainWindowTest::Command(const CMainDlg& window, int commandId) const {
    auto* command = window.findChild<QAction*>(QString::number(commandId));
    EXPECT_NE(command, nullptr) << "command " << commandId;
    return command;
}

namespace {
QTableWidget* List(const CMainDlg& window) {
    auto* list = window.findChild<QTableWidget*>(QStringLiteral("1000"));
    EXPECT_NE(list, nullptr);
    return list;
}
} // namespace

QStringList MainWindowTest::ListColumns(const CMainDlg& window) const {
    QStringList captions;
    const QTableWidget* list = List(window);
    for (int column = 0; column < list->columnCount(); ++column)
        captions.append(list->horizontalHeaderItem(column)->text());
    return captions;
}

int MainWindowTest::ListRows(const CMainDlg& window) const {
    return List(window)->rowCount();
}

QString MainWindowTest::ListCell(const CMainDlg& window, int row, int column) const {
    const QTableWidgetItem* item = List(window)->item(row, column);
    return item ? item->text() : QString();
}

std::set<int> MainWindowTest::ShownSwitches(const CMainDlg& window) const {
    std::set<int> shown;
    for (const int id :
         {ControlId::pumpAllowed, ControlId::pumpProhibited, ControlId::loadBlocked, ControlId::loadAllowed,
          ControlId::manualOff, ControlId::manualOn, ControlId::manualUnavailable}) {
        if (!Control(window, id)->isHidden())
            shown.insert(id);
    }
    return shown;
}
