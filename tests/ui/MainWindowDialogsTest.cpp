#include "MainWindowFixture.h"

#include "ui/app/ControlIds.h"
#include "ui/app/ToolbarCommands.h"
#include "ui/panel/PanelDialog.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

namespace {

struct ShownDialog {
    QString className;
    QString titleDrawn;  // the title bar's text inside the dialog
    QString windowTitle; // what a window manager would have shown
    QRect geometry;
};

// Closes the modal dialog the next event loop shows, noting what it showed.
void CloseWhenShown(ShownDialog& shown) {
    QTimer::singleShot(0, [&shown] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            shown.className = QString::fromLatin1(dialog->metaObject()->className());
            shown.windowTitle = dialog->windowTitle();
            shown.geometry = dialog->geometry();
            if (const auto* panel = qobject_cast<PanelDialog*>(dialog))
                shown.titleDrawn = panel->TitleBar()->text();
            dialog->reject();
        }
    });
}

using MainWindowDialogsTest = MainWindowTest;

TEST_F(MainWindowDialogsTest, ToolbarOpensItsDialogOutsideTheWizard) {
    const struct {
        int command;
        const char* dialogClass;
    } cases[] = {
        {CommandId::standardSelection, "CCriterion"},   {CommandId::testControl, "CBegin"},
        {CommandId::channelSettings, "CTDSZ"},          {CommandId::testSettings, "CCSSZ"},
        {CommandId::loadControlSettings, "CKongZaiSZ"}, {CommandId::zeroSettings, "CChange"},
    };
    auto window = Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dialogClass);
        pub.wizardMode = true;
        ShownDialog shown;
        CloseWhenShown(shown);
        Command(*window, c.command)->trigger();
        EXPECT_EQ(shown.className, QString::fromLatin1(c.dialogClass));
        EXPECT_FALSE(pub.wizardMode);
        // The panel has no window manager: the title is drawn inside, and the
        // dialog covers the main window whole.
        EXPECT_FALSE(shown.windowTitle.isEmpty());
        EXPECT_EQ(shown.titleDrawn, shown.windowTitle);
        EXPECT_EQ(shown.geometry, QRect(0, 0, 800, 600));
    }
}

TEST_F(MainWindowDialogsTest, NewTestResetStartsTheWindowOver) {
    auto window = Open();
    window->State().fileMode = FileMode::viewing;
    window->State().tableView = 1;
    window->State().curveView = 3;
    window->State().fileChosen = true;
    window->State().fileOpenRequested = true;
    for (const int id : {ControlId::gaugeFifth + 2, ControlId::nextReading, ControlId::messageLine})
        qobject_cast<QLabel*>(Control(*window, id))->setText("9.99");
    qobject_cast<QProgressBar*>(Control(*window, ControlId::pumpFlow))->setValue(200);

    window->ResetForNewTest();

    EXPECT_EQ(window->State().fileMode, FileMode::currentTest);
    EXPECT_EQ(window->State().tableView, 3);
    EXPECT_EQ(window->State().curveView, 1);
    EXPECT_FALSE(window->State().fileChosen);
    EXPECT_FALSE(window->State().fileOpenRequested);
    for (const int id : {ControlId::gaugeFifth + 2, ControlId::nextReading, ControlId::messageLine})
        EXPECT_TRUE(qobject_cast<QLabel*>(Control(*window, id))->text().isEmpty()) << id;
    EXPECT_LT(qobject_cast<QProgressBar*>(Control(*window, ControlId::pumpFlow))->value(), 1);
}

} // namespace
