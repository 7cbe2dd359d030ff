#pragma once

#include <QByteArray>
#include <QString>

// The master side of a pseudo-terminal in raw mode, standing in for a device
// on a serial line: the code under test opens slavePath().
class PseudoTerminal {
  public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool IsOpen() const { return m_master >= 0; }
    QString SlavePath() const { return m_slavePath; }

    // Reads exactly `count` bytes or fewer when `timeoutMs` passes first.
    QByteArray Read(int count, int timeoutMs);
    bool Write(const QByteArray& bytes);

  private:
    int m_master = -1;
    int m_slaveKeepAlive = -1; // keeps the line up while the code under test reopens it
    QString m_slavePath;
};
