#pragma once

#include "platform/Clock.h"

#include <atomic>

// A clock that only moves when told to, for tests and the headless
// simulator; safe to read from any thread. The instrument never links it.
class ManualClock final : public Clock {
  public:
    explicit ManualClock(const QDateTime& start);
    QDateTime Now() const override;
    void AdvanceMs(qint64 ms) { m_msSinceEpoch.fetch_add(ms); }
    void Set(const QDateTime& when) { m_msSinceEpoch.store(when.toMSecsSinceEpoch()); }

  private:
    std::atomic<qint64> m_msSinceEpoch;
};
