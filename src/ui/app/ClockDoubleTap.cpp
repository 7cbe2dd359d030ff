#include "ui/app/ClockDoubleTap.h"

bool ClockDoubleTap::Tap() {
    ++m_clockClicks;
    if (m_clockClicks == 2 && m_clockClickTimer != 0) {
        Reset();
        return true;
    }
    if (m_clockClicks > 2)
        m_clockClicks = 0;
    return false;
}

void ClockDoubleTap::Tick() {
    if (m_clockClicks == 1) {
        ++m_clockClickTimer;
        if (m_clockClickTimer > 2)
            Reset();
    } else {
        m_clockClickTimer = 1;
    }
}

void ClockDoubleTap::Reset() {
    m_clockClicks = 0;
    m_clockClickTimer = 0;
}
