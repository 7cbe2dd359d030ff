#pragma once

#include "core/data/ParameterList.h"
#include "core/setup/TestSettingsForm.h"

#include "ui/panel/PanelDialog.h"

#include <map>

class Clock;
class KVTFile;
class NumericKeypad;
class Prompter;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct CPublic;
struct KeypadField;

// Test settings: the test's serial and pile numbers, the sensor, the jack
// and how the oil pressure becomes a load. Step 2 of the new-test wizard, or
// opened alone from the toolbar. The dialog always ends rejected; the wizard
// learns where to go from `setupStep`.
class CCSSZ : public PanelDialog {
    Q_OBJECT
  public:
    // `pileNumber` is the pile number shown in the wizard; it receives the
    // one entered.
    CCSSZ(CPublic& pub, ParameterList& list, QString& pileNumber, const KVTFile& files, const Clock& clock,
          Prompter& prompter, QWidget* parent = nullptr);

    // "上一步" / "退出": leaves without storing; in the wizard back to the
    // channel settings.
    void Back();
    // "下一步" / "确定": checks, stores, saves and closes.
    void Confirm();

  signals:
    // "上一步" in the wizard: the new test starts over.
    void NewTestResetRequested();

  private:
    void CreateProjectGroup();
    void CreateSensorGroup();
    void CreateJackGroup();
    void CreateModeGroups();
    void CreateButtons();
    // The box with its caption label, which is returned.
    QLabel* AddBox(int controlId, const QString& caption, const QRect& labelArea, const QRect& boxArea,
                   KeypadField field);
    QRadioButton* AddRadio(QWidget* group, int controlId, const QString& caption, const QRect& area);

    void Open();
    void ShowForm();
    void ShowModeControls();
    void DisableEntries();
    void ShowSensorLabels(SensorKind sensor);
    void ReadForm();
    void ShowCoefficient();
    void FocusBox(int controlId);

    void OnSensorClicked(SensorKind sensor);
    void OnModeClicked(PressureMode mode);
    void OnCalibrationClicked(CalibrationMode calibration);

    CPublic& m_pub;
    ParameterList& m_list;
    QString& m_pileNumber;
    const KVTFile& m_files;
    const Clock& m_clock;
    Prompter& m_prompter;
    TestSettingsForm m_form;
    bool m_editable = true;     // false while a running test is only looked at
    bool m_showingForm = false; // box texts are being set, not typed

    NumericKeypad* m_keypad = nullptr;
    std::map<int, QLineEdit*> m_boxes;     // by control id
    std::map<int, QRadioButton*> m_radios; // by control id
    QLineEdit* m_coefficient = nullptr;
    QLabel* m_rangeLabel = nullptr;
    QLabel* m_sensitivityLabel = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_confirm = nullptr;
};
