#pragma once

#include "core/data/ParameterList.h"

#include <QString>

class KVTFile;

// Where the settings of this start came from.
enum class SettingsSource {
    File,     // tarvo.ini was sound
    Copy,     // tarvo.ini was lost or damaged; tarvofu.ini restored it
    DataFile, // both were lost; the newest running data file is named again
    Defaults, // nothing to restore from (a new instrument)
};

// Start-up: reads tarvo.ini; a missing or damaged one is restored from its
// copy or, failing that, names the newest data file whose test still runs
// (with the default list, entry 65 set; the caller fills in the typed fields
// once that file is restored and saves). A restored tarvo.ini is written
// back at once. Defaults leaves `list` empty, as a missing file always did.
SettingsSource LoadSettingsAtStartup(const KVTFile& files, QString& dataFilePath, ParameterList& list);

// The message-line text telling the operator what start-up restored; empty
// for File and Defaults.
QString SettingsRecoveryText(SettingsSource source);
