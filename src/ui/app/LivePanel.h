#pragma once

#include "core/view/LivePanel.h"

#include <QWidget>

class QAbstractButton;

// The live panel under the table and the curve: captions and value fields of
// the gauges, loads, state and clock, the message line, the pump-flow bar and
// the three switch places at the right. Every control is named by its id.
class LivePanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 132;

    explicit LivePanel(QWidget* parent = nullptr);

    void SetClockText(const QString& text);
    // Shows the picture of each switch place for the switches' state.
    void ShowSwitches(const SwitchPictures& pictures);
    // Shows the live values after a controller reply.
    void ShowView(const LivePanelView& view);

  signals:
    void ClockTapped();
    void PumpGateClicked();
    void ManualLoadAllowedClicked();
    void ManualLoadClicked();

  private:
    void SetField(int controlId, const QString& text);
    void AddValueField(int controlId, const QString& caption, int column, int row, const QColor& background);
    QAbstractButton* AddSwitchButton(int controlId, int place, const QPixmap& picture);
    void AddPumpFlow();
    void AddMessageLine();

    QAbstractButton* m_clock = nullptr;
    QAbstractButton* m_pumpAllowed = nullptr;
    QAbstractButton* m_pumpProhibited = nullptr;
    QAbstractButton* m_loadBlocked = nullptr;
    QAbstractButton* m_loadAllowed = nullptr;
    QAbstractButton* m_manualOff = nullptr;
    QAbstractButton* m_manualOn = nullptr;
    QAbstractButton* m_manualUnavailable = nullptr;
};
