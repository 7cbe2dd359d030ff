#include "core/engine/RunController.h"

#include "core/engine/ControlStateMachine.h"
#include "core/link/MeasurementConversion.h"

void RunController::Post(const RunCommand& command) {
    const std::lock_guard lock(m_mutex);
    m_pending.push_back(command);
}

void RunController::RequestPumpGate(std::uint8_t gate) {
    if (View().pumpGate != gate)
        Post(RunCommands::SetPumpGate{gate});
}

void RunController::RequestBuzzer(int code) {
    if (View().buzzerCode != code)
        Post(RunCommands::SetBuzzer{code});
}

void RunController::SetControlSettings(const ControlSettings& settings) {
    const std::lock_guard lock(m_mutex);
    m_controlSettings = settings;
}

void RunController::SetConversionSettings(const ConversionSettings& settings) {
    const std::lock_guard lock(m_mutex);
    m_conversionSettings = settings;
}

RunState RunController::View() const {
    const std::lock_guard lock(m_mutex);
    RunState view = m_published;
    for (const RunCommand& command : m_pending)
        ApplyRunCommand(view, command);
    return view;
}

LiveSample RunController::Live() const {
    const std::lock_guard lock(m_mutex);
    return m_publishedSample;
}

ConversionSettings RunController::Conversion() const {
    const std::lock_guard lock(m_mutex);
    return m_conversionSettings;
}

CommandCycle RunController::Cycle() {
    std::vector<RunCommand> commands;
    ControlSettings settings;
    {
        const std::lock_guard lock(m_mutex);
        commands = m_pending;
        settings = m_controlSettings;
    }
    for (const RunCommand& command : commands)
        ApplyRunCommand(m_state, command);
    WatchLink();
    // A stale load must not move the control state.
    if (m_state.running && !m_state.linkFault)
        LoadControlStep(m_state, m_sample.currentLoad, settings.holdBand);

    const FrameInputs inputs{
        .running = m_state.running,
        .state = m_state.controlState,
        .target = m_state.targetLoad,
        .current = m_sample.currentLoad,
        .paused = m_state.pausedFlag,
        .manualLoad = m_state.manualLoad,
        .topUp = m_state.stableTopUp,
        .pumpGate = m_state.pumpGate,
        .buzzerCode = m_state.buzzerCode,
    };
    const CommandCycle cycle = ComposeCommand(inputs, settings, m_state.pump);
    if (m_midCycle)
        m_midCycle();

    const std::lock_guard lock(m_mutex);
    m_published = m_state;
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(commands.size()));
    return cycle;
}

// Counts this cycle against the last whole reply. While the link is at fault
// the pump stays stopped whatever was asked: it would be steered by a load
// nobody measures. The operator opens the gate again once replies return.
void RunController::WatchLink() {
    if (m_cyclesWithoutReply < kLinkFaultCycles)
        ++m_cyclesWithoutReply;
    m_state.linkFault = m_cyclesWithoutReply >= kLinkFaultCycles;
    if (m_state.linkFault) {
        m_state.pumpGate = PumpGate::closed;
        m_state.manualLoad = false;
    }
}

bool RunController::HandleReply(std::span<const std::uint8_t> block, qint64 arrivalMs) {
    if (block.size() != kReplyBlockSize)
        return false;
    // A whole reply shows the controller alive even when it carries nothing.
    m_cyclesWithoutReply = 0;
    const std::optional<LiveSample> converted = ConvertReply(Conversion(), block, m_sample);
    if (!converted)
        return false;
    const std::uint64_t number = m_sample.number + 1;
    m_sample = *converted;
    m_sample.number = number;
    m_sample.arrivalMs = arrivalMs;
    m_sample.controlState = m_state.controlState;
    const std::lock_guard lock(m_mutex);
    m_publishedSample = m_sample;
    return true;
}
