#include "platform/Clock.h"

SystemClock::SystemClock(double timeScale, const QDateTime& standingAt)
    : m_timeScale(timeScale), m_startMs(QDateTime::currentMSecsSinceEpoch()) {
    if (standingAt.isValid()) {
        m_offsetMs = standingAt.toMSecsSinceEpoch() - m_startMs;
        m_standing = true;
    }
}

void SystemClock::Start() {
    const std::lock_guard lock(m_mutex);
    if (!m_standing)
        return;
    const qint64 standingAtMs = m_startMs + m_offsetMs;
    m_startMs = QDateTime::currentMSecsSinceEpoch();
    m_standing = false;
    m_offsetMs = standingAtMs - ScaledMsLocked(m_startMs);
}

qint64 SystemClock::ScaledMsLocked(qint64 realMs) const {
    if (m_standing)
        return m_startMs;
    if (m_timeScale == 1.0)
        return realMs;
    return m_startMs + static_cast<qint64>(static_cast<double>(realMs - m_startMs) * m_timeScale);
}

QDateTime SystemClock::Now() const {
    const qint64 realMs = QDateTime::currentMSecsSinceEpoch();
    const std::lock_guard lock(m_mutex);
    return QDateTime::fromMSecsSinceEpoch(ScaledMsLocked(realMs) + m_offsetMs);
}

void SystemClock::ShiftTo(const QDateTime& localTime) {
    const qint64 realMs = QDateTime::currentMSecsSinceEpoch();
    const std::lock_guard lock(m_mutex);
    m_offsetMs = localTime.toMSecsSinceEpoch() - ScaledMsLocked(realMs);
}

void SystemClock::SetOffsetMs(qint64 offsetMs) {
    const std::lock_guard lock(m_mutex);
    m_offsetMs = offsetMs;
}

qint64 SystemClock::OffsetMs() const {
    const std::lock_guard lock(m_mutex);
    return m_offsetMs;
}
