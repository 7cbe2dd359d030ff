#include "ui/app/CMainApp.h"

#include "core/data/SimulationMark.h"
#include "core/link/ControllerLink.h"
#include "platform/RemovableDisk.h"
#include "ui/app/CMainDlg.h"
#include "ui/files/CSysTime.h"
#include "ui/files/CXZ.h"

#include <QCoreApplication>

#include <cstdio>

CMainApp::CMainApp(AppOptions options, const ControllerFactory& makeController,
                   TestDocumentWriter writeDocuments)
    : m_options(std::move(options)),
      m_folders(m_options.dataRoot, UsbDiskMapping{m_options.usbFolder, FindRemovableDisk}),
      m_files(m_folders), m_engine(m_pub, m_files, m_clock, MakeEngineHooks()),
      m_writeDocuments(std::move(writeDocuments)) {
    if (m_options.simulated)
        m_pub.simulationRemark = SimulationRemark(m_options.timeScale);
    // Both run on the controller worker, the one owner of the run state.
    ControllerPort::Composer compose = [this] { return m_pub.run.Cycle(); };
    ControllerPort::ReplyHandler handleReply = [this](const QByteArray& block) {
        m_pub.run.HandleReply(std::span(reinterpret_cast<const std::uint8_t*>(block.constData()),
                                        static_cast<std::size_t>(block.size())),
                              m_clock.Now().toMSecsSinceEpoch());
    };
    if (makeController)
        m_link = makeController(m_clock, std::move(compose), std::move(handleReply));
    else if (!m_options.com1Device.isEmpty())
        m_link = std::make_unique<ControllerLink>(m_options.com1Device, std::move(compose),
                                                  std::move(handleReply));
}

EngineHooks CMainApp::MakeEngineHooks() {
    EngineHooks hooks;
    hooks.offerUnloadAtMaxLoad = [this](const QString& text) {
        OfferUnloadAtMaxLoad(m_pub, text, m_mainWindow, [this](bool unload) {
            if (unload)
                m_engine.ConfirmUnloading();
            else
                m_engine.KeepLoad();
        });
    };
    hooks.playBeep = [this] { m_sound.PlayBeep(); };
    hooks.readingTaken = [this] {
        if (m_mainWindow)
            m_mainWindow->RefreshViews();
    };
    hooks.clearMessageLine = [this] {
        if (m_mainWindow)
            m_mainWindow->ClearMessageLine();
    };
    hooks.newTestResetDone = [this] {
        if (m_mainWindow)
            m_mainWindow->ResetForNewTest();
    };
    return hooks;
}

void CMainApp::OpenSystemTime() {
    CSysTime dialog(
        m_pub, m_clock, [this](const QDateTime& when) { m_systemTime.SetLocalTime(when); }, m_mainWindow);
    dialog.exec();
}

void CMainApp::OpenLinks() {
    // Start-up is over: a demonstration clock standing at its kept time runs on.
    m_clock.Start();
    // A controller that is missing is not reported: the instrument runs
    // without live values.
    if (m_link)
        m_link->Open();
    // Without the module the frames wait in the queue file.
    if (!m_options.com2Device.isEmpty()) {
        m_gprsLink = std::make_unique<GprsSerialLink>(m_options.com2Device, m_pub.gprs, m_clock);
        m_gprsLink->OpenGprsLink();
    }
}

int CMainApp::Run() {
    if (!m_folders.CreateFolders())
        std::fprintf(stderr, "staticload: cannot create the device folders under %s\n",
                     qPrintable(m_folders.DataRoot()));
    m_sound.ProvideDefaultBeep();
    MainWindowHooks hooks;
    hooks.openLinks = [this] { OpenLinks(); };
    hooks.scheduleTick = [this] { m_engine.ScheduleTick(); };
    hooks.queueLiveRecord = [this] { m_engine.QueueLiveFrame(); };
    hooks.newTestReset = [this] { m_engine.CarryOutNewTestReset(); };
    hooks.openSystemTimeDialog = [this] { OpenSystemTime(); };
    CMainDlg mainWindow(MainWindowServices{
        .pub = m_pub,
        .files = m_files,
        .folders = m_folders,
        .clock = m_clock,
        .prompter = m_prompter,
        .launcher = m_launcher,
        .engine = m_engine,
        .quit = [] { QCoreApplication::exit(0); },
        .options = m_options,
        .hooks = std::move(hooks),
        .writeDocuments = m_writeDocuments,
    });
    m_mainWindow = &mainWindow;
    if (m_link) {
        QObject::connect(m_link.get(), &ControllerPort::ReplyProcessed, &mainWindow,
                         &CMainDlg::OnControllerReply, Qt::QueuedConnection);
        QObject::connect(
            m_link.get(), &ControllerPort::BeepRequested, &mainWindow, [this] { m_sound.PlayBeep(); },
            Qt::QueuedConnection);
    }
    mainWindow.exec();
    m_gprsLink.reset();
    m_link.reset();
    m_mainWindow = nullptr;
    return 0;
}
