#pragma once

#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"
#include "core/engine/TestEngine.h"
#include "core/link/CommandComposer.h"
#include "core/link/ControllerPort.h"
#include "core/remote/GprsSerialLink.h"
#include "platform/Clock.h"
#include "platform/DeviceFolders.h"
#include "platform/ProcessLauncher.h"
#include "platform/Sound.h"
#include "platform/SystemTime.h"
#include "ui/app/AppOptions.h"
#include "ui/app/Prompter.h"
#include "ui/files/TestDocumentWriter.h"

#include <functional>
#include <memory>

class CMainDlg;

// The application: owns everything the instrument works with and runs the
// main window until it closes, which ends the program.
class CMainApp {
  public:
    // Makes the controller the instrument works with in place of the serial
    // link on COM1 (the simulated rig of an accelerated demonstration).
    using ControllerFactory = std::function<std::unique_ptr<ControllerPort>(
        const Clock& clock, ControllerPort::Composer composer, ControllerPort::ReplyHandler replyHandler)>;

    // `writeDocuments` draws the reports the file manager exports; the
    // report library sits above this one.
    explicit CMainApp(AppOptions options, const ControllerFactory& makeController = {},
                      TestDocumentWriter writeDocuments = {});
    CMainApp(const CMainApp&) = delete;
    CMainApp& operator=(const CMainApp&) = delete;

    // Runs the main window modally; returns the program's exit code.
    int Run();

  private:
    void OpenLinks();
    EngineHooks MakeEngineHooks();
    void OpenSystemTime();

    AppOptions m_options;
    DeviceFolders m_folders;
    KVTFile m_files;
    SystemClock m_clock{m_options.timeScale, m_options.clockStandingAt};
    SystemTime m_systemTime{m_clock, m_options.ownSystemClock};
    MessageBoxPrompter m_prompter;
    DetachedProcessLauncher m_launcher;
    CPublic m_pub;
    Sound m_sound{m_folders};
    TestEngine m_engine;
    CMainDlg* m_mainWindow = nullptr;           // while Run() shows it
    std::unique_ptr<ControllerPort> m_link;     // none without a COM1 device
    std::unique_ptr<GprsSerialLink> m_gprsLink; // none without a COM2 device
    TestDocumentWriter m_writeDocuments;
};
