#include "RigModel.h"

#include "CommandFrame.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {
// Fine enough for the 200 ms pump pulses and the operator's hand on the valve.
constexpr qint64 kStepMs = 50;
constexpr double kGaugeMmPerCount = 0.009921875;
constexpr int kLoadOffset = 1;
constexpr int kFirstGaugeOffset = 5;
// The fault stream is seeded apart from the noise so faults leave the plant as it is.
constexpr unsigned kFaultSeedOffset = 0x5EED;

void putCount(QByteArray& block, int offset, long count) {
    const auto clamped = static_cast<std::int16_t>(std::clamp<long>(
        count, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
    const auto bits = static_cast<std::uint16_t>(clamped);
    block[offset] = static_cast<char>(bits & 0xFF);
    block[offset + 1] = static_cast<char>(bits >> 8);
}
} // namespace

RigModel::RigModel(const RigConfig& config)
    : m_config(config), m_hydraulics(config.hydraulics), m_operator(config.fieldOperator, config.circuit),
      m_pile(config.pile), m_faults(config.fault, config.seed + kFaultSeedOffset), m_noise(config.seed) {}

RigState RigModel::TakeSnapshot() const {
    return {m_hydraulics.TakeSnapshot(), m_operator.TakeSnapshot(), m_pile.TakeSnapshot()};
}

void RigModel::Restore(const RigState& state) {
    m_hydraulics.Restore(state.hydraulics);
    m_operator.Restore(state.fieldOperator);
    m_pile.Restore(state.pile);
}

void RigModel::SetCircuit(JackCircuit circuit) {
    if (circuit == m_config.circuit)
        return;
    m_config.circuit = circuit;
    m_operator.SetCircuit(circuit);
}

std::array<double, kGaugeCount> RigModel::GaugeReadings() const {
    return ::gaugeReadings(m_config.gauges, m_pile.Settlement(), m_hydraulics.Load());
}

QByteArray RigModel::Measurement() {
    QByteArray block(kReplySize, '\0');
    putCount(block, kLoadOffset,
             loadChannelCount(m_config.loadSensor, m_hydraulics.Pressure(), m_hydraulics.Load()));
    const double noise = m_config.gauges.noise;
    std::uniform_real_distribution<double> jitter(-noise, noise);
    const auto readings = GaugeReadings();
    for (int i = 0; i < kGaugeCount; ++i) {
        const double reading = readings[i] + (noise > 0.0 ? jitter(m_noise) : 0.0);
        putCount(block, kFirstGaugeOffset + 2 * i, std::lround(reading / kGaugeMmPerCount));
    }
    return block;
}

QByteArray RigModel::Reply(const QByteArray& frame) {
    const auto command = parseCommandFrame(frame);
    if (!command)
        return {};
    const QByteArray answer = Measurement();
    m_hydraulics.SetPump(command->pumpAllowed && command->pumpRun, command->pumpSpeed);
    if (command->targetLoad)
        m_operator.SeeTarget(*command->targetLoad, command->shownLoad, m_hydraulics);
    return m_faults.Apply(answer);
}

void RigModel::Advance(qint64 milliseconds) {
    for (qint64 done = 0; done < milliseconds;) {
        const qint64 step = std::min(kStepMs, milliseconds - done);
        const double seconds = step / 1000.0;
        m_operator.Act(m_hydraulics, seconds);
        m_hydraulics.Advance(seconds);
        m_pile.Advance(m_hydraulics.Load(), seconds);
        done += step;
    }
}
