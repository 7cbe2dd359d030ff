#pragma once

#include <QDateTime>

#include <functional>

class SystemClock;

// Sets the instrument's local time. On the panel the instrument owns the
// host's clock and sets it (where the host allows this program to). On any
// other host (a desktop, a laptop) the machine's time is not the
// instrument's to change: the SystemClock's offset makes the instrument's
// time follow the operator's setting, since everything reads the time
// through that clock. The offset is also the fallback when the host refuses.
class SystemTime {
  public:
    // Sets the host's clock; false when the host refuses.
    using HostClockSetter = std::function<bool(const QDateTime& localTime)>;

    SystemTime(SystemClock& clock, bool ownsHostClock, HostClockSetter setHostClock = SetHostClock);

    void SetLocalTime(const QDateTime& localTime);

    // clock_settime on the real-time clock; needs the privilege to set the time.
    static bool SetHostClock(const QDateTime& localTime);

  private:
    SystemClock& m_clock;
    bool m_ownsHostClock;
    HostClockSetter m_setHostClock;
};
