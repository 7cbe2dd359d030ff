#include "PileModel.h"

#include <algorithm>
#include <cmath>

namespace {
// Beyond this share of the failure load the pile is taken as plunging: the
// final settlement stays finite only to keep the numbers finite.
constexpr double kLargestLoadRatio = 0.99;

// Exact first-order approach towards a constant target.
double relax(double value, double target, double seconds, double timeConstant) {
    return target + (value - target) * std::exp(-seconds / timeConstant);
}

double ratchet(double value, double target, double seconds, double timeConstant) {
    return target > value ? relax(value, target, seconds, timeConstant) : value;
}
} // namespace

PileModel::PileModel(const PileParams& params) : m_params(params) {}

double PileModel::LoadRatio(double load) const {
    return std::clamp(load / m_params.failureLoad, 0.0, kLargestLoadRatio);
}

double PileModel::CreepShare(double load) const {
    return std::clamp(m_params.creepAtZero + m_params.creepPerLoadRatio * LoadRatio(load), 0.0, 1.0);
}

double PileModel::CreepSeconds(double load) const {
    const double x = LoadRatio(load);
    const double nearness = x / (1.0 - x);
    return m_params.creepSeconds * (1.0 + m_params.creepSlowdown * nearness * nearness);
}

double PileModel::FinalSettlement(double load) const {
    const double x = LoadRatio(load);
    return m_params.settlementScale * x / (1.0 - x);
}

void PileModel::Advance(double load, double seconds) {
    if (seconds <= 0.0)
        return;
    const double positiveLoad = std::max(0.0, load);
    const double elastic = m_params.elasticPerKN * positiveLoad;
    const double plastic = std::max(0.0, FinalSettlement(positiveLoad) - elastic);
    const double creep = CreepShare(positiveLoad);
    const double fast = m_params.immediateSeconds;
    const double slow = CreepSeconds(positiveLoad);
    m_elasticImmediate = relax(m_elasticImmediate, (1.0 - creep) * elastic, seconds, fast);
    m_elasticCreep = relax(m_elasticCreep, creep * elastic, seconds, slow);
    m_plasticImmediate = ratchet(m_plasticImmediate, (1.0 - creep) * plastic, seconds, fast);
    m_plasticCreep = ratchet(m_plasticCreep, creep * plastic, seconds, slow);
}

double PileModel::Settlement() const {
    return m_elasticImmediate + m_elasticCreep + m_plasticImmediate + m_plasticCreep;
}
