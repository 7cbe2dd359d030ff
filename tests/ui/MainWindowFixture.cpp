#include "MainWindowFixture.h"

#include "core/data/KVTFile.h"
#include "ui/app/ControlIds.h"

#include <QAction>

#include <cstring>

std::unique_ptr<CMainDlg> MainWindowTest::Open() {
    return std::make_unique<CMainDlg>(MainWindowServices{
        .pub = pub,
        .files = device.files(),
        .folders = device.folders(),
        .clock = clock,
        .prompter = prompter,
        .launcher = launcher,
        .quit = [this] { ++quitCalls; },
        .options = {},
        .hooks = hooks,
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
    test.controlState = 1;
    test.targetLoad = 200;
    RefreshRunStateTexts(test, kStart.date());
    ASSERT_TRUE(device.files().CreateDataFile(kTestFile, test.recordList));
    ASSERT_TRUE(device.files().SaveSettings(kTestFile, test.paramList));
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
