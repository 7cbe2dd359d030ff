#include "ui/app/LoadControlSwitches.h"

#include "core/data/CPublic.h"

LoadControlSwitches::LoadControlSwitches(CPublic& pub) : m_pub(pub) {}

void LoadControlSwitches::TogglePumpGate() {
    const bool closed = m_pub.run.View().pumpGate == PumpGate::closed;
    m_pub.run.Post(RunCommands::SetPumpGate{closed ? PumpGate::open : PumpGate::closed});
    ClearPressureAlarm();
    m_pub.resumedPumpClosed = false;
    m_pub.startupNotice.clear();
    // The operator has set the gate; manual loading must not undo that.
    m_pub.run.Post(RunCommands::SetManualLoad{false});
    m_gateClosedBeforeManual = false;
}

void LoadControlSwitches::ToggleManualLoadAllowed() {
    const bool allowed = !m_manualLoadAllowed;
    m_manualLoadAllowed = allowed;
    if (!allowed && m_pub.run.View().manualLoad)
        EndManualLoad();
}

void LoadControlSwitches::ToggleManualLoad() {
    if (!m_manualLoadAllowed)
        return;
    const RunState run = m_pub.run.View();
    if (run.manualLoad) {
        EndManualLoad();
        return;
    }
    m_gateClosedBeforeManual = run.pumpGate == PumpGate::closed;
    ClearPressureAlarm();
    m_pub.run.Post(RunCommands::SetPumpGate{PumpGate::open});
    m_pub.run.Post(RunCommands::SetManualLoad{true});
}

void LoadControlSwitches::EndManualLoad() {
    m_pub.run.Post(RunCommands::SetManualLoad{false});
    if (m_gateClosedBeforeManual)
        m_pub.run.Post(RunCommands::SetPumpGate{PumpGate::closed});
    m_gateClosedBeforeManual = false;
}

void LoadControlSwitches::ClearPressureAlarm() {
    m_pub.pressureAlarm = false;
    m_pub.pumpRunSeconds = 0;
}

SwitchPictures LoadControlSwitches::Pictures() const {
    return SwitchPicturesFor(m_pub.run.View(), m_manualLoadAllowed);
}
