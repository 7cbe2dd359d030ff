#pragma once

#include <QDateTime>

#include <atomic>

// Local time of the instrument. The engine and the views never read the host
// clock themselves; they ask a Clock, so tests and the simulated rig can run
// on a virtual one.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

// The host's local time plus an offset. The offset stands in for setting the
// device time where the host does not let this program change its clock.
// With a time scale above 1 the clock runs that many times faster than the
// host's from the moment it is made: a simulated test can be watched in
// minutes.
class SystemClock final : public Clock {
  public:
    explicit SystemClock(double timeScale = 1.0);
    QDateTime now() const override;
    // From here on now() reads on from `localTime`.
    void shiftTo(const QDateTime& localTime);
    void setOffsetMs(qint64 offsetMs) { m_offsetMs.store(offsetMs); }
    qint64 offsetMs() const { return m_offsetMs.load(); }
    double timeScale() const { return m_timeScale; }

  private:
    qint64 scaledMs() const;

    const double m_timeScale;
    const qint64 m_startMs;
    std::atomic<qint64> m_offsetMs{0};
};
