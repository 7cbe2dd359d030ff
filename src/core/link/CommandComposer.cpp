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

// Counts beepTicks down by one, never below 0, without losing a new count
// the user-interface thread stores in between.
bool TakeBeepTick(std::atomic<int>& beepTicks) {
    int ticks = beepTicks.load();
    while (ticks > 0) {
        if (beepTicks.compare_exchange_weak(ticks, ticks - 1))
            return true;
    }
    return false;
}

} // namespace

CommandCycle CommandComposer::Compose() {
    CPublic& pub = m_pub;
    if (pub.running && m_loadControlStep)
        m_loadControlStep();

    CommandCycle cycle;
    CommandFrame& frame = cycle.frame;
    frame[1] = static_cast<std::uint8_t>(pub.gaugeMask.load() & 0xFF);
    if (!pub.running)
        return cycle;

    const Snapshot in{pub.controlState, pub.targetLoad, pub.currentLoad, pub.holdBand, pub.doubleCircuitJack};
    frame[0] = pub.pumpGate;
    int speed = PumpSpeed(in, frame[0]);

    const bool nearTarget =
        in.current > in.target - 0.2f * pub.stageStep && (in.state < 5 || !in.doubleCircuit);
    pub.nearTarget = nearTarget;

    frame[4] = PumpRun(in, speed, nearTarget);
    speed = std::clamp(speed, 0, 255);
    pub.pumpSpeed = speed;
    frame[3] = static_cast<std::uint8_t>(speed);
    frame[5] = Buzzer(cycle.playBeep);
    PutNumber(frame, 6, in.target);
    PutNumber(frame, 9, in.current);
    return cycle;
}

// Speed before clamping; its sign decides whether the pump runs at all.
int CommandComposer::PumpSpeed(const Snapshot& in, std::uint8_t gate) const {
    int speed = 0;
    if (in.state == 1 || in.state == 3) {
        speed = SpeedFromShortfall(in.target, in.current);
    } else if (in.state >= 5 && !in.doubleCircuit) {
        // The pump tops the load up when it sinks too far below the unloading target.
        if (in.target - in.current > 0.5f * in.band)
            speed = SpeedFromShortfall(in.target, in.current);
    } else if (in.state >= 5) {
        // With the oil path reversed the pump draws the load down.
        if (in.current - in.target > 2.0f * in.band)
            speed = kUnloadDrawSpeed;
    }
    if (m_pub.pausedFlag || gate == PumpGate::closed)
        speed = 0;
    if (m_pub.manualLoad)
        speed = kManualSpeed;
    return speed;
}

std::uint8_t CommandComposer::PumpRun(const Snapshot& in, int speed, bool nearTarget) {
    std::uint8_t run = 0;
    if (speed > 0) {
        run = nearTarget ? PulsedRun(kLoadPulseSilent, m_pub.loadPulseTicks, kLoadPulseLastCount, in.current)
                         : kOn;
    }
    if (in.state >= 5 && in.doubleCircuit && in.current - in.target > 0.2f * in.band) {
        // Down to zero the pump runs through; towards a lower stage it pulses.
        run = in.target <= 0
                  ? kOn
                  : PulsedRun(kUnloadPulseSilent, m_pub.unloadPulseTicks, kUnloadPulseLastCount, in.current);
    }
    return speed > 0 ? run : 0;
}

// One step of a pulse period: off for silentCycles counts, on for up to
// runCycles counts after them, and the counter restarts after lastCount.
std::uint8_t CommandComposer::PulsedRun(int silentCycles, int runCycles, int lastCount, float current) {
    const int count = m_pub.pulseCounter + 1;
    if (count > lastCount) {
        m_pub.pulseCounter = 0;
        return 0;
    }
    m_pub.pulseCounter = count;
    if (count == silentCycles + 1)
        m_pub.pulseStartLoad = current;
    return count > silentCycles && count <= silentCycles + runCycles ? kOn : 0;
}

std::uint8_t CommandComposer::Buzzer(bool& playBeep) {
    CPublic& pub = m_pub;
    std::uint8_t buzzer = 0;
    const int code = pub.buzzerCode;
    if (code == kBuzzerCodeSounding) {
        const int phase = pub.buzzerPhase + 1;
        if (phase >= kBuzzerFirstOn && phase <= kBuzzerLastOn)
            buzzer = static_cast<std::uint8_t>(code);
        pub.buzzerPhase = phase > kBuzzerLastPhase ? 0 : phase;
    }
    // A reading sounds the buzzer for five cycles and plays the beep file.
    if (TakeBeepTick(pub.beepTicks)) {
        buzzer = kOn;
        playBeep = true;
    }
    return buzzer;
}
