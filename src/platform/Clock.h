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
// minutes. Such a demonstration clock may instead be made standing at a
// time (where the demonstration stood when the program last ran) and run on
// from there only when started, so the program's own start-up takes none of
// the demonstration's time.
class SystemClock final : public Clock {
  public:
    explicit SystemClock(double timeScale = 1.0, const QDateTime& standingAt = {});
    QDateTime now() const override;
    // A standing clock runs on from where it stands; otherwise nothing.
    void Start();
    // From here on now() reads on from `localTime`.
    void shiftTo(const QDateTime& localTime);
    void setOffsetMs(qint64 offsetMs) { m_offsetMs.store(offsetMs); }
    qint64 offsetMs() const { return m_offsetMs.load(); }
    double timeScale() const { return m_timeScale; }

  private:
    qint64 scaledMs() const;

    const double m_timeScale;
    std::atomic<qint64> m_startMs;
    std::atomic<qint64> m_offsetMs{0};
    std::atomic<bool> m_standing{false};
};
