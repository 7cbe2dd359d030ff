#pragma once

#include "core/view/CurveModel.h"
#include "ui/app/AppOptions.h"
#include "ui/app/ClockDoubleTap.h"
#include "ui/app/LoadControlSwitches.h"
#include "ui/app/MainWindowHooks.h"
#include "ui/app/MainWindowState.h"
#include "ui/app/SetupDialogs.h"
#include "ui/files/TestDocumentWriter.h"

#include <QDialog>

#include <functional>
#include <map>

class Clock;
class DeviceFolders;
class KVTFile;
class LivePanel;
class ProcessLauncher;
class Prompter;
class QAction;
class QLabel;
class C2DGraph;
class TableList;
class TestEngine;
struct CPublic;

// What the main window works with; the application object owns it all.
struct MainWindowServices {
    CPublic& pub;
    const KVTFile& files;
    const DeviceFolders& folders;
    const Clock& clock;
    Prompter& prompter;
    const ProcessLauncher& launcher;
    TestEngine& engine;         // the test run: the wizard and test control work on it
    std::function<void()> quit; // ends the program at once, without saving
    AppOptions options;
    MainWindowHooks hooks;
    TestDocumentWriter writeDocuments; // "导出报告"; none: not offered
};

// The instrument's single full-screen window: toolbar, table list, curve
// area, live panel and the one-second timer that drives the test.
class TickTimer;

class CMainDlg : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    explicit CMainDlg(MainWindowServices services, QWidget* parent = nullptr);

    // Timer 1: the once-a-second work of the main window.
    void OnTimer();

    // A whole controller reply was processed: the period's tick, if still to
    // come, runs now on its fresh values, then the live panel shows them.
    void OnControllerReply();
    // The live values, state and switches.
    void RefreshLivePanel();
    // Rebuilds settlement rows, level summary, the current table and curve.
    void RefreshViews();
    // After the engine's new-test reset: the window's own fields start over.
    void ResetForNewTest();
    // The alarm check blanks the message line until the next live refresh.
    void ClearMessageLine();

    MainWindowState& State() { return m_state; }
    const ClockDoubleTap& ClockTap() const { return m_clockTap; }
    const LoadControlSwitches& Switches() const { return m_switches; }
    const AppOptions& Options() const { return m_services.options; }

  private:
    void CreateTickTimer();
    void CreateToolbar();
    void CreateTableList();
    // "模拟" right of the toolbar while the program runs on the simulated rig
    // or shows a simulated test's file.
    void CreateSimulationMark();
    void ShowSimulationMark();
    void CreateCurveArea();
    void ShowCurve();
    void CreateLivePanel();
    void OnInitDialog();
    void StartRunState();
    void LoadCurrentTestFile();
    void ShowClock();
    void SaveRunState();
    void CountLiveUpload();
    void OpenRequestedFile();
    void UpdateToolbar();
    void UpdateViewTitles();
    void ShowTable();
    void ShowSwitches();

    void OnClockTap();
    void OnNextTable();
    void OnNextCurve();
    void OnSoftwareUpgrade();
    void OpenFileManager(int fileMode);

    static void Call(const std::function<void()>& hook);

    MainWindowServices m_services;
    CPublic& m_pub;
    const KVTFile& m_files;
    MainWindowState m_state;
    ClockDoubleTap m_clockTap;
    LoadControlSwitches m_switches;
    SetupDialogs m_setupDialogs;

    TickTimer* m_tickTimer = nullptr;
    std::map<int, QAction*> m_commands; // by command id
    CurveModel m_curves;
    TableList* m_tableList = nullptr;
    C2DGraph* m_graph = nullptr;
    QLabel* m_tableTitle = nullptr;
    QLabel* m_simulationMark = nullptr;
    QLabel* m_curveTitle = nullptr;
    LivePanel* m_livePanel = nullptr;
};
