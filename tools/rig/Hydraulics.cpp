#include "Hydraulics.h"

#include <algorithm>
#include <cmath>

Hydraulics::Hydraulics(const HydraulicParams& params) : m_params(params) {}

void Hydraulics::SetPump(bool running, int speed) {
    const int clamped = std::clamp(speed, 0, 255);
    m_pumpRate = running && clamped > 0 ? m_params.pumpBaseRate + m_params.pumpRatePerSpeed * clamped : 0.0;
}

void Hydraulics::Restore(const Snapshot& snapshot) {
    m_pressure = std::clamp(snapshot.pressure, 0.0, m_params.reliefPressure);
    m_pumpRate = std::max(0.0, snapshot.pumpRate);
    m_reversed = snapshot.reversed;
    SetReleaseOpening(snapshot.releaseOpening);
}

void Hydraulics::SetReleaseOpening(double opening) {
    m_releaseOpening = std::clamp(opening, 0.0, 1.0);
}

double Hydraulics::KNPerMPa() const {
    return m_params.ratedForce / m_params.ratedPressure * std::max(1, m_params.jackCount);
}

void Hydraulics::Advance(double seconds) {
    if (seconds <= 0.0)
        return;
    double pressure = m_pressure;
    if (m_pumpRate > 0.0) {
        if (m_reversed) {
            pressure -= m_pumpRate * seconds;
        } else if (pressure < m_params.reliefPressure) {
            pressure = std::min(m_params.reliefPressure, pressure + m_pumpRate * seconds);
        }
    }
    pressure *= std::exp(-m_params.leakPerMinute * seconds / 60.0);
    // Flow through an orifice grows with the square root of the pressure.
    const double relative = std::max(0.0, pressure) / m_params.ratedPressure;
    pressure -= m_releaseOpening * m_params.releaseRate * std::sqrt(relative) * seconds;
    m_pressure = std::max(0.0, pressure);
}
