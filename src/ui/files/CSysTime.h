#pragma once

#include "ui/panel/PanelDialog.h"
#include <QDateTime>

#include <functional>

class Clock;
class QCalendarWidget;
class QTimeEdit;
struct CPublic;

// The date and time of the instrument, set by the operator; opened by a
// double tap on the main screen's clock and from the test control.
class CSysTime : public PanelDialog {
    Q_OBJECT
  public:
    static constexpr int kCalendar = 1011;
    static constexpr int kTimePicker = 1012;
    static constexpr int kOk = 1014;
    static constexpr int kCancel = 1041;

    using DeviceTimeSetter = std::function<void(const QDateTime& localTime)>;

    CSysTime(CPublic& pub, const Clock& clock, DeviceTimeSetter setDeviceTime, QWidget* parent = nullptr);

    // "确定": a running test marks its next reading, then the chosen date and
    // time become the device's local time.
    void OnOk();

  private:
    CPublic& m_pub;
    const Clock& m_clock;
    DeviceTimeSetter m_setDeviceTime;
    QCalendarWidget* m_calendar = nullptr;
    QTimeEdit* m_timePicker = nullptr;
};
