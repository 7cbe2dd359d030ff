#include "AcceleratedRig.h"
#include "DemonstrationState.h"

#include "core/data/CPublic.h"
#include "core/engine/SettingsPublication.h"
#include "platform/ManualClock.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <span>

namespace {

class AcceleratedRigTest : public ::testing::Test {
  protected:
    // The rig's poll timer needs an application object.
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "sim_tests";
        static char* argv[] = {name, nullptr};
        static QCoreApplication application(argc, argv);
    }

    AcceleratedRigTest() {
        pub.stageStep = 100.0f;
        PublishSettings(pub);
        pub.run.Post(RunCommands::Start{});
        pub.run.Post(RunCommands::SetPumpGate{PumpGate::open});
        pub.run.Post(RunCommands::SetManualLoad{true}); // the pump runs at speed 200 while allowed
        pub.run.Post(RunCommands::SetTarget{400.0f});
    }

    ManualClock clock{QDateTime(QDate(2026, 5, 4), QTime(8, 0))};
    CPublic pub;
    int frames = 0;
    int replies = 0;
    AcceleratedRig rig{clock,
                       [this] {
                           ++frames;
                           return pub.run.Cycle();
                       },
                       [this](const QByteArray& block) {
                           ++replies;
                           pub.run.HandleReply(
                               std::span(reinterpret_cast<const std::uint8_t*>(block.constData()),
                                         static_cast<std::size_t>(block.size())),
                               clock.Now().toMSecsSinceEpoch());
                       }};
};

TEST_F(AcceleratedRigTest, PlaysOneCycleForEvery200MsOfTheClock) {
    int refreshes = 0;
    QObject::connect(&rig, &ControllerPort::ReplyProcessed, [&] { ++refreshes; });
    ASSERT_TRUE(rig.Open());
    clock.AdvanceMs(1'100);
    rig.CatchUp();
    EXPECT_EQ(frames, 5);
    EXPECT_EQ(replies, 5);
    EXPECT_EQ(refreshes, 1) << "one live refresh per catch-up, not per cycle";
    clock.AdvanceMs(100); // the sixth cycle is due at 1,200 ms
    rig.CatchUp();
    EXPECT_EQ(frames, 6);
}

TEST_F(AcceleratedRigTest, PumpFollowsTheClockNotRealTime) {
    ASSERT_TRUE(rig.Open());
    for (int second = 0; second < 20; ++second) {
        clock.AdvanceMs(1'000);
        rig.CatchUp();
    }
    EXPECT_EQ(frames, 100);
    EXPECT_GT(pub.run.Live().currentLoad, 100.0f) << "twenty clock seconds of pumping at speed 200";
}

TEST_F(AcceleratedRigTest, ClockSetByTheOperatorIsNotReplayed) {
    ASSERT_TRUE(rig.Open());
    clock.AdvanceMs(3'600'000); // set an hour ahead
    rig.CatchUp();
    clock.AdvanceMs(-7'200'000); // and two hours back
    rig.CatchUp();
    EXPECT_EQ(frames, 0);
    clock.AdvanceMs(400);
    rig.CatchUp();
    EXPECT_EQ(frames, 2) << "cycles go on from the new time";
}

// The demonstration's jack is the one the test was set up for: with a
// double-circuit jack the operator reverses the oil path when the target drops
// and the instrument's pump draws the load down, never up to the relief valve.
TEST_F(AcceleratedRigTest, UnloadingADoubleCircuitJackLowersTheLoad) {
    pub.doubleCircuitJack = true;
    pub.holdBand = 10.0f;
    PublishSettings(pub);
    ASSERT_TRUE(rig.Open());
    auto runFor = [&](int seconds) {
        for (int second = 0; second < seconds; ++second) {
            clock.AdvanceMs(1'000);
            rig.CatchUp();
        }
    };
    runFor(30);
    const float loaded = pub.run.Live().currentLoad;
    ASSERT_GT(loaded, 100.0f);

    pub.run.Post(RunCommands::SetManualLoad{false});
    pub.run.Post(RunCommands::EnterWithTarget{ControlState::Unloading, 0.0f});
    runFor(30);
    EXPECT_LT(pub.run.Live().currentLoad, loaded - 50.0f);
}

// The demonstration keeps its plant and clock about once a real second; a
// rig made with the kept plant goes on with the load the jack held.
TEST_F(AcceleratedRigTest, ARestartGoesOnWithTheKeptPlant) {
    std::optional<DemonstrationState> kept;
    AcceleratedRig keeping{clock,
                           [this] { return pub.run.Cycle(); },
                           [this](const QByteArray& block) {
                               pub.run.HandleReply(
                                   std::span(reinterpret_cast<const std::uint8_t*>(block.constData()),
                                             static_cast<std::size_t>(block.size())),
                                   clock.Now().toMSecsSinceEpoch());
                           },
                           RigConfig{},
                           std::nullopt,
                           [&](qint64 clockMs, const RigState& plant) {
                               kept = DemonstrationState{QDateTime::fromMSecsSinceEpoch(clockMs), plant};
                           }};
    ASSERT_TRUE(keeping.Open());
    for (int second = 0; second < 20; ++second) {
        clock.AdvanceMs(1'000);
        keeping.CatchUp();
    }
    EXPECT_FALSE(kept) << "not yet a real second";
    QThread::msleep(1'050);
    keeping.CatchUp();
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->clock, clock.Now());
    const float heldLoad = pub.run.Live().currentLoad;
    ASSERT_GT(heldLoad, 100.0f);

    // Through the file, as the next start reads it.
    kept = ParseDemonstrationState(FormatDemonstrationState(*kept));
    ASSERT_TRUE(kept);
    CPublic after;
    after.stageStep = 100.0f;
    PublishSettings(after);
    AcceleratedRig restarted{clock, [&after] { return after.run.Cycle(); },
                             [&](const QByteArray& block) {
                                 after.run.HandleReply(
                                     std::span(reinterpret_cast<const std::uint8_t*>(block.constData()),
                                               static_cast<std::size_t>(block.size())),
                                     clock.Now().toMSecsSinceEpoch());
                             },
                             RigConfig{}, kept->plant};
    ASSERT_TRUE(restarted.Open());
    clock.AdvanceMs(200);
    restarted.CatchUp();
    // The kept plant is the one after the last reply: one cycle of pumping on.
    EXPECT_NEAR(after.run.Live().currentLoad, heldLoad, 5.0f) << "not from zero load";
}

TEST(DemonstrationStateText, RefusesWhatIsNotAWholeState) {
    DemonstrationState state;
    state.clock = QDateTime(QDate(2026, 5, 4), QTime(9, 30));
    state.plant.hydraulics.pressure = 31.5;
    state.plant.fieldOperator.target.reset();
    const QByteArray text = FormatDemonstrationState(state);
    const std::optional<DemonstrationState> back = ParseDemonstrationState(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->clock, state.clock);
    EXPECT_EQ(back->plant.hydraulics.pressure, 31.5);
    EXPECT_FALSE(back->plant.fieldOperator.target);
    for (const QByteArray& damaged : {QByteArray(), text.left(text.size() / 2), text + "pressure x\n"})
        EXPECT_FALSE(ParseDemonstrationState(damaged)) << damaged.constData();
}

} // namespace
