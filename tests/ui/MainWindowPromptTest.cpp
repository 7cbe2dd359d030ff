#include "MainWindowFixture.h"
#include "support/RunStateSetup.h"

#include "ui/files/CXZ.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

namespace {

// Runs the event loop until `done` holds or five seconds passed.
bool ProcessEventsUntil(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

} // namespace

// The main window's own timer drives the engine, as in the program; the
// maximum-load prompt opens from inside its tick.
TEST_F(MainWindowTest, TheTickGoesOnWhileTheMaximumLoadPromptIsOpen) {
    options.timeScale = 200; // a tick every 5 ms
    int ticks = 0;
    hooks.scheduleTick = [&] {
        ++ticks;
        clock.AdvanceMs(1000);
        engine.ScheduleTick();
    };
    const auto window = Open();
    // After the start-up's reset of the test state.
    pub.stageStep = 100;
    pub.maxLoad = 1000;
    pub.standardCode = 5;
    EnterRunState(pub, ControlState::Stable, 1000);
    pub.stageTimer = 29; // the stage signal ends with the next tick
    CXZ* prompt = nullptr;
    offerUnloadAtMaxLoad = [&](const QString& text) {
        prompt = OfferUnloadAtMaxLoad(pub, text, window.get(), [&](bool unload) {
            if (unload)
                engine.ConfirmUnloading();
            else
                engine.KeepLoad();
        });
    };
    window->show();

    ASSERT_TRUE(ProcessEventsUntil([&] { return prompt != nullptr; }));
    const int ticksAtPrompt = ticks;
    const QString clockAtPrompt = window->State().clockText;
    EXPECT_TRUE(ProcessEventsUntil([&] { return ticks > ticksAtPrompt + 20; }))
        << "the timer stood still under the prompt";
    EXPECT_NE(window->State().clockText, clockAtPrompt) << "the clock goes on";
    EXPECT_TRUE(pub.maxLoadPromptOpen);

    prompt->findChild<QPushButton*>(QString::number(CXZ::kOk))->click();
    EXPECT_FALSE(pub.maxLoadPromptOpen);
    EXPECT_EQ(pub.run.View().controlState, ControlState::Unloading);
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 800);
    window->hide();
}
