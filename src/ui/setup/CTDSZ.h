#pragma once

#include "core/setup/ChannelSettings.h"

#include "ui/panel/PanelDialog.h"

#include <array>

class Prompter;
class QPushButton;
struct CPublic;

// Channel settings: which of the eight gauges take part in the test and
// whether it is a single-pile or a ground test. Step 1 of the new-test
// wizard, or opened alone from the toolbar. Every button keeps its
// selection in its caption (a leading "√").
//
// The dialog always ends with reject(); the wizard learns the outcome from
// `setupStep`.
class CTDSZ : public PanelDialog {
    Q_OBJECT
  public:
    // Buttons of gauges 1-8, in gauge order.
    static constexpr std::array<int, 8> kGaugeIds = {1020, 1025, 1024, 1027, 1021, 1023, 1022, 1026};
    static constexpr int kSingle = 1040;
    static constexpr int kGround = 1041;
    static constexpr int kConfirm = 1042;
    static constexpr int kLeave = 1043;

    CTDSZ(CPublic& pub, Prompter& prompter, QWidget* parent = nullptr);

    // "下一步" / "确定": stores the choice and closes; stays open with a
    // message when a running test would be left without a gauge.
    void Confirm();
    // "退出": ends the wizard and closes.
    void Leave();

    // Closing the window any other way is leaving it.
    void reject() override;

  private:
    void CreateButtons();
    QPushButton* AddButton(int controlId, const QRect& area);
    void ToggleGauge(QPushButton* button);
    void ChooseSingle();
    void ChooseGround();
    void ShowForm(const ChannelForm& form);
    ChannelForm ReadForm() const;

    CPublic& m_pub;
    Prompter& m_prompter;
    std::array<QPushButton*, 8> m_gauges{};
    QPushButton* m_single = nullptr;
    QPushButton* m_ground = nullptr;
    QPushButton* m_confirm = nullptr;
};
