#include "ui/app/SetupDialogs.h"

#include "core/data/CPublic.h"
#include "core/engine/TestEngine.h"
#include "ui/app/MainWindowState.h"
#include "ui/engine/CBegin.h"
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
    case WizardStep::standard:
        ShowStandardSelection();
        break;
    case WizardStep::testControl:
        ShowTestControl();
        break;
    default:
        break;
    }
}

void SetupDialogs::OpenStandardSelection() {
    m_services.pub.wizardMode = false;
    ShowStandardSelection();
}

void SetupDialogs::OpenTestControl() {
    m_services.pub.wizardMode = false;
    ShowTestControl();
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
                                   .openSystemTime = m_services.openSystemTime},
                  m_parent);
    dialog.exec();
}
