#include "platform/TickPacer.h"

#include <algorithm>

TickPacer::TickPacer(std::int64_t periodMs, std::int64_t startMs)
    : m_periodMs(std::max<std::int64_t>(periodMs, 1)), m_graceMs(m_periodMs / 4), m_periodStartMs(startMs) {}

bool TickPacer::ReplyArrived(std::int64_t nowMs) {
    return TickIfPeriodOpen(nowMs);
}

bool TickPacer::DeadlineReached(std::int64_t nowMs) {
    return nowMs >= DeadlineMs() && TickIfPeriodOpen(nowMs);
}

// One tick per period. After a stall (the thread busy for longer than a
// period) one tick stands for the periods missed, as a plain timer's would.
bool TickPacer::TickIfPeriodOpen(std::int64_t nowMs) {
    if (nowMs < m_periodStartMs)
        return false;
    m_periodStartMs += ((nowMs - m_periodStartMs) / m_periodMs + 1) * m_periodMs;
    return true;
}
