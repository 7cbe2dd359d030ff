#include "AcceleratedRig.h"

#include "core/data/CPublic.h"
#include "core/engine/SettingsPublication.h"
#include "platform/ManualClock.h"

#include <QCoreApplication>

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
                               clock.now().toMSecsSinceEpoch());
                       }};
};

TEST_F(AcceleratedRigTest, PlaysOneCycleForEvery200MsOfTheClock) {
    int refreshes = 0;
    QObject::connect(&rig, &ControllerPort::replyProcessed, [&] { ++refreshes; });
    ASSERT_TRUE(rig.open());
    clock.advanceMs(1'100);
    rig.CatchUp();
    EXPECT_EQ(frames, 5);
    EXPECT_EQ(replies, 5);
    EXPECT_EQ(refreshes, 1) << "one live refresh per catch-up, not per cycle";
    clock.advanceMs(100); // the sixth cycle is due at 1,200 ms
    rig.CatchUp();
    EXPECT_EQ(frames, 6);
}

TEST_F(AcceleratedRigTest, PumpFollowsTheClockNotRealTime) {
    ASSERT_TRUE(rig.open());
    for (int second = 0; second < 20; ++second) {
        clock.advanceMs(1'000);
        rig.CatchUp();
    }
    EXPECT_EQ(frames, 100);
    EXPECT_GT(pub.run.Live().currentLoad, 100.0f) << "twenty clock seconds of pumping at speed 200";
}

TEST_F(AcceleratedRigTest, ClockSetByTheOperatorIsNotReplayed) {
    ASSERT_TRUE(rig.open());
    clock.advanceMs(3'600'000); // set an hour ahead
    rig.CatchUp();
    clock.advanceMs(-7'200'000); // and two hours back
    rig.CatchUp();
    EXPECT_EQ(frames, 0);
    clock.advanceMs(400);
    rig.CatchUp();
    EXPECT_EQ(frames, 2) << "cycles go on from the new time";
}

} // namespace
