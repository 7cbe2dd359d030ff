#pragma once

// Double-tap detection on the clock field: two taps within about two ticks
// of the one-second timer open the system time dialog.
class ClockDoubleTap {
  public:
    // One tap on the clock; true when it completes a double tap.
    bool Tap();
    // The timer's once-a-second step.
    void Tick();
    void Reset();

    int ClockClicks() const { return m_clockClicks; }
    int ClockClickTimer() const { return m_clockClickTimer; }

  private:
    int m_clockClicks = 0;
    int m_clockClickTimer = 0;
};
