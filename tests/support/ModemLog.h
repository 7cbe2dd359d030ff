#pragma once

#include "core/data/UploadQueue.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// One line of modemsim's --log: the frame it received and what it answered.
struct ModemLogLine {
    UploadFrame frame{};
    QByteArray description;             // the frame's decoded line, as `kvt queue` prints it
    std::optional<std::uint8_t> answer; // none: the frame was left unanswered
};

// Every whole line of the log so far; an empty list when there is no log.
std::vector<ModemLogLine> ReadModemLog(const QString& path);
