#include "core/link/CommandComposer.h"

#include "core/link/NumberCodec.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint8_t kOn = 0xFF;
constexpr int kManualSpeed = 200;
constexpr int kUnloadDrawSpeed = 10;
constexpr int kSpeedMargin = 10;
constexpr int kBuzzerCodeSounding = 0xFF;

// A load approaching its target pulses the pump: 10 cycles off, then up to
// loadPulseTicks on, 17 cycles a period. Unloading a double-circuit jack:
// 15 off, up to unloadPulseTicks on, 22 a period.
constexpr int kLoadPulseSilent = 10;
constexpr int kLoadPulseLastCount = 16;
constexpr int kUnloadPulseSilent = 15;
constexpr int kUnloadPulseLastCount = 21;

// The buzzer sounds on phases 6-9 of 11 (0.8 s of every 2.2 s).
constexpr int kBuzzerFirstOn = 6;
constexpr int kBuzzerLastOn = 9;
constexpr int kBuzzerLastPhase = 10;

// trunc(T - L + 10) without the undefined conversion of a huge or NaN load:
// the result only matters through its sign and the clamp to 0-255.
int SpeedFromShortfall(float target, float current) {
    const float speed = target - current + static_cast<float>(kSpeedMargin);
    if (std::isnan(speed))
        return 0;
    return static_cast<int>(std::clamp(speed, -1.0e6f, 1.0e6f));
}

void PutNumber(CommandFrame& frame, std::size_t offset, float value) {
    const Number3 number = EncodeNumber3(value);
    std::copy(number.begin(), number.end(), frame.begin() + static_cast<std::ptrdiff_t>(offset));
}

// The composition steps of one frame; lives for one call.
class FrameComposer {
  public:
    FrameComposer(const FrameInputs& in, const ControlSettings& settings, PumpCounters& counters)
        : m_in(in), m_settings(settings), m_counters(counters) {}

    CommandCycle Compose();

  private:
    bool Unloading() const { return m_in.state >= ControlState::Unloading; }
    int PumpSpeed() const;
    std::uint8_t PumpRun(int speed, bool nearTarget);
    std::uint8_t PulsedRun(int silentCycles, int runCycles, int lastCount);
    std::uint8_t Buzzer(bool& playBeep);

    const FrameInputs& m_in;
    const ControlSettings& m_settings;
    PumpCounters& m_counters;
};

CommandCycle FrameComposer::Compose() {
    CommandCycle cycle;
    CommandFrame& frame = cycle.frame;
    frame[1] = static_cast<std::uint8_t>(m_settings.gaugeMask & 0xFF);
    cycle.doubleCircuitJack = m_settings.doubleCircuitJack;
    if (!m_in.running)
        return cycle;

    frame[0] = m_in.pumpGate;
    int speed = PumpSpeed();

    const bool nearTarget = m_in.current > m_in.target - 0.2f * m_settings.stageStep &&
                            (!Unloading() || !m_settings.doubleCircuitJack);
    m_counters.nearTarget = nearTarget;

    frame[4] = PumpRun(speed, nearTarget);
    if (frame[4] == kOn)
        ++m_counters.runCycles;
    speed = std::clamp(speed, 0, 255);
    m_counters.pumpSpeed = speed;
    frame[3] = static_cast<std::uint8_t>(speed);
    frame[5] = Buzzer(cycle.playBeep);
    PutNumber(frame, 6, m_in.target);
    PutNumber(frame, 9, m_in.current);
    return cycle;
}

// Speed before clamping; its sign decides whether the pump runs at all.
int FrameComposer::PumpSpeed() const {
    const float target = m_in.target;
    const float current = m_in.current;
    const float band = m_settings.holdBand;
    int speed = 0;
    if (m_in.state == ControlState::Loading || m_in.state == ControlState::Reloading || m_in.topUp) {
        speed = SpeedFromShortfall(target, current);
    } else if (Unloading() && !m_settings.doubleCircuitJack) {
        // The pump tops the load up when it sinks too far below the unloading target.
        if (target - current > 0.5f * band)
            speed = SpeedFromShortfall(target, current);
    } else if (Unloading()) {
        // With the oil path reversed the pump draws the load down.
        if (current - target > 2.0f * band)
            speed = kUnloadDrawSpeed;
    }
    if (m_in.paused || m_in.pumpGate == PumpGate::closed)
        speed = 0;
    if (m_in.manualLoad)
        speed = kManualSpeed;
    return speed;
}

std::uint8_t FrameComposer::PumpRun(int speed, bool nearTarget) {
    std::uint8_t run = 0;
    if (speed > 0) {
        run = nearTarget ? PulsedRun(kLoadPulseSilent, m_settings.loadPulseTicks, kLoadPulseLastCount) : kOn;
    }
    if (Unloading() && m_settings.doubleCircuitJack &&
        m_in.current - m_in.target > 0.2f * m_settings.holdBand) {
        // Down to zero the pump runs through; towards a lower stage it pulses.
        run = m_in.target <= 0
                  ? kOn
                  : PulsedRun(kUnloadPulseSilent, m_settings.unloadPulseTicks, kUnloadPulseLastCount);
    }
    return speed > 0 ? run : 0;
}

// One step of a pulse period: off for silentCycles counts, on for up to
// runCycles counts after them, and the counter restarts after lastCount.
std::uint8_t FrameComposer::PulsedRun(int silentCycles, int runCycles, int lastCount) {
    const int count = m_counters.pulseCounter + 1;
    if (count > lastCount) {
        m_counters.pulseCounter = 0;
        return 0;
    }
    m_counters.pulseCounter = count;
    if (count == silentCycles + 1)
        m_counters.pulseStartLoad = m_in.current;
    return count > silentCycles && count <= silentCycles + runCycles ? kOn : 0;
}

std::uint8_t FrameComposer::Buzzer(bool& playBeep) {
    std::uint8_t buzzer = 0;
    const int code = m_in.buzzerCode;
    if (code == kBuzzerCodeSounding) {
        const int phase = m_counters.buzzerPhase + 1;
        if (phase >= kBuzzerFirstOn && phase <= kBuzzerLastOn)
            buzzer = static_cast<std::uint8_t>(code);
        m_counters.buzzerPhase = phase > kBuzzerLastPhase ? 0 : phase;
    }
    // A reading sounds the buzzer for five cycles and plays the beep file.
    if (m_counters.beepTicks > 0) {
        --m_counters.beepTicks;
        buzzer = kOn;
        playBeep = true;
    }
    return buzzer;
}

} // namespace

CommandCycle ComposeCommand(const FrameInputs& in, const ControlSettings& settings, PumpCounters& counters) {
    return FrameComposer(in, settings, counters).Compose();
}
