#include "platform/ManualClock.h"

ManualClock::ManualClock(const QDateTime& start) : m_msSinceEpoch(start.toMSecsSinceEpoch()) {}

QDateTime ManualClock::now() const {
    return QDateTime::fromMSecsSinceEpoch(m_msSinceEpoch.load());
}
