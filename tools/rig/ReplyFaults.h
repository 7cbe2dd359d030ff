#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <random>

// Ways a real controller's answer goes wrong.
enum class FaultKind {
    None,
    Silence, // no answer at all
    Short,   // only the first few bytes arrive
    Garbage, // some bytes are corrupted on the line
    Zeros,   // bytes 1-11 arrive as zeros
};

struct FaultPlan {
    FaultKind kind = FaultKind::None;
    double rate = 0.0; // chance of each answer being hit, 0 to 1
};

// "none", "silence", "short", "garbage", "zeros".
std::optional<FaultKind> faultKindFromName(const QString& name);

// Spoils replies by a plan, with its own random stream so that the plant
// behaves the same with and without faults.
class ReplyFaults {
  public:
    ReplyFaults(const FaultPlan& plan, unsigned seed);

    void SetPlan(const FaultPlan& plan) { m_plan = plan; }
    // The reply as it reaches the instrument; empty for silence.
    QByteArray Apply(const QByteArray& reply);

  private:
    FaultPlan m_plan;
    std::mt19937 m_random;
};
