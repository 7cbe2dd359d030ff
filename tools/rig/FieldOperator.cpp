#include "FieldOperator.h"

#include <algorithm>

FieldOperator::FieldOperator(const OperatorParams& params, JackCircuit circuit)
    : m_params(params), m_circuit(circuit) {}

void FieldOperator::seeTarget(double target, Hydraulics& hydraulics) {
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
    const double target = *m_target;
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
