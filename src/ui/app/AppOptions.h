#pragma once

#include <QDateTime>
#include <QString>

// Start-up options of the program on a host.
struct AppOptions {
    QString dataRoot;  // host folder that holds the device folders
    QString usbFolder; // host folder of the USB disk; empty: a mounted removable disk, else <dataRoot>/硬盘2
    QString com1Device;     // serial device of the controller link; empty: none given
    QString com2Device;     // serial device of the GPRS link; empty: none given
    double timeScale = 1.0; // clock seconds per real second; above 1 only with the simulated rig
    // Valid: the clock stands at this time until the program has started up
    // (a demonstration going on where it stood).
    QDateTime clockStandingAt{};
    bool ownSystemClock =
        false;              // "系统时间" sets the host's clock (the panel), else the program's own offset
    bool simulated = false; // COM1 is the simulated rig: the screen and the test files say so
};
