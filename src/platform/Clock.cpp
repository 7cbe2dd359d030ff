#include "platform/Clock.h"

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime().addMSecs(m_offsetMs.load());
}

ManualClock::ManualClock(const QDateTime& start) : m_msSinceEpoch(start.toMSecsSinceEpoch()) {}

QDateTime ManualClock::now() const {
    return QDateTime::fromMSecsSinceEpoch(m_msSinceEpoch.load());
}
