#pragma once

#include <QString>

// What the main window is doing with files.
namespace FileMode {
inline constexpr int currentTest = 0; // working on the current test
inline constexpr int exporting = 1;   // the file manager is open for export
inline constexpr int viewing = 2;     // a stored file is open for viewing
} // namespace FileMode

// Line settings of the controller link on COM1.
struct ControllerLineSettings {
    int comPort = 1;
    int baudRate = 9600;
    int parityMode = 0; // none
    int dataBits = 8;
    int stopBitsSetting = 1; // passed unchanged to the line settings
};

// The main window's own state besides the test (user-interface thread only).
// The file manager and the setup dialogs get pointers into it.
struct MainWindowState {
    int fileMode = FileMode::currentTest;
    int tableView = 3; // 1 summary, 2 load-settlement, 3 record table
    int curveView = 1; // 1 load-settlement, 2 log load, 3 log time
    ControllerLineSettings controllerLine;
    bool fileChosen = false;        // the file manager chose a stored file
    bool fileOpenRequested = false; // the next tick loads the chosen file
    int liveUploadTicks = 0;        // seconds towards the next live upload
    QString clockText;              // "%02d:%02d:%02d" of the last tick
};
