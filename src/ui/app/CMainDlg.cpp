#include "ui/app/CMainDlg.h"

#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"
#include "core/data/RowStore.h"
#include "core/data/SettingsRecovery.h"
#include "core/data/SimulationMark.h"
#include "core/engine/SettingsPublication.h"
#include "core/engine/UploadFrames.h"
#include "core/setup/CalibrationLookup.h"
#include "core/view/LevelSummary.h"
#include "core/view/LivePanel.h"
#include "core/view/SettlementRows.h"
#include "core/view/TableViews.h"
#include "core/view/ViewTitles.h"
#include "platform/Clock.h"
#include "platform/Sound.h"
#include "platform/TickTimer.h"
#include "ui/app/ButtonPictures.h"
#include "ui/app/ControlIds.h"
#include "ui/app/ControlName.h"
#include "ui/app/LivePanel.h"
#include "ui/app/SoftwareUpgrade.h"
#include "ui/app/ToolbarCommands.h"
#include "ui/calib/CQianJingDingLvDing.h"
#include "ui/calib/CSystemBiaoDing.h"
#include "ui/files/COpen.h"
#include "ui/view/C2DGraph.h"
#include "ui/view/TableList.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace {

constexpr int kTimerPeriodMs = 1000;
constexpr int kToolbarHeight = 50;
constexpr int kToolbarButton = 48;
constexpr int kToolbarPicture = 46;
constexpr int kLiveUploadSeconds = 60;

// Screen areas under the toolbar.
constexpr QRect kTableTitleArea(0, 53, 408, 24);
constexpr QRect kCurveTitleArea(415, 53, 385, 24);
constexpr int kLivePanelTop = 468;
// Right of the last toolbar button.
constexpr QRect kSimulationMarkArea(736, 3, 60, 46);

QLabel* CreateTitle(QWidget* parent, int controlId, const QString& text, const QRect& area) {
    auto* title = new QLabel(text, parent);
    title->setObjectName(ControlName(controlId));
    title->setGeometry(area);
    title->setAlignment(Qt::AlignCenter);
    QFont font = title->font();
    font.setPixelSize(16);
    font.setBold(true);
    title->setFont(font);
    return title;
}

QString ClockText(const QTime& time) {
    return QString::asprintf("%02d:%02d:%02d", time.hour(), time.minute(), time.second());
}

} // namespace

CMainDlg::CMainDlg(MainWindowServices services, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint), m_services(std::move(services)), m_pub(m_services.pub),
      m_files(m_services.files), m_switches(m_pub),
      m_setupDialogs(SetupDialogs::Services{.pub = m_pub,
                                            .files = m_files,
                                            .clock = m_services.clock,
                                            .prompter = m_services.prompter,
                                            .engine = m_services.engine,
                                            .state = m_state,
                                            .openSystemTime = m_services.hooks.openSystemTimeDialog},
                     this) {
    OnInitDialog();
}

void CMainDlg::Call(const std::function<void()>& hook) {
    if (hook)
        hook();
}

// --- start-up ------------------------------------------------------------------

void CMainDlg::OnInitDialog() {
    setGeometry(0, 0, kWidth, kHeight);
    setFixedSize(kWidth, kHeight);
    CreateLivePanel();
    CreateToolbar();
    CreateSimulationMark();

    CreateTickTimer();
    if (m_services.options.timeScale != 1.0) {
        // Fingers keep their pace on an accelerated clock: the double-tap
        // window counts real seconds, else it closes in a few milliseconds.
        auto* tapTimer = new QTimer(this);
        connect(tapTimer, &QTimer::timeout, this, [this] { m_clockTap.Tick(); });
        tapTimer->start(kTimerPeriodMs);
    }

    ShowClock();
    CreateTableList();
    CreateCurveArea();
    StartRunState();
    UpdateToolbar();
}

void CMainDlg::CreateToolbar() {
    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setGeometry(1, 1, width(), kToolbarHeight);
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(kToolbarPicture, kToolbarPicture));
    for (const ToolbarCommand& command : kToolbarCommands) {
        if (command.startsGroup)
            toolbar->addSeparator();
        const QString caption = QString::fromUtf8(command.caption);
        const QSize pictureSize(kToolbarPicture, kToolbarPicture);
        QAction* action =
            toolbar->addAction(QIcon(ToolbarPicture(command.id, caption, pictureSize)), caption);
        action->setObjectName(ControlName(command.id));
        QWidget* button = toolbar->widgetForAction(action);
        button->setObjectName(ControlName(command.id));
        button->setFixedSize(kToolbarButton, kToolbarButton);
        m_commands[command.id] = action;
    }
    connect(m_commands.at(CommandId::openFile), &QAction::triggered, this,
            [this] { OpenFileManager(FileMode::viewing); });
    connect(m_commands.at(CommandId::exportData), &QAction::triggered, this,
            [this] { OpenFileManager(FileMode::exporting); });
    connect(m_commands.at(CommandId::nextTable), &QAction::triggered, this, &CMainDlg::OnNextTable);
    connect(m_commands.at(CommandId::nextCurve), &QAction::triggered, this, &CMainDlg::OnNextCurve);
    connect(m_commands.at(CommandId::softwareUpgrade), &QAction::triggered, this,
            &CMainDlg::OnSoftwareUpgrade);
    connect(m_commands.at(CommandId::standardSelection), &QAction::triggered, this,
            [this] { m_setupDialogs.OpenStandardSelection(); });
    connect(m_commands.at(CommandId::testControl), &QAction::triggered, this,
            [this] { m_setupDialogs.OpenTestControl(); });
    connect(m_commands.at(CommandId::newTest), &QAction::triggered, this,
            [this] { m_setupDialogs.RunNewTestWizard(); });
    connect(m_commands.at(CommandId::channelSettings), &QAction::triggered, this,
            [this] { m_setupDialogs.OpenChannelSettings(); });
    connect(m_commands.at(CommandId::testSettings), &QAction::triggered, this,
            [this] { m_setupDialogs.OpenTestSettings(); });
    connect(m_commands.at(CommandId::loadControlSettings), &QAction::triggered, this,
            [this] { m_setupDialogs.OpenLoadControlSettings(); });
    connect(m_commands.at(CommandId::zeroSettings), &QAction::triggered, this,
            [this] { m_setupDialogs.OpenZeroSettings(); });
    connect(m_commands.at(CommandId::jackCalibration), &QAction::triggered, this, [this] {
        CQianJingDingLvDing dialog(m_pub, m_files, m_services.prompter, this);
        dialog.exec();
    });
    connect(m_commands.at(CommandId::systemCalibration), &QAction::triggered, this, [this] {
        const Sound sound(m_services.folders);
        CSystemBiaoDing dialog(
            m_pub, m_services.folders, m_services.prompter, [&sound] { sound.PlayBeep(); }, this);
        dialog.exec();
    });
}

void CMainDlg::CreateSimulationMark() {
    m_simulationMark = new QLabel(this);
    m_simulationMark->setObjectName(QStringLiteral("simulationMark"));
    m_simulationMark->setGeometry(kSimulationMarkArea);
    m_simulationMark->setAlignment(Qt::AlignCenter);
    m_simulationMark->setStyleSheet(
        QStringLiteral("color: white; background-color: rgb(208, 64, 0); border-radius: 4px;"));
    QFont font = m_simulationMark->font();
    font.setPixelSize(15);
    font.setBold(true);
    m_simulationMark->setFont(font);
    m_simulationMark->hide();
}

void CMainDlg::ShowSimulationMark() {
    const std::optional<QString> mark =
        SimulationScreenMark(m_services.options.simulated, m_services.options.timeScale,
                             !SimulationRemarkOf(m_pub.recordList).isEmpty());
    m_simulationMark->setText(mark.value_or(QString()));
    m_simulationMark->setVisible(mark.has_value());
}

void CMainDlg::CreateTableList() {
    m_tableTitle = CreateTitle(this, ControlId::tableTitle,
                               TableViewTitle(m_state.tableView).value_or(QString()), kTableTitleArea);
    m_tableList = new TableList(this);
    m_tableList->setObjectName(ControlName(ControlId::tableList));
}

void CMainDlg::CreateCurveArea() {
    m_curveTitle = CreateTitle(this, ControlId::curveTitle, QStringLiteral("Q-s 曲线"), kCurveTitleArea);
    m_graph = new C2DGraph(this);
    m_graph->setObjectName(QStringLiteral("graph"));
}

void CMainDlg::CreateLivePanel() {
    m_livePanel = new LivePanel(this);
    m_livePanel->setGeometry(0, kLivePanelTop, LivePanel::kWidth, LivePanel::kHeight);
    connect(m_livePanel, &LivePanel::ClockTapped, this, &CMainDlg::OnClockTap);
    connect(m_livePanel, &LivePanel::PumpGateClicked, this, [this] {
        m_switches.TogglePumpGate();
        ShowSwitches();
    });
    connect(m_livePanel, &LivePanel::ManualLoadAllowedClicked, this, [this] {
        m_switches.ToggleManualLoadAllowed();
        ShowSwitches();
    });
    connect(m_livePanel, &LivePanel::ManualLoadClicked, this, [this] {
        m_switches.ToggleManualLoad();
        ShowSwitches();
    });
}

void CMainDlg::StartRunState() {
    // The window's own fields (file mode, clock taps, views, controller line,
    // file choice, manual loading not allowed) hold their start values.
    m_pub.ResetTest();

    m_pub.dataFilePath.clear();
    const SettingsSource source = LoadSettingsAtStartup(m_files, m_pub.dataFilePath, m_pub.paramList);
    if (m_pub.paramList.empty())
        m_pub.paramList = DefaultParameterList();

    if (m_pub.dataFilePath.isEmpty() || m_files.DataFileMissing(m_pub.dataFilePath)) {
        if (m_pub.dataFilePath.isEmpty())
            KVTFile::BuildBlankRecords(m_pub);
        // The list shows the table its title names from the start.
        RefreshViews();
    } else {
        LoadCurrentTestFile();
    }
    if (source == SettingsSource::DataFile) {
        // The restored rows give back the typed settings for the new tarvo.ini.
        KVTFile::StoreParametersToList(m_pub, m_pub.paramList);
        m_files.SaveSettings(m_pub.dataFilePath, m_pub.paramList);
    }
    m_pub.startupNotice = SettingsRecoveryText(source);
    ShowSwitches();

    PublishSettings(m_pub);
    Call(m_services.hooks.openLinks);
}

void CMainDlg::LoadCurrentTestFile() {
    m_pub.wizardMode = false;
    // A test restored after a restart waits for the operator to release the pump.
    m_pub.run.Post(RunCommands::SetPumpGate{PumpGate::closed});
    // An update cut short by a power failure is finished (or dropped) first.
    QByteArray recoveredFrame;
    m_files.RecoverDataFile(m_pub.dataFilePath, &recoveredFrame);
    // Restoring from rows that were not read would take the run state of a blank test.
    if (m_files.ReadDataFile(m_pub.dataFilePath, m_pub.recordList)) {
        m_state.tableView = kRecordTable;
        m_files.RestoreParameters(m_pub, m_pub.recordList, m_services.clock.Now());
        // After the queue file is loaded: the finished reading's frame.
        RequeueRecoveredReadingFrame(m_pub, recoveredFrame);
        ReselectCalibration(m_pub, m_files);
        m_pub.resumedPumpClosed = m_pub.run.View().running;
    }
    if (ParameterAt(m_pub.paramList, Entry::pausedFlag) == 1.0f)
        m_pub.run.Post(RunCommands::Pause{});
    RefreshViews();
}

// --- timer ---------------------------------------------------------------------

void CMainDlg::CreateTickTimer() {
    // One tick per clock second, also when the clock is accelerated: the
    // reading schedule counts ticks and its windows are ten seconds wide.
    m_tickTimer =
        new TickTimer(std::max(1, static_cast<int>(kTimerPeriodMs / m_services.options.timeScale)), this);
    connect(m_tickTimer, &TickTimer::Tick, this, &CMainDlg::OnTimer);
    m_tickTimer->Start();
}

void CMainDlg::OnControllerReply() {
    m_tickTimer->ReplyArrived();
    RefreshLivePanel();
}

void CMainDlg::OnTimer() {
    ShowClock();
    // Whatever a dialog changed reaches the controller worker as one copy.
    PublishSettings(m_pub);
    if (m_pub.saveRequested)
        SaveRunState();
    Call(m_services.hooks.scheduleTick);
    // No reply refreshes the live panel while the controller is silent.
    if (m_pub.run.View().linkFault)
        RefreshLivePanel();
    if (m_pub.viewDirty) {
        m_pub.viewDirty = false;
        ShowTable();
    }
    CountLiveUpload();
    if (m_services.options.timeScale == 1.0)
        m_clockTap.Tick();
    Call(m_services.hooks.newTestReset);
    OpenRequestedFile();
    UpdateToolbar();
}

void CMainDlg::ShowClock() {
    m_state.clockText = ClockText(m_services.clock.Now().time());
    m_livePanel->SetClockText(m_state.clockText);
}

void CMainDlg::SaveRunState() {
    RefreshRunStateTexts(m_pub, m_services.clock.Now().date());
    // Outside a test (a dialog of the wizard) there is no data file yet.
    if (!m_files.DataFileMissing(m_pub.dataFilePath))
        StoreRows(m_pub, m_files, {{4, false}, {31, false}, {0, false}, {m_pub.readingCount, true}});
    m_pub.saveRequested = false;
}

void CMainDlg::CountLiveUpload() {
    const bool liveUpload = m_pub.run.View().running &&
                            ParameterAt(m_pub.paramList, Entry::uploadOff) == 0.0f &&
                            ParameterAt(m_pub.paramList, Entry::realTimeSendOff) == 0.0f;
    if (!liveUpload)
        return;
    if (++m_state.liveUploadTicks >= kLiveUploadSeconds) {
        m_state.liveUploadTicks = 0;
        Call(m_services.hooks.queueLiveRecord);
    }
}

void CMainDlg::OpenRequestedFile() {
    if (!m_state.fileOpenRequested)
        return;
    m_state.fileOpenRequested = false;
    if (m_files.ReadDataFile(m_pub.dataFilePath, m_pub.recordList))
        m_files.RestoreParameters(m_pub, m_pub.recordList, m_services.clock.Now());
    // A stored file is opened for review, not to continue its test.
    const RunState opened = m_pub.run.View();
    m_pub.run.Post(RunCommands::Restore{.running = false,
                                        .state = opened.controlState,
                                        .target = opened.targetLoad,
                                        .lastTarget = opened.lastTarget});
    m_state.tableView = kRecordTable;
    m_state.curveView = 1;
    RefreshViews();
}

void CMainDlg::UpdateToolbar() {
    const RunState run = m_pub.run.View();
    const ToolbarConditions now{run.running, run.pausedFlag, m_state.fileMode};
    for (const ToolbarCommand& command : kToolbarCommands)
        m_commands.at(command.id)->setEnabled(IsCommandEnabled(command.availability, now));
}

// --- views -----------------------------------------------------------------------

void CMainDlg::UpdateViewTitles() {
    if (const auto title = TableViewTitle(m_state.tableView))
        m_tableTitle->setText(*title);
    if (const auto title = CurveViewTitle(m_state.curveView, m_pub.loadInKN))
        m_curveTitle->setText(*title);
}

void CMainDlg::ShowTable() {
    if (const std::optional<TableView> table = ComposeTable(m_pub, m_state.tableView))
        m_tableList->ShowTable(*table);
}

void CMainDlg::RefreshViews() {
    DeriveSettlementRows(m_pub);
    if (m_pub.readingCount == 0)
        m_curves.ShowEmptyTest(m_pub.standardCode);
    else
        BuildLevelSummary(m_pub, m_curves);
    ShowTable();
    UpdateViewTitles();
    ShowCurve();
    ShowSimulationMark();
}

void CMainDlg::ShowCurve() {
    m_graph->ShowCurves(m_curves, m_state.curveView, m_pub.loadInKN);
}

void CMainDlg::ResetForNewTest() {
    m_state.fileMode = FileMode::currentTest;
    m_clockTap.Reset();
    m_state.tableView = kRecordTable;
    m_state.curveView = 1;
    m_state.fileChosen = false;
    m_state.fileOpenRequested = false;
    // Gauges 5-8, the next reading time and the message line start empty.
    for (const int id : {ControlId::gaugeFifth, ControlId::gaugeFifth + 1, ControlId::gaugeFifth + 2,
                         ControlId::gaugeFifth + 3, ControlId::nextReading, ControlId::messageLine}) {
        if (auto* field = m_livePanel->findChild<QLabel*>(ControlName(id)))
            field->clear();
    }
    if (auto* pumpFlow = m_livePanel->findChild<QProgressBar*>(ControlName(ControlId::pumpFlow)))
        pumpFlow->reset();
    RefreshViews();
}

void CMainDlg::ClearMessageLine() {
    if (auto* line = m_livePanel->findChild<QLabel*>(ControlName(ControlId::messageLine)))
        line->clear();
}

void CMainDlg::RefreshLivePanel() {
    m_livePanel->ShowView(::RefreshLivePanel(m_pub, m_pub.run.View(), m_pub.run.Live(),
                                             m_switches.ManualLoadAllowed(), m_state.clockText));
}

void CMainDlg::OnNextTable() {
    m_state.tableView = CycleView(m_state.tableView);
    UpdateViewTitles();
    ShowTable();
}

void CMainDlg::OnNextCurve() {
    m_state.curveView = CycleView(m_state.curveView);
    UpdateViewTitles();
    ShowCurve();
}

// --- file manager ----------------------------------------------------------------

void CMainDlg::OpenFileManager(int fileMode) {
    m_state.fileMode = fileMode;
    const DataFiles files(m_services.folders);
    COpen dialog(fileMode == FileMode::viewing ? COpen::Mode::Open : COpen::Mode::Export,
                 COpen::Links{.fileMode = m_state.fileMode,
                              .fileChosen = m_state.fileChosen,
                              .fileOpenRequested = m_state.fileOpenRequested,
                              .pub = m_pub},
                 files, m_services.prompter, m_services.writeDocuments, this);
    dialog.exec();
    UpdateToolbar();
}

// --- buttons ---------------------------------------------------------------------

void CMainDlg::ShowSwitches() {
    m_livePanel->ShowSwitches(m_switches.Pictures());
}

void CMainDlg::OnClockTap() {
    if (m_clockTap.Tap())
        Call(m_services.hooks.openSystemTimeDialog);
}

void CMainDlg::OnSoftwareUpgrade() {
    if (OfferSoftwareUpgrade(m_services.prompter, m_services.folders, m_services.launcher))
        Call(m_services.quit);
}
