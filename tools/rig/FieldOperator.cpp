#include "FieldOperator.h"

#include <algorithm>
#include <cmath>

namespace {
// Below this the shown load is mostly the sensor's offset: the unit is not read off it.
constexpr double kLeastLoadForUnit = 5.0; // kN

// The operator takes the unit's ratio roughly, to two figures: the load
// sensor's own error of a fraction of a percent does not move the hand.
double TwoFigures(double value) {
    const double scale = std::pow(10.0, 1.0 - std::floor(std::log10(value)));
    return std::round(value * scale) / scale;
}
} // namespace

FieldOperator::FieldOperator(const OperatorParams& params, JackCircuit circuit)
    : m_params(params), m_circuit(circuit) {}

void FieldOperator::seeTarget(double target, std::optional<double> shownLoad, Hydraulics& hydraulics) {
    if (shownLoad && *shownLoad > 0.0 && hydraulics.load() >= kLeastLoadForUnit)
        m_shownPerKN = TwoFigures(*shownLoad / hydraulics.load());
    if (m_target && target < *m_target) {
        m_unloading = true;
        m_secondsSinceDrop = 0.0;
        if (m_circuit == JackCircuit::Double)
            hydraulics.setOilPathReversed(true);
    } else if (!m_target || target > *m_target) {
        // A higher target is a new loading stage or a new test.
        m_unloading = false;
        m_releasing = false;
        hydraulics.setReleaseOpening(0.0);
        hydraulics.setOilPathReversed(false);
    }
    m_target = target;
}

void FieldOperator::Restore(const Snapshot& snapshot) {
    m_target = snapshot.target;
    m_shownPerKN = snapshot.shownPerKN > 0.0 ? snapshot.shownPerKN : 1.0;
    m_unloading = snapshot.unloading && m_target.has_value();
    m_secondsSinceDrop = snapshot.secondsSinceDrop;
    m_releasing = snapshot.releasing;
}

void FieldOperator::act(Hydraulics& hydraulics, double seconds) {
    if (!m_unloading)
        return;
    m_secondsSinceDrop += seconds;
    if (m_secondsSinceDrop < m_params.reactionSeconds)
        return;
    if (m_circuit == JackCircuit::Single || *m_target <= 0.0)
        actOnReleaseValve(hydraulics, seconds);
}

void FieldOperator::actOnReleaseValve(Hydraulics& hydraulics, double seconds) {
    const double target = *m_target / m_shownPerKN;
    const double excess = hydraulics.load() - target;
    double wanted = 1.0;
    if (target > 0.0) {
        if (!m_releasing && excess > m_params.engageMargin)
            m_releasing = true;
        if (m_releasing && excess <= m_params.stopMargin)
            m_releasing = false;
        wanted = m_releasing ? std::clamp(excess / m_params.slowBand, 0.0, 1.0) : 0.0;
    }
    // The hand opens the valve slowly but shuts it at once.
    const double opening =
        std::min(wanted, hydraulics.releaseOpening() + m_params.openingPerSecond * seconds);
    hydraulics.setReleaseOpening(opening);
}
