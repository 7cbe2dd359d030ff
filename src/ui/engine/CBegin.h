#pragma once

#include "ui/panel/PanelDialog.h"

#include <functional>

class KVTFile;
class Prompter;
class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;
class TestEngine;
struct CPublic;

// Test control: start, pause, resume and end the test, step the stages by
// hand, take a manual reading, test the GPRS module and choose what is sent
// to the remote server. The dialog only asks and enables; the engine changes
// the run state.
class CBegin : public PanelDialog {
    Q_OBJECT
  public:
    // Control ids of the dialog.
    static constexpr int kStart = 1020;
    static constexpr int kEnd = 1021;
    static constexpr int kPause = 1022;
    static constexpr int kResume = 1023;
    static constexpr int kManualReading = 1016;
    static constexpr int kLoadNext = 1017;
    static constexpr int kUnloadNext = 1018;
    static constexpr int kExit = 1043;
    static constexpr int kZeroSettings = 1034;
    static constexpr int kSystemTime = 1001;
    static constexpr int kModuleTest = 1025;
    static constexpr int kUploadAtReading = 1062;
    static constexpr int kRealTimeSend = 1063;
    static constexpr int kModuleTestProgress = 1032;

    struct Services {
        CPublic& pub;
        TestEngine& engine;
        const KVTFile& files;
        Prompter& prompter;
        std::function<void()> openSystemTime;
        std::function<void()> openZeroSettings;
    };

    explicit CBegin(Services services, QWidget* parent = nullptr);

  private:
    void CreateHints();
    void CreateButtons();
    void CreateUploadControls();
    QPushButton* AddButton(int controlId, const QString& caption, const QRect& area);
    void ShowUploadChoice();
    void EnableByRunState();
    void SaveSettings();

    void OnStart();
    void OnEnd();
    void OnPause();
    void OnResume();
    void OnManualReading();
    void OnLoadNext();
    void OnUnloadNext();
    void OnUploadAtReading();
    void OnRealTimeSend();
    void OnModuleTest();
    void PollModuleTest();

    Services m_services;
    CPublic& m_pub;
    QCheckBox* m_uploadAtReading = nullptr;
    QCheckBox* m_realTimeSend = nullptr;
    QLabel* m_moduleTestProgress = nullptr;
    QLabel* m_startHint = nullptr; // why "开始测试" is grey, when the control load is 0
    QTimer* m_moduleTestTimer = nullptr;
};
