#pragma once

#include "core/data/CPublic.h"
#include "core/engine/TestEngine.h"
#include "platform/ManualClock.h"
#include "platform/ProcessLauncher.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDevice.h"
#include "ui/app/CMainDlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <vector>

// Records what it is asked to start instead of starting it.
class RecordingLauncher final : public ProcessLauncher {
  public:
    bool StartDetached(const QString& hostPath) const override {
        started.push_back(hostPath);
        return startSucceeds;
    }
    mutable std::vector<QString> started;
    bool startSucceeds = true;
};

// The main window on a temporary device, a stopped clock and a scripted
// operator.
class MainWindowTest : public ::testing::Test {
  protected:
    static inline const QDateTime kStart{QDate(2026, 5, 4), QTime(9, 5, 7)};
    static inline const QString kTestFile = QStringLiteral("\\硬盘\\APP\\123456-0001.kvt");

    std::unique_ptr<CMainDlg> Open();

    // A running test stored as the panel leaves it: three readings in the data
    // file and the settings naming that file, with `pausedEntry` in entry 70.
    void StoreRunningTest(float pausedEntry = 0.0f) const;

    QWidget* Control(const CMainDlg& window, int controlId) const;
    QAction* Command(const CMainDlg& window, int commandId) const;
    // The table list (control 1000): its column captions and the text of a cell.
    QStringList ListColumns(const CMainDlg& window) const;
    int ListRows(const CMainDlg& window) const;
    QString ListCell(const CMainDlg& window, int row, int column) const;
    // Ids among the seven switch pictures that are shown.
    std::set<int> ShownSwitches(const CMainDlg& window) const;

    TempDevice device;
    ManualClock clock{kStart};
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
    CPublic pub;
    // What the engine's maximum-load prompt does; empty: no prompt.
    std::function<void(const QString& text)> offerUnloadAtMaxLoad;
    TestEngine engine{pub, device.Files(), clock,
                      EngineHooks{.offerUnloadAtMaxLoad =
                                      [this](const QString& text) {
                                          if (offerUnloadAtMaxLoad)
                                              offerUnloadAtMaxLoad(text);
                                      },
                                  .playBeep = {},
                                  .readingTaken = {},
                                  .newTestResetDone = {},
                                  .clearMessageLine = {}}};
    MainWindowHooks hooks;
    AppOptions options;
    int quitCalls = 0;
};
