#pragma once

#include "RigModel.h"

#include <QDateTime>
#include <QString>

#include <optional>

class FileSystem;

// What an accelerated demonstration carries across a restart of the program:
// the instrument's clock and the simulated plant, taken at the same moment.
// Without it a restart would start the jack from no load and the clock from
// the host's time, hours away from the test on screen.
//
// Kept as "demonstration.state" in the data root, beside the device folders
// (the instrument's file manager never lists it), in lines of `name value`,
// replaced durably as a whole.
struct DemonstrationState {
    QDateTime clock;
    RigState plant;
};

inline constexpr const char* kDemonstrationStateFile = "demonstration.state";

QByteArray FormatDemonstrationState(const DemonstrationState& state);
// Empty for text that is not a whole state (every line present and a number).
std::optional<DemonstrationState> ParseDemonstrationState(const QByteArray& text);

// Missing, unreadable or damaged: empty, the demonstration starts afresh.
std::optional<DemonstrationState> LoadDemonstrationState(const FileSystem& fs, const QString& path);
bool SaveDemonstrationState(const FileSystem& fs, const QString& path, const DemonstrationState& state);
