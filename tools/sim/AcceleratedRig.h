#pragma once

#include "RigModel.h"
#include "core/link/ControllerPort.h"

#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <optional>

class Clock;

// The simulated rig inside the program, on the instrument's own clock: when
// that clock runs faster than real time, the rig's 200 ms cycles follow it,
// so pump, pile and test schedule keep their proportions and a whole test
// can be watched in minutes. Runs on the thread that opens it.
class AcceleratedRig final : public ControllerPort {
    Q_OBJECT
  public:
    // Handed the clock time the rig has been played up to and the plant at
    // that time, about once a real second, to keep them across a restart.
    using StateKeeper = std::function<void(qint64 clockMs, const RigState& plant)>;

    // `plant`: where the rig stood when the program last ran, if known.
    AcceleratedRig(const Clock& clock, Composer composer, ReplyHandler replyHandler,
                   const RigConfig& rig = {}, const std::optional<RigState>& plant = std::nullopt,
                   StateKeeper keepState = {});

    bool Open() override;

    // Plays the cycles the clock has gone on by since the last call.
    void CatchUp();

  private:
    const Clock& m_clock;
    Composer m_composer;
    ReplyHandler m_replyHandler;
    RigModel m_rig;
    QTimer m_timer;
    qint64 m_rigTimeMs = -1; // the clock time the rig has been played up to
    StateKeeper m_keepState;
    QElapsedTimer m_sinceKept;
};
