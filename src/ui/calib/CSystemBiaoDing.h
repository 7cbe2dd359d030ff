#pragma once

#include "core/calib/SystemCalibration.h"

#include "ui/panel/PanelDialog.h"

#include <array>
#include <functional>

class DeviceFolders;
class NumericKeypad;
class Prompter;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
struct CPublic;

// System calibration: the operator applies standard forces to the whole
// measuring chain and records what the instrument reads at each, then
// repeats the series in a check pass corrected through the recorded table.
// The run lives in xtbd.ini and survives closing the dialog and a restart.
class CSystemBiaoDing : public PanelDialog {
    Q_OBJECT
  public:
    static constexpr int kOilRadio = 1108;
    static constexpr int kLoadRadio = 1109;
    static constexpr int kMaxForce = 1001;
    static constexpr int kPointCount = 1002;
    static constexpr int kRange = 1003;
    static constexpr int kRatedForce = 1004;
    static constexpr int kSensitivity = 1005;
    static constexpr int kRatedPressure = 1006;
    static constexpr int kRangeLabel = 1071;
    static constexpr int kSensitivityLabel = 1037;
    // Points 0-10.
    static constexpr std::array<int, 11> kStandardIds = {1094, 1095, 1096, 1097, 1098, 1099,
                                                         1100, 1101, 1102, 1103, 1104};
    static constexpr std::array<int, 11> kForceIds = {1072, 1073, 1074, 1075, 1076, 1077,
                                                      1078, 1079, 1080, 1081, 1082};
    static constexpr std::array<int, 11> kPressureIds = {1083, 1084, 1085, 1086, 1087, 1088,
                                                         1089, 1090, 1091, 1092, 1093};
    static constexpr int kLeftForceHeader = 1110;
    static constexpr int kRightForceHeader = 1111;
    static constexpr int kNextStandard = 1105;
    static constexpr int kLiveForce = 1106;
    static constexpr int kLivePressure = 1107;
    static constexpr int kStart = 1016;
    static constexpr int kRecord = 1023;
    static constexpr int kClear = 1021;
    static constexpr int kCheck = 1040;
    static constexpr int kCalibrationView = 1013;
    static constexpr int kExit = 1041;
    static constexpr int kLivePeriodMs = 500;

    CSystemBiaoDing(CPublic& pub, const DeviceFolders& folders, Prompter& prompter,
                    std::function<void()> playSound, QWidget* parent = nullptr);

    void OnOilSensor();
    void OnLoadSensor();
    void Start();
    // Timer 1: the live values from the newest controller reply.
    void RefreshLive();
    void Record();
    void Clear();
    void EnterCheck();
    void ShowCalibration();

    const SystemCalibrationRun& Run() const { return m_run; }
    bool LiveTimerActive() const;

  private:
    void CreateEntries();
    void CreateTable();
    void CreateLiveValues();
    void CreateButtons();
    void ShowForm(const SystemCalibrationForm& form);
    SystemCalibrationForm ReadForm() const;
    void ShowSensorLabels(bool oilSensor);
    void ShowRun();
    void Save();

    CPublic& m_pub;
    const DeviceFolders& m_folders;
    Prompter& m_prompter;
    std::function<void()> m_playSound;
    SystemCalibrationRun m_run;
    QTimer* m_timer = nullptr;
    NumericKeypad* m_keypad = nullptr;
    QRadioButton* m_oilRadio = nullptr;
    QRadioButton* m_loadRadio = nullptr;
    QLineEdit* m_maxForce = nullptr;
    QLineEdit* m_pointCount = nullptr;
    QLineEdit* m_range = nullptr;
    QLineEdit* m_sensitivity = nullptr;
    QLineEdit* m_ratedForce = nullptr;
    QLineEdit* m_ratedPressure = nullptr;
    QLabel* m_rangeLabel = nullptr;
    QLabel* m_sensitivityLabel = nullptr;
    std::array<QLabel*, 2> m_forceHeaders{};
    std::array<QLineEdit*, 11> m_standard{};
    std::array<QLineEdit*, 11> m_force{};
    std::array<QLineEdit*, 11> m_pressure{};
    QLineEdit* m_nextStandard = nullptr;
    QLineEdit* m_liveForce = nullptr;
    QLineEdit* m_livePressure = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_record = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_check = nullptr;
    QPushButton* m_calibrationView = nullptr;
};
