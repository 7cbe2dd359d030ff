#pragma once

#include "ModemOptions.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstdint>
#include <optional>

// The module's answer to one received 45-byte frame, by the options:
// 4 to the module test frame and an acknowledgement (0x06) to any other
// when acknowledging, 3 when not registered, none when silent, during the
// first --silent-for seconds, or for every --drop-every-th answer.
class ModemAnswers {
  public:
    static constexpr std::uint8_t kAcknowledge = 0x06;

    explicit ModemAnswers(const ModemOptions& options) : m_options(options) {}
    std::optional<std::uint8_t> Answer(const QByteArray& frame, qint64 msSinceStart);

  private:
    ModemOptions m_options;
    int m_answers = 0; // answers due so far, counting the dropped ones
};
