#include "RigTestSupport.h"

#include "core/link/NumberCodec.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kLoadPulseTicks = 1;
constexpr int kUnloadPulseTicks = 2;
constexpr int kCycleMs = 200;
} // namespace

FrameFields pumpRunning(int speed, std::optional<int> target) {
    return {true, speed, true, target};
}

FrameFields pumpStanding(std::optional<int> target) {
    return {true, 0, false, target};
}

QByteArray commandFrame(const FrameFields& fields, std::optional<double> shown) {
    QByteArray frame(12, '\0');
    frame[0] = static_cast<char>(fields.pumpAllowed ? 0x00 : 0x40);
    frame[1] = 0x0F;
    frame[3] = static_cast<char>(std::clamp(fields.speed, 0, 255));
    frame[4] = static_cast<char>(fields.run ? 0xFF : 0x00);
    if (fields.target) {
        // Encoded the way the instrument encodes it.
        const Number3 target = EncodeNumber3(static_cast<float>(*fields.target));
        for (std::size_t i = 0; i < target.size(); ++i)
            frame[6 + static_cast<int>(i)] = static_cast<char>(target[i]);
    }
    if (shown) {
        const Number3 load = EncodeNumber3(static_cast<float>(*shown));
        for (std::size_t i = 0; i < load.size(); ++i)
            frame[9 + static_cast<int>(i)] = static_cast<char>(load[i]);
    }
    return frame;
}

int replyValue(const QByteArray& reply, int offset) {
    // Decoded the way the instrument decodes it.
    return DecodeRaw16(static_cast<std::uint8_t>(reply.at(offset)),
                       static_cast<std::uint8_t>(reply.at(offset + 1)));
}

void runFrames(RigModel& rig, const FrameFields& fields, double seconds) {
    const QByteArray frame = commandFrame(fields);
    for (long cycle = 0; cycle < std::lround(seconds * 1000 / kCycleMs); ++cycle) {
        rig.Reply(frame);
        rig.Advance(kCycleMs);
    }
}

InstrumentDriver::InstrumentDriver(RigModel& rig, bool doubleCircuit, double unitsPerKN)
    : m_rig(rig), m_doubleCircuit(doubleCircuit), m_unitsPerKN(unitsPerKN) {}

void InstrumentDriver::Run(double seconds, std::optional<State> stopAt) {
    for (long cycle = 0; cycle < std::lround(seconds * 1000 / kCycleMs); ++cycle) {
        StepStates();
        if (stopAt && m_state == *stopAt)
            return;
        const QByteArray reply = m_rig.Reply(ComposeFrame());
        m_load = replyValue(reply, 1) / kCountsPerKN * m_unitsPerKN;
        m_rig.Advance(kCycleMs);
        ++m_cycles;
        // The engine's 120 s of signal before the final unloading stage is held.
        if (m_state == Unloading && m_target <= 0 && m_cycles % 5 == 0)
            ++m_unloadSeconds;
    }
}

void InstrumentDriver::StepStates() {
    const double b = kHoldBand;
    if (m_target > m_lastTarget) {
        m_state = Loading;
        m_lastTarget = m_target;
    } else if (m_target < m_lastTarget) {
        m_state = Unloading;
        m_lastTarget = m_target;
        m_unloadSeconds = 0;
    }
    if (m_state == Loading && m_load >= m_target)
        m_state = Holding;
    if (m_state == Unloading &&
        ((m_load <= m_target + 2 * b && m_target > 0) || (m_unloadSeconds > 119 && m_target <= 0)))
        m_state = UnloadHolding;
    if (m_state == Holding && m_target - m_load > b) {
        m_state = Reloading;
        ++m_reloads;
    }
    if (m_state == Reloading && m_target - m_load < 0.5 * b)
        m_state = Holding;
}

QByteArray InstrumentDriver::ComposeFrame() {
    const double t = m_target;
    const double l = m_load;
    const double b = kHoldBand;
    int speed = 0;
    if (m_state == Loading || m_state == Reloading)
        speed = static_cast<int>(t - l + 10);
    else if (m_state >= Unloading && !m_doubleCircuit && t - l > 0.5 * b)
        speed = static_cast<int>(t - l + 10);
    else if (m_state >= Unloading && m_doubleCircuit && l - t > 2 * b)
        speed = 10;
    const bool near = l > t - 0.2 * kStageStep && (m_state < Unloading || !m_doubleCircuit);

    bool run = false;
    if (speed > 0 && !near) {
        run = true;
    } else if (speed > 0) {
        ++m_pulseCounter;
        run = m_pulseCounter >= 11 && m_pulseCounter <= 10 + kLoadPulseTicks;
        if (m_pulseCounter > 16)
            m_pulseCounter = 0;
    }
    if (m_state >= Unloading && m_doubleCircuit && l - t > 0.2 * b) {
        if (t <= 0) {
            run = true;
        } else {
            ++m_pulseCounter;
            run = m_pulseCounter >= 16 && m_pulseCounter <= 15 + kUnloadPulseTicks;
            if (m_pulseCounter > 21)
                m_pulseCounter = 0;
        }
    }
    if (speed <= 0)
        run = false;
    return commandFrame(FrameFields{true, speed, run, static_cast<int>(t)}, l);
}
