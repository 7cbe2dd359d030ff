#pragma once

#include <QString>

#include <functional>

class Clock;
class KVTFile;
class Prompter;
class QWidget;
class TestEngine;
struct CPublic;
struct MainWindowState;

// Opens the setup and test-control dialogs from the toolbar, alone or as the
// steps of the new-test wizard, with the references each one needs.
class SetupDialogs {
  public:
    struct Services {
        CPublic& pub;
        const KVTFile& files;
        const Clock& clock;
        Prompter& prompter;
        TestEngine& engine;
        MainWindowState& state;
        std::function<void()> openSystemTime;
    };

    SetupDialogs(Services services, QWidget* parent);

    // "新试桩": channel, test, load-control, standard and test-control
    // dialogs in turn, as their next and back buttons set the step.
    void RunNewTestWizard();

    // The toolbar commands: each dialog alone, not as a wizard step.
    void OpenChannelSettings();
    void OpenTestSettings();
    void OpenLoadControlSettings();
    void OpenStandardSelection();
    void OpenTestControl();
    void OpenZeroSettings();

  private:
    void RunStep(int step);
    void ShowChannelSettings();
    void ShowTestSettings();
    void ShowLoadControlSettings();
    void ShowStandardSelection();
    void ShowTestControl();
    void ShowZeroSettings();

    Services m_services;
    QWidget* m_parent;
    // What the wizard shows again when the operator comes back to a step.
    QString m_pileNumber;
    QString m_controlLoadText;
};
