#pragma once

#include <QDateTime>

#include <mutex>

// Local time of the instrument. The engine and the views never read the host
// clock themselves; they ask a Clock, so tests and the simulated rig can run
// on a virtual one.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDateTime Now() const = 0;
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
    QDateTime Now() const override;
    // A standing clock runs on from where it stands; otherwise nothing.
    void Start();
    // From here on Now() reads on from `localTime`.
    void ShiftTo(const QDateTime& localTime);
    void SetOffsetMs(qint64 offsetMs);
    qint64 OffsetMs() const;
    double TimeScale() const { return m_timeScale; }

  private:
    qint64 ScaledMsLocked(qint64 realMs) const;

    const double m_timeScale;
    // Guards the three fields below: the controller worker and the screen's
    // thread read the clock while the screen's thread starts or sets it, and
    // a reader must never see a new start with an old offset.
    mutable std::mutex m_mutex;
    qint64 m_startMs;
    qint64 m_offsetMs = 0;
    bool m_standing = false;
};
