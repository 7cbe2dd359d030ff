#include "platform/SystemTime.h"

#include "platform/Clock.h"

#include <ctime>

SystemTime::SystemTime(SystemClock& clock, bool ownsHostClock, HostClockSetter setHostClock)
    : m_clock(clock), m_ownsHostClock(ownsHostClock), m_setHostClock(std::move(setHostClock)) {}

void SystemTime::SetLocalTime(const QDateTime& localTime) {
    // An accelerated clock runs apart from the host's, so the host keeps its time.
    if (m_ownsHostClock && m_clock.TimeScale() == 1.0 && m_setHostClock(localTime)) {
        m_clock.SetOffsetMs(0);
        return;
    }
    m_clock.ShiftTo(localTime);
}

bool SystemTime::SetHostClock(const QDateTime& localTime) {
    const qint64 ms = localTime.toMSecsSinceEpoch();
    timespec when{};
    when.tv_sec = static_cast<time_t>(ms / 1000);
    when.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
    return clock_settime(CLOCK_REALTIME, &when) == 0;
}
