#pragma once

#include "core/view/LivePanel.h"

#include <atomic>

// The operator's switches for the pump: the pump gate, whether manual load
// control is allowed, and manual load control itself. While manual loading
// is on the controller worker runs the pump whatever the gate said before.
class LoadControlSwitches {
  public:
    explicit LoadControlSwitches(CPublic& pub);

    // Opens a closed gate, closes an open one; clears the pressure-build
    // alarm and ends manual loading.
    void TogglePumpGate();
    void ToggleManualLoadAllowed();
    // Only while manual loading is allowed.
    void ToggleManualLoad();

    // Read by the live panel refresh on the controller reader thread.
    bool ManualLoadAllowed() const { return m_manualLoadAllowed.load(); }
    SwitchPictures Pictures() const;

  private:
    void ClearPressureAlarm();
    // Ends manual loading and closes the gate again if manual loading opened it.
    void EndManualLoad();

    CPublic& m_pub;
    std::atomic<bool> m_manualLoadAllowed{false};
    bool m_gateClosedBeforeManual = false; // user-interface thread only
};
