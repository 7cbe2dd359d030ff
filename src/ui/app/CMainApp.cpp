#include "ui/app/CMainApp.h"

#include "ui/app/CMainDlg.h"

#include <QCoreApplication>

#include <cstdio>

CMainApp::CMainApp(AppOptions options)
    : m_options(std::move(options)), m_folders(m_options.dataRoot), m_files(m_folders) {}

int CMainApp::Run() {
    if (!m_folders.createFolders())
        std::fprintf(stderr, "staticload: cannot create the device folders under %s\n",
                     qPrintable(m_folders.dataRoot()));
    CMainDlg mainWindow(MainWindowServices{
        .pub = m_pub,
        .files = m_files,
        .folders = m_folders,
        .clock = m_clock,
        .prompter = m_prompter,
        .launcher = m_launcher,
        .quit = [] { QCoreApplication::exit(0); },
        .options = m_options,
        .hooks = {},
    });
    mainWindow.exec();
    return 0;
}
