#pragma once

#include "core/setup/ZeroSettings.h"

#include "ui/panel/PanelDialog.h"

#include <array>

class NumericKeypad;
class Prompter;
class QLineEdit;
class QPushButton;
struct CPublic;

// Zero settings: zeroes the load channel and the gauges, reverses a gauge,
// sets a gauge to a typed value, and carries the gauges over a range
// adjustment (dial gauges reset during a test) without a jump in the
// settlement. Opened from the toolbar and from the test-control dialog.
//
// The dialog always ends with reject().
class CChange : public PanelDialog {
    Q_OBJECT
  public:
    static constexpr int kLoadCurrent = 1001;
    static constexpr std::array<int, 8> kGaugeCurrentIds = {1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009};
    static constexpr int kLoadModified = 1027; // present, not offered
    static constexpr std::array<int, 8> kGaugeModifiedIds = {1011, 1012, 1013, 1014, 1015, 1024, 1025, 1026};
    static constexpr int kLoadZero = 1063;
    static constexpr std::array<int, 8> kGaugeZeroIds = {1064, 1065, 1066, 1067, 1068, 1069, 1070, 1071};
    static constexpr int kLoadReverse = 1072; // present, not offered
    static constexpr std::array<int, 8> kGaugeReverseIds = {1073, 1074, 1075, 1076, 1077, 1078, 1079, 1080};
    static constexpr int kAdjustRange = 1040;
    static constexpr int kApply = 1041;
    static constexpr int kLeave = 1042;

    CChange(CPublic& pub, Prompter& prompter, QWidget* parent = nullptr);

    // "位移传感器调整量程": asks, and on Yes captures the gauges' values.
    void AdjustRange();
    // "确定": applies the table (during a test or in the wizard) and closes.
    void Apply();
    // "退出": calls off a range adjustment and closes.
    void Leave();

    // Closing the window any other way is leaving it.
    void reject() override;

  private:
    struct ChannelRow {
        QLineEdit* current = nullptr;
        QLineEdit* modified = nullptr;
        QPushButton* zero = nullptr;
        QPushButton* reverse = nullptr;
    };

    void CreateTable();
    ChannelRow AddRow(int row, const QString& name, int currentId, int modifiedId, int zeroId, int reverseId);
    QPushButton* AddToggle(int controlId, const QRect& area);
    void CreateButtons();
    void ShowForm(const ZeroForm& form);
    ZeroForm ReadForm() const;

    CPublic& m_pub;
    Prompter& m_prompter;
    RangeAdjustment m_rangeAdjustment;
    NumericKeypad* m_keypad = nullptr;
    ChannelRow m_load;
    std::array<ChannelRow, 8> m_gauges{};
};
