#include "ui/app/SetupDialogs.h"

#include "core/data/CPublic.h"
#include "core/engine/TestEngine.h"
#include "ui/app/MainWindowState.h"
#include "ui/engine/CBegin.h"
#include "ui/setup/CCSSZ.h"
#include "ui/setup/CChange.h"
#include "ui/setup/CKongZaiSZ.h"
#include "ui/setup/CTDSZ.h"
#include "ui/standards/CCriterion.h"

namespace {
namespace WizardStep {
constexpr int channels = 1;
constexpr int testSettings = 2;
constexpr int loadControl = 3;
constexpr int standard = 4;
constexpr int testControl = 5;
} // namespace WizardStep
} // namespace

SetupDialogs::SetupDialogs(Services services, QWidget* parent)
    : m_services(std::move(services)), m_parent(parent) {}

void SetupDialogs::RunNewTestWizard() {
    CPublic& pub = m_services.pub;
    if (m_services.state.fileChosen) {
        // A stored file was being viewed: the new test starts from a clean state.
        m_services.engine.RequestNewTestReset();
        m_services.engine.CarryOutNewTestReset();
        m_services.state.fileChosen = false;
    }
    pub.wizardMode = true;
    m_services.state.fileMode = FileMode::currentTest;
    pub.setupStep = WizardStep::channels;
    while (pub.setupStep >= WizardStep::channels && pub.setupStep <= WizardStep::testControl) {
        const int step = pub.setupStep;
        RunStep(step);
        if (step == WizardStep::testControl)
            break;
    }
}

void SetupDialogs::RunStep(int step) {
    switch (step) {
    case WizardStep::channels:
        ShowChannelSettings();
        break;
    case WizardStep::testSettings:
        ShowTestSettings();
        break;
    case WizardStep::loadControl:
        ShowLoadControlSettings();
        break;
    case WizardStep::standard:
        ShowStandardSelection();
        break;
    case WizardStep::testControl:
        ShowTestControl();
        break;
    }
}

void SetupDialogs::OpenChannelSettings() {
    m_services.pub.wizardMode = false;
    m_services.pub.viewDirty = false;
    ShowChannelSettings();
}

void SetupDialogs::OpenTestSettings() {
    m_services.pub.wizardMode = false;
    ShowTestSettings();
}

void SetupDialogs::OpenLoadControlSettings() {
    m_services.pub.wizardMode = false;
    ShowLoadControlSettings();
}

void SetupDialogs::OpenStandardSelection() {
    m_services.pub.wizardMode = false;
    ShowStandardSelection();
}

void SetupDialogs::OpenTestControl() {
    m_services.pub.wizardMode = false;
    ShowTestControl();
}

void SetupDialogs::OpenZeroSettings() {
    m_services.pub.wizardMode = false;
    ShowZeroSettings();
}

void SetupDialogs::ShowChannelSettings() {
    CTDSZ dialog(m_services.pub, m_services.prompter, m_parent);
    dialog.exec();
}

void SetupDialogs::ShowTestSettings() {
    CPublic& pub = m_services.pub;
    CCSSZ dialog(pub, pub.paramList, m_pileNumber, m_services.files, m_services.clock, m_services.prompter,
                 m_parent);
    QObject::connect(&dialog, &CCSSZ::NewTestResetRequested,
                     [this] { m_services.engine.RequestNewTestReset(); });
    dialog.exec();
}

void SetupDialogs::ShowLoadControlSettings() {
    CPublic& pub = m_services.pub;
    CKongZaiSZ dialog(pub, pub.paramList, m_controlLoadText, m_services.files, m_services.prompter, m_parent);
    dialog.exec();
}

void SetupDialogs::ShowZeroSettings() {
    CChange dialog(m_services.pub, m_services.prompter, m_parent);
    dialog.exec();
}

void SetupDialogs::ShowStandardSelection() {
    CPublic& pub = m_services.pub;
    CCriterion dialog(pub, pub.paramList, m_services.files, m_services.prompter, m_parent);
    dialog.exec();
}

void SetupDialogs::ShowTestControl() {
    CBegin dialog(CBegin::Services{.pub = m_services.pub,
                                   .engine = m_services.engine,
                                   .files = m_services.files,
                                   .prompter = m_services.prompter,
                                   .openSystemTime = m_services.openSystemTime,
                                   .openZeroSettings = [this] { ShowZeroSettings(); }},
                  m_parent);
    dialog.exec();
}
