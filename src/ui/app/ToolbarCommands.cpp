#include "ui/app/ToolbarCommands.h"

#include "ui/app/MainWindowState.h"

bool IsCommandEnabled(CommandAvailability availability, const ToolbarConditions& now) {
    switch (availability) {
    case CommandAvailability::Always:
        return true;
    case CommandAvailability::NoTestActive:
        return !now.running && !now.paused;
    case CommandAvailability::NoTestRunning:
        return !now.running;
    case CommandAvailability::NotViewingFile:
        return now.fileMode != FileMode::viewing;
    }
    return true;
}
