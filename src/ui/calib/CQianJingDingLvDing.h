#pragma once

#include "core/calib/JackCalibration.h"

#include "ui/panel/PanelDialog.h"

#include <array>

class KVTFile;
class NumericKeypad;
class Prompter;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct CPublic;

// Jack calibration ("千斤顶率定"): ten groups of at most ten points, each
// written once and then frozen; the test settings select one by its jack
// (and sensor) number and the load conversion interpolates in its points.
class CQianJingDingLvDing : public PanelDialog {
    Q_OBJECT
  public:
    static constexpr int kJackRadio = 1056;
    static constexpr int kSystemRadio = 1057;
    static constexpr int kJackNumber = 1001;
    static constexpr int kSensorNumber = 1002;
    static constexpr int kMaxForce = 1003;
    static constexpr int kPointCount = 1004;
    static constexpr int kGroupLabel = 1058;
    // Points 0-10.
    static constexpr std::array<int, 11> kStandardIds = {1005, 1006, 1007, 1008, 1009, 1010,
                                                         1011, 1012, 1013, 1014, 1015};
    static constexpr std::array<int, 11> kMeasuredIds = {1016, 1059, 1060, 1061, 1062, 1063,
                                                         1064, 1065, 1066, 1067, 1068};
    static constexpr int kLeftHeader = 1071;
    static constexpr int kRightHeader = 1072;
    static constexpr int kGenerate = 1041;
    static constexpr int kPrevious = 1069;
    static constexpr int kNext = 1021;
    static constexpr int kSave = 1023;
    static constexpr int kDelete = 1040;
    static constexpr int kExit = 1043;

    CQianJingDingLvDing(CPublic& pub, const KVTFile& files, Prompter& prompter, QWidget* parent = nullptr);

    void OnJackType();
    void OnSystemType();
    void GenerateForces();
    void PreviousGroup();
    void NextGroup();
    void SaveGroup();
    void DeleteGroup();

    int CurrentGroup() const { return m_currentGroup; }
    bool Editable() const { return m_editable; }

  private:
    void CreateEntries();
    void CreateTable();
    void CreateButtons();
    void ShowGroup();
    void MovedTo(int group);
    void SetInputsEnabled(bool enabled, int pointCount);
    void SetHeaders(const char* header);
    JackGroupForm ReadForm() const;
    JackRecord& Current();

    CPublic& m_pub;
    const KVTFile& m_files;
    Prompter& m_prompter;
    int m_currentGroup = 1;
    bool m_editable = true;
    NumericKeypad* m_keypad = nullptr;
    QRadioButton* m_jackRadio = nullptr;
    QRadioButton* m_systemRadio = nullptr;
    QLineEdit* m_jackNumber = nullptr;
    QLineEdit* m_sensorNumber = nullptr;
    QLineEdit* m_maxForce = nullptr;
    QLineEdit* m_pointCount = nullptr;
    QLabel* m_groupLabel = nullptr;
    QLabel* m_leftHeader = nullptr;
    QLabel* m_rightHeader = nullptr;
    std::array<QLineEdit*, 11> m_standard{};
    std::array<QLineEdit*, 11> m_measured{};
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_generate = nullptr;
    QPushButton* m_save = nullptr;
};
