#include "platform/ManualClock.h"

ManualClock::ManualClock(const QDateTime& start) : m_msSinceEpoch(start.toMSecsSinceEpoch()) {}

QDateTime ManualClock::Now() const {
    return QDateTime::fromMSecsSinceEpoch(m_msSinceEpoch.load());
}
