#pragma once

#include <QDateTime>

#include <functional>

class SystemClock;

// Sets the instrument's local time. The host clock is set where the host
// allows this program to; otherwise the SystemClock's offset makes the
// instrument's time follow the operator's setting, since everything reads
// the time through that clock.
class SystemTime {
  public:
    // Sets the host's clock; false when the host refuses.
    using HostClockSetter = std::function<bool(const QDateTime& localTime)>;

    explicit SystemTime(SystemClock& clock, HostClockSetter setHostClock = SetHostClock);

    void setLocalTime(const QDateTime& localTime);

    // clock_settime on the real-time clock; needs the privilege to set the time.
    static bool SetHostClock(const QDateTime& localTime);

  private:
    SystemClock& m_clock;
    HostClockSetter m_setHostClock;
};
