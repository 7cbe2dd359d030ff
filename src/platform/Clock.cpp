#include "platform/Clock.h"

SystemClock::SystemClock(double timeScale, const QDateTime& standingAt)
    : m_timeScale(timeScale), m_startMs(QDateTime::currentMSecsSinceEpoch()) {
    if (standingAt.isValid()) {
        m_offsetMs.store(standingAt.toMSecsSinceEpoch() - m_startMs.load());
        m_standing.store(true);
    }
}

void SystemClock::Start() {
    if (!m_standing.load())
        return;
    const QDateTime standingAt = now();
    m_startMs.store(QDateTime::currentMSecsSinceEpoch());
    m_standing.store(false);
    shiftTo(standingAt);
}

qint64 SystemClock::scaledMs() const {
    const qint64 startMs = m_startMs.load();
    if (m_standing.load())
        return startMs;
    const qint64 realMs = QDateTime::currentMSecsSinceEpoch();
    if (m_timeScale == 1.0)
        return realMs;
    return startMs + static_cast<qint64>(static_cast<double>(realMs - startMs) * m_timeScale);
}

QDateTime SystemClock::now() const {
    return QDateTime::fromMSecsSinceEpoch(scaledMs() + m_offsetMs.load());
}

void SystemClock::shiftTo(const QDateTime& localTime) {
    m_offsetMs.store(localTime.toMSecsSinceEpoch() - scaledMs());
}
