#pragma once

#include "core/data/ParameterList.h"
#include "core/standards/StandardForm.h"

#include "ui/panel/PanelDialog.h"

#include <array>
#include <map>

class KVTFile;
class NumericKeypad;
class Prompter;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct CPublic;

// Standard selection: the building standard the test follows and its
// stability criteria and reading intervals. Preset standards show their
// values read-only; "用户输入" lets the operator type them. Step 4 of the
// new-test wizard, or opened alone from the toolbar.
class CCriterion : public PanelDialog {
    Q_OBJECT
  public:
    // Control ids of the dialog.
    static constexpr int kBearingLabel = 1026;
    static constexpr int kBearingBox = 1027;
    static constexpr int kBack = 1040;
    static constexpr int kConfirm = 1042;

    CCriterion(CPublic& pub, ParameterList& list, const KVTFile& files, Prompter& prompter,
               QWidget* parent = nullptr);

    // "上一步" / "退出": leaves without storing; in the wizard back to the
    // load-control settings.
    void BackStep();
    // "下一步" / "确定": checks, stores, saves and closes.
    void ConfirmStandard();

  private:
    void CreateRadios();
    void CreateCriteriaBoxes();
    void CreateIntervalBoxes();
    void CreateButtons();
    QLineEdit* AddBox(int controlId, const QRect& area, bool allowsPoint);
    void ShowStandard();
    void OnRadioClicked(int code);
    void ShowForm();
    void ReadForm();

    CPublic& m_pub;
    ParameterList& m_list;
    const KVTFile& m_files;
    Prompter& m_prompter;
    StandardForm m_form;

    NumericKeypad* m_keypad = nullptr;
    std::map<int, QRadioButton*> m_radios; // by standard code
    QLineEdit* m_holdMinutes = nullptr;
    QLineEdit* m_stableCheckMinutes = nullptr;
    QLineEdit* m_stableCheckCount = nullptr;
    QLineEdit* m_stableSettlement = nullptr;
    std::array<QLineEdit*, 6> m_loadIntervals{};
    std::array<QLineEdit*, 6> m_unloadIntervals{};
    QLabel* m_bearingLabel = nullptr;
    QLineEdit* m_bearingBox = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_confirm = nullptr;
};
