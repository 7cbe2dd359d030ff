#include "AcceleratedRig.h"

#include "RigCycle.h"
#include "platform/Clock.h"

namespace {
constexpr int kPollMs = 5;
// A clock set by the operator jumps; the rig does not replay the jump.
constexpr qint64 kLargestCatchUpMs = 10'000;
constexpr qint64 kKeepStateEveryMs = 1000; // real time
} // namespace

AcceleratedRig::AcceleratedRig(const Clock& clock, Composer composer, ReplyHandler replyHandler,
                               const RigConfig& rig, const std::optional<RigState>& plant,
                               StateKeeper keepState)
    : m_clock(clock), m_composer(std::move(composer)), m_replyHandler(std::move(replyHandler)), m_rig(rig),
      m_keepState(std::move(keepState)) {
    if (plant)
        m_rig.Restore(*plant);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kPollMs);
    connect(&m_timer, &QTimer::timeout, this, &AcceleratedRig::CatchUp);
}

bool AcceleratedRig::Open() {
    m_rigTimeMs = m_clock.Now().toMSecsSinceEpoch();
    m_sinceKept.start();
    m_timer.start();
    return true;
}

void AcceleratedRig::CatchUp() {
    const qint64 nowMs = m_clock.Now().toMSecsSinceEpoch();
    if (nowMs < m_rigTimeMs || nowMs - m_rigTimeMs > kLargestCatchUpMs)
        m_rigTimeMs = nowMs;
    bool replied = false;
    while (m_rigTimeMs + kRigCycleMs <= nowMs) {
        const CommandCycle cycle = PlayRigCycle(m_composer, m_rig, [&](const QByteArray& reply) {
            m_replyHandler(reply);
            replied = true;
        });
        if (cycle.playBeep)
            emit BeepRequested();
        m_rigTimeMs += kRigCycleMs;
    }
    if (replied)
        emit ReplyProcessed();
    if (m_keepState && m_sinceKept.elapsed() >= kKeepStateEveryMs) {
        m_sinceKept.restart();
        m_keepState(m_rigTimeMs, m_rig.TakeSnapshot());
    }
}
