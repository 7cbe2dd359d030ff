#pragma once

#include "core/data/ParameterList.h"
#include "core/setup/LoadControlForm.h"

#include "ui/panel/PanelDialog.h"
#include <QString>

#include <utility>
#include <vector>

class KVTFile;
class NumericKeypad;
class Prompter;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct CPublic;

// Load-control settings: the control load, re-loading band, stage load and
// limit load, the plate area of a ground test, automatic or manual stage
// advance, the alarm limits, the loading protection time and the pump pulse
// lengths. Step 3 of the new-test wizard, or opened alone from the toolbar,
// also while a test runs so its values can be changed on the way.
class CKongZaiSZ : public PanelDialog {
    Q_OBJECT
  public:
    // Control ids of the dialog.
    static constexpr int kBack = 1040;
    static constexpr int kConfirm = 1042;
    static constexpr int kAutomatic = 1048;
    static constexpr int kManual = 1049;
    static constexpr int kCoefficientBox = 1010;
    static constexpr int kTargetLoadBox = 1011;
    static constexpr int kPlateAreaBox = 1015;
    static constexpr int kPlateAreaLabel = 1070;

    // `controlLoadText` is the wizard's control load: shown in box 1011 and,
    // after "下一步", replaced by the text entered there.
    CKongZaiSZ(CPublic& pub, ParameterList& list, QString& controlLoadText, const KVTFile& files,
               Prompter& prompter, QWidget* parent = nullptr);

    // "上一步" / "退出": leaves without storing; in the wizard back to the
    // test settings.
    void Back();
    // "下一步" / "确定": checks, stores, saves and closes; alone with no test
    // running it stores nothing and closes, saying so when a value was
    // changed.
    void Confirm();

  private:
    void CreateLoadGroup();
    void CreateProtectionGroup();
    void CreateButtons();
    QLineEdit* AddBox(int controlId, QString LoadControlForm::*field, const QRect& area);
    void ShowSettings();
    void ShowForm(const LoadControlForm& form);
    LoadControlForm ReadForm() const;

    CPublic& m_pub;
    ParameterList& m_list;
    QString& m_controlLoadText;
    const KVTFile& m_files;
    Prompter& m_prompter;

    LoadControlForm m_shownForm; // as the dialog opened
    NumericKeypad* m_keypad = nullptr;
    std::vector<std::pair<QString LoadControlForm::*, QLineEdit*>> m_boxes; // every box with its form text
    QLineEdit* m_coefficientBox = nullptr;
    QLineEdit* m_targetLoadBox = nullptr;
    QLineEdit* m_plateAreaBox = nullptr;
    QLabel* m_targetLoadLabel = nullptr;
    QLabel* m_holdBandLabel = nullptr;
    QLabel* m_stageStepLabel = nullptr;
    QLabel* m_maxLoadLabel = nullptr;
    QLabel* m_plateAreaLabel = nullptr;
    QRadioButton* m_automatic = nullptr;
    QRadioButton* m_manual = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_confirm = nullptr;
};
