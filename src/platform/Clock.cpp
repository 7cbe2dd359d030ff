#include "platform/Clock.h"

SystemClock::SystemClock(double timeScale)
    : m_timeScale(timeScale), m_startMs(QDateTime::currentMSecsSinceEpoch()) {}

qint64 SystemClock::scaledMs() const {
    const qint64 realMs = QDateTime::currentMSecsSinceEpoch();
    if (m_timeScale == 1.0)
        return realMs;
    return m_startMs + static_cast<qint64>(static_cast<double>(realMs - m_startMs) * m_timeScale);
}

QDateTime SystemClock::now() const {
    return QDateTime::fromMSecsSinceEpoch(scaledMs() + m_offsetMs.load());
}

void SystemClock::shiftTo(const QDateTime& localTime) {
    m_offsetMs.store(localTime.toMSecsSinceEpoch() - scaledMs());
}
