#pragma once

#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"
#include "core/link/CommandComposer.h"
#include "core/link/ControllerLink.h"
#include "platform/Clock.h"
#include "platform/DeviceFolders.h"
#include "platform/ProcessLauncher.h"
#include "ui/app/AppOptions.h"
#include "ui/app/Prompter.h"

#include <memory>

// The application: owns everything the instrument works with and runs the
// main window until it closes, which ends the program.
class CMainApp {
  public:
    explicit CMainApp(AppOptions options);
    CMainApp(const CMainApp&) = delete;
    CMainApp& operator=(const CMainApp&) = delete;

    // Runs the main window modally; returns the program's exit code.
    int Run();

  private:
    void OpenLinks();

    AppOptions m_options;
    DeviceFolders m_folders;
    KVTFile m_files;
    SystemClock m_clock;
    MessageBoxPrompter m_prompter;
    DetachedProcessLauncher m_launcher;
    CPublic m_pub;
    CommandComposer m_composer{m_pub};
    std::unique_ptr<ControllerLink> m_link; // none without a COM1 device
};
