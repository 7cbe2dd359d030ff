#include "platform/TickTimer.h"

#include <algorithm>

TickTimer::TickTimer(int periodMs, QObject* parent)
    : QObject(parent), m_periodMs(periodMs), m_pacer(periodMs, 0) {
    m_elapsed.start();
    m_deadline.setSingleShot(true);
    m_deadline.setTimerType(Qt::PreciseTimer);
    connect(&m_deadline, &QTimer::timeout, this, &TickTimer::OnDeadline);
}

void TickTimer::Start() {
    ArmDeadline();
}

void TickTimer::ReplyArrived() {
    if (m_ticking || !m_pacer.ReplyArrived(m_elapsed.elapsed()))
        return;
    ArmDeadline();
    EmitTick();
}

void TickTimer::OnDeadline() {
    if (m_ticking) {
        m_deadline.start(m_periodMs); // look again after the running tick
        return;
    }
    const bool due = m_pacer.DeadlineReached(m_elapsed.elapsed());
    ArmDeadline();
    if (due)
        EmitTick();
}

// A tick that opens a dialog runs an event loop inside it; the periods that
// pass meanwhile are not ticked into it (as with a plain timer), the next tick
// comes after it returns.
void TickTimer::EmitTick() {
    m_ticking = true;
    emit Tick();
    m_ticking = false;
}

void TickTimer::ArmDeadline() {
    m_deadline.start(static_cast<int>(std::max<qint64>(0, m_pacer.DeadlineMs() - m_elapsed.elapsed())));
}
