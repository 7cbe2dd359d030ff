#pragma once

#include <QString>

#include <functional>
#include <optional>

// A pseudo-terminal pair in raw mode. The rig serves the master side; the
// instrument opens the slave device as its serial port. The slave stays open
// here as well, so the master keeps working while the instrument closes and
// reopens the port, and the raw settings are kept in between.
class PseudoTerminal {
  public:
    static std::optional<PseudoTerminal> Open(QString* error);

    PseudoTerminal(PseudoTerminal&& other) noexcept;
    PseudoTerminal& operator=(PseudoTerminal&&) = delete;
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;
    ~PseudoTerminal();

    int MasterFd() const { return m_masterFd; }
    const QString& SlavePath() const { return m_slavePath; }

  private:
    PseudoTerminal(int masterFd, int slaveFd, QString slavePath);

    int m_masterFd = -1;
    int m_slaveFd = -1;
    QString m_slavePath;
};

// The frame of a simulator's main: blocks SIGINT and SIGTERM (taken through a
// descriptor that becomes readable when one arrives, so the serve loop ends
// cleanly), opens a pseudo-terminal, prints its device path as the first line
// on standard output and runs `serve` on it. Returns what `serve` returns, 1
// (with a message naming `program`) when the set-up failed.
int ServeOnPseudoTerminal(const char* program,
                          const std::function<int(const PseudoTerminal& pty, int stopFd)>& serve);
