#pragma once

#include <cstdint>

// When the once-a-period tick runs. The tick of a period comes with the first
// controller reply in it, so the newest sample the tick reads (and a reading
// takes) is milliseconds old instead of up to one 200 ms cycle; without a
// reply the tick comes a quarter period into its period all the same. Periods
// stay on their grid: replies move a tick within its period, never the grid.
class TickPacer {
  public:
    TickPacer(std::int64_t periodMs, std::int64_t startMs);

    // A reply arrived: true when the tick runs now.
    bool ReplyArrived(std::int64_t nowMs);
    // The deadline passed: true when the tick runs now.
    bool DeadlineReached(std::int64_t nowMs);
    // When the next tick runs if no reply comes first.
    std::int64_t DeadlineMs() const { return m_periodStartMs + m_graceMs; }

  private:
    bool TickIfPeriodOpen(std::int64_t nowMs);

    std::int64_t m_periodMs;
    std::int64_t m_graceMs;
    std::int64_t m_periodStartMs; // start of the period whose tick is still to come
};
