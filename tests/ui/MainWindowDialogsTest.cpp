#include "MainWindowFixture.h"

#include "core/engine/TestEngine.h"
#include "ui/app/ControlIds.h"
#include "ui/app/ToolbarCommands.h"
#include "ui/standards/CCriterion.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

namespace {

// Closes the modal dialog the next event loop shows, noting its type.
template <typename Dialog> void CloseWhenShown(bool& shown) {
    QTimer::singleShot(0, [&shown] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        shown = dialog != nullptr;
        if (dialog)
            dialog->reject();
    });
}

class MainWindowDialogsTest : public MainWindowTest {
  protected:
    std::unique_ptr<CMainDlg> OpenWithEngine() {
        auto window = std::make_unique<CMainDlg>(MainWindowServices{
            .pub = pub,
            .files = device.files(),
            .folders = device.folders(),
            .clock = clock,
            .prompter = prompter,
            .launcher = launcher,
            .quit = [] {},
            .options = {},
            .hooks = hooks,
            .engine = &engine,
        });
        return window;
    }
    TestEngine engine{pub, device.files(), clock};
};

TEST_F(MainWindowDialogsTest, StandardSelectionOpensOutsideTheWizard) {
    auto window = OpenWithEngine();
    pub.wizardMode = true;
    bool shown = false;
    CloseWhenShown<CCriterion>(shown);
    Command(*window, CommandId::standardSelection)->trigger();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(pub.wizardMode);
}

TEST_F(MainWindowDialogsTest, NewTestResetStartsTheWindowOver) {
    auto window = OpenWithEngine();
    window->state().fileMode = FileMode::viewing;
    window->state().tableView = 1;
    window->state().curveView = 3;
    window->state().fileChosen = true;
    window->state().fileOpenRequested = true;
    for (const int id : {ControlId::gaugeFifth + 2, ControlId::nextReading, ControlId::messageLine})
        qobject_cast<QLabel*>(Control(*window, id))->setText("9.99");
    qobject_cast<QProgressBar*>(Control(*window, ControlId::pumpFlow))->setValue(200);

    window->ResetForNewTest();

    EXPECT_EQ(window->state().fileMode, FileMode::currentTest);
    EXPECT_EQ(window->state().tableView, 3);
    EXPECT_EQ(window->state().curveView, 1);
    EXPECT_FALSE(window->state().fileChosen);
    EXPECT_FALSE(window->state().fileOpenRequested);
    for (const int id : {ControlId::gaugeFifth + 2, ControlId::nextReading, ControlId::messageLine})
        EXPECT_TRUE(qobject_cast<QLabel*>(Control(*window, id))->text().isEmpty()) << id;
    EXPECT_LT(qobject_cast<QProgressBar*>(Control(*window, ControlId::pumpFlow))->value(), 1);
}

} // namespace
