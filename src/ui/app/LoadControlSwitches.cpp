#include "ui/app/LoadControlSwitches.h"

#include "core/data/CPublic.h"

LoadControlSwitches::LoadControlSwitches(CPublic& pub) : m_pub(pub) {}

void LoadControlSwitches::TogglePumpGate() {
    m_pub.pumpGate = m_pub.pumpGate == PumpGate::closed ? PumpGate::open : PumpGate::closed;
    ClearPressureAlarm();
    // The operator has set the gate; manual loading must not undo that.
    m_pub.manualLoad = false;
    m_gateClosedBeforeManual = false;
}

void LoadControlSwitches::ToggleManualLoadAllowed() {
    const bool allowed = !m_manualLoadAllowed;
    m_manualLoadAllowed = allowed;
    if (!allowed && m_pub.manualLoad)
        EndManualLoad();
}

void LoadControlSwitches::ToggleManualLoad() {
    if (!m_manualLoadAllowed)
        return;
    if (m_pub.manualLoad) {
        EndManualLoad();
        return;
    }
    m_gateClosedBeforeManual = m_pub.pumpGate == PumpGate::closed;
    ClearPressureAlarm();
    m_pub.pumpGate = PumpGate::open;
    m_pub.manualLoad = true;
}

void LoadControlSwitches::EndManualLoad() {
    m_pub.manualLoad = false;
    if (m_gateClosedBeforeManual)
        m_pub.pumpGate = PumpGate::closed;
    m_gateClosedBeforeManual = false;
}

void LoadControlSwitches::ClearPressureAlarm() {
    m_pub.pressureAlarm = false;
    m_pub.pumpRunSeconds = 0;
}

SwitchPictures LoadControlSwitches::Pictures() const {
    return SwitchPicturesFor(m_pub, m_manualLoadAllowed);
}
