#pragma once

#include "RigModel.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

inline constexpr double kCountsPerKN = 2.077;
inline constexpr double kGaugeMmPerCount = 0.009921875;

// Fields of a command frame, in the order pump allowed, speed, run, target.
struct FrameFields {
    bool pumpAllowed = true;
    int speed = 0;
    bool run = false;
    std::optional<int> target; // whole kN; absent: bytes 6-8 stay zero as in the idle frame
};

FrameFields pumpRunning(int speed, std::optional<int> target = std::nullopt);
FrameFields pumpStanding(std::optional<int> target);

// A 12-byte command frame as the instrument composes it; `shown`: the load
// the instrument shows (bytes 9-11), in the target's unit.
QByteArray commandFrame(const FrameFields& fields, std::optional<double> shown = std::nullopt);

int replyValue(const QByteArray& reply, int offset);

// Sends the same frame every 200 ms for `seconds`.
void runFrames(RigModel& rig, const FrameFields& fields, double seconds);

// The instrument's pump control, cycle by cycle: load-control states and the
// pump bytes that follow from them, with the load read back from the replies.
class InstrumentDriver {
  public:
    enum State { Waiting = 0, Loading = 1, Holding = 2, Reloading = 3, Unloading = 5, UnloadHolding = 6 };

    // `unitsPerKN`: the instrument's load unit per kN, 1 for kN, 1 / plate area for kPa.
    InstrumentDriver(RigModel& rig, bool doubleCircuit, double unitsPerKN = 1.0);

    void SetTarget(double target) { m_target = target; }
    // Runs 200 ms cycles for `seconds`, or until `stopAt` is entered.
    void Run(double seconds, std::optional<State> stopAt = std::nullopt);

    State CurrentState() const { return m_state; }
    double MeasuredLoad() const { return m_load; }
    double SecondsRun() const { return m_cycles * 0.2; }
    int ReloadCount() const { return m_reloads; }

    static constexpr double kStageStep = 100.0;
    static constexpr double kHoldBand = 10.0;

  private:
    void StepStates();
    QByteArray ComposeFrame();

    RigModel& m_rig;
    bool m_doubleCircuit;
    double m_unitsPerKN;
    double m_target = 0.0;
    double m_lastTarget = 0.0;
    double m_load = 0.0;
    State m_state = Waiting;
    int m_pulseCounter = 0;
    int m_unloadSeconds = 0;
    long m_cycles = 0;
    int m_reloads = 0;
};
