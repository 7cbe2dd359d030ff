#include "core/link/ControllerSession.h"

#include "core/link/SerialLine.h"

namespace {
// After the port vanished (a USB adapter pulled), retry opening it about once
// a second rather than every cycle.
constexpr int kReopenEveryCycles = 5;
} // namespace

ControllerSession::ControllerSession(ControllerLink& link, QEventLoop& loop) : m_link(link), m_loop(loop) {
    m_cycleTimer.setTimerType(Qt::PreciseTimer);
    m_cycleTimer.setInterval(ControllerLink::kCycleMs);
    m_quietTimer.setTimerType(Qt::PreciseTimer);
    m_quietTimer.setSingleShot(true);
    m_quietTimer.setInterval(ReplyFramer::kQuietMs);
    connect(&m_cycleTimer, &QTimer::timeout, this, &ControllerSession::RunCycle);
    connect(&m_quietTimer, &QTimer::timeout, this, &ControllerSession::OnLineQuiet);
    connect(&m_port, &QSerialPort::readyRead, this, &ControllerSession::OnReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &ControllerSession::OnError);
}

bool ControllerSession::Open() {
    if (!OpenSerialLine(m_port, m_link.m_device))
        return false;
    m_link.m_portOpen = true;
    if (!m_cycleTimer.isActive())
        m_cycleTimer.start();
    return true;
}

void ControllerSession::RunCycle() {
    if (m_link.m_stopRequested) {
        m_cycleTimer.stop();
        m_quietTimer.stop();
        m_port.close();
        m_link.m_portOpen = false;
        m_loop.quit();
        return;
    }
    const CommandCycle composed = m_link.m_composer();
    ++m_link.m_cycles;
    if (composed.playBeep)
        emit m_link.BeepRequested();
    if (!m_port.isOpen()) {
        if (--m_cyclesUntilReopen <= 0) {
            m_cyclesUntilReopen = kReopenEveryCycles;
            Open();
        }
        return;
    }
    // Each frame carries the whole desired state: drop anything pending and
    // send the fresh one. A failed write is not retried; the next cycle follows.
    // A reply still arriving now loses its unread bytes to the discard.
    if (m_port.bytesAvailable() > 0)
        m_framer.Receive(m_port.readAll());
    if (m_framer.InBurst()) {
        m_quietTimer.stop();
        m_framer.Discard();
        PublishCounts();
    }
    m_port.clear(QSerialPort::AllDirections);
    m_port.write(reinterpret_cast<const char*>(composed.frame.data()), composed.frame.size());
}

void ControllerSession::OnReadyRead() {
    m_framer.Receive(m_port.readAll());
    m_quietTimer.start();
}

void ControllerSession::OnLineQuiet() {
    // Bytes whose readyRead is still queued belong to the same burst.
    if (m_port.bytesAvailable() > 0) {
        OnReadyRead();
        return;
    }
    const std::optional<QByteArray> reply = m_framer.EndBurst();
    PublishCounts();
    if (!reply)
        return;
    m_link.m_replyHandler(*reply);
    emit m_link.ReplyProcessed();
}

void ControllerSession::PublishCounts() {
    const std::lock_guard lock(m_link.m_countsMutex);
    m_link.m_replyCounts = m_framer.Counts();
}

void ControllerSession::OnError(QSerialPort::SerialPortError error) {
    // A vanished device: close and let the cycle reopen it when it is back.
    if (error == QSerialPort::ResourceError || error == QSerialPort::PermissionError) {
        m_port.close();
        m_link.m_portOpen = false;
        m_cyclesUntilReopen = kReopenEveryCycles;
    }
}
