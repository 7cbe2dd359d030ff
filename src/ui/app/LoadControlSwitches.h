#pragma once

#include <atomic>
#include <cstdint>

struct CPublic;

// Values of the pump gate, the first byte of every controller command.
namespace PumpGate {
inline constexpr std::uint8_t closed = 0x40; // '@': pump prohibited
inline constexpr std::uint8_t open = 0;
} // namespace PumpGate

// Which picture each of the three switch places under the live panel shows.
struct SwitchPictures {
    enum class Manual { Unavailable, Off, On }; // 1055 grey, 1045 red, 1054 green

    bool pumpProhibited; // 1052 "油泵禁止" instead of 1044 "油泵允许"
    bool loadAllowed;    // 1046 "允许控载" instead of 1053 "禁止控载"
    Manual manual;
};

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
    bool manualLoadAllowed() const { return m_manualLoadAllowed.load(); }
    SwitchPictures Pictures() const;

  private:
    void ClearPressureAlarm();
    // Ends manual loading and closes the gate again if manual loading opened it.
    void EndManualLoad();

    CPublic& m_pub;
    std::atomic<bool> m_manualLoadAllowed{false};
    bool m_gateClosedBeforeManual = false; // user-interface thread only
};
