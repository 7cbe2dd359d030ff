#include "core/data/CPublic.h"
#include "core/engine/SettingsPublication.h"
#include "core/link/ControllerLink.h"
#include "platform/SimulatorProcess.h"

#include <QElapsedTimer>
#include <QThread>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace {

// The instrument's side of the link (state, composer, conversion) talking to
// a rigsim process.
class LinkToRig : public ::testing::Test {
  protected:
    void Start(const QStringList& rigArguments) {
        rig = std::make_unique<SimulatorProcess>();
        const QString device = rig->Start(QStringLiteral(RIGSIM_PATH), rigArguments);
        ASSERT_FALSE(device.isEmpty()) << "rigsim did not start";
        link = std::make_unique<ControllerLink>(
            device, [this] { return pub.run.Cycle(); },
            [this](const QByteArray& block) {
                pub.run.HandleReply(std::span(reinterpret_cast<const std::uint8_t*>(block.constData()),
                                              static_cast<std::size_t>(block.size())),
                                    0);
                ++replies;
            });
        ASSERT_TRUE(link->Open());
    }

    // Waits up to `ms` for `done`; true when it came.
    static bool WaitFor(const std::function<bool()>& done, int ms) {
        QElapsedTimer waited;
        waited.start();
        while (!done()) {
            if (waited.elapsed() > ms)
                return false;
            QThread::msleep(20);
        }
        return true;
    }

    CPublic pub;
    std::atomic<int> replies{0};
    std::unique_ptr<SimulatorProcess> rig;
    std::unique_ptr<ControllerLink> link; // declared last: stops first
};

TEST_F(LinkToRig, RepliesBecomeTheLiveValues) {
    Start({QStringLiteral("--seed"), QStringLiteral("7")});
    ASSERT_TRUE(WaitFor([&] { return replies >= 5; }, 3000)) << "replies: " << replies;
    // Every 200 ms one frame and one reply: about as many replies as cycles.
    EXPECT_GE(static_cast<int>(replies), static_cast<int>(link->Cycles()) - 2);
    const LiveSample live = pub.run.Live();
    EXPECT_GE(live.number, 5u);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_GT(live.gaugeValue[k], 1.0f) << "gauge " << k + 1; // the rig's gauges start a few mm out
        EXPECT_LT(live.gaugeValue[k], 20.0f) << "gauge " << k + 1;
    }
    EXPECT_GT(live.liveAverage, 1.0f);
    EXPECT_NEAR(live.currentLoad, 0.0f, 5.0f) << "nothing pumped yet";
}

TEST_F(LinkToRig, ManualLoadingRaisesTheLoad) {
    Start({QStringLiteral("--time-scale"), QStringLiteral("10")});
    // Sent from this thread while the worker cycles: the link thread alone
    // applies them.
    pub.stageStep = 100.0f;
    PublishSettings(pub);
    pub.run.Post(RunCommands::SetTarget{400.0f});
    pub.run.Post(RunCommands::Start{});
    pub.run.Post(RunCommands::SetPumpGate{PumpGate::open});
    pub.run.Post(RunCommands::SetManualLoad{true}); // pump at speed 200
    EXPECT_TRUE(WaitFor([&] { return pub.run.Live().currentLoad > 50.0f; }, 8000))
        << "load " << pub.run.Live().currentLoad;
    EXPECT_TRUE(pub.run.View().running);
}

TEST_F(LinkToRig, AVanishedPortLeavesTheLinkRunning) {
    Start({});
    ASSERT_TRUE(WaitFor([&] { return replies >= 3; }, 3000));
    rig.reset(); // the pseudo-terminal goes away, as a pulled USB adapter does
    const std::uint64_t cyclesAtLoss = link->Cycles();
    EXPECT_TRUE(WaitFor([&] { return !link->PortOpen(); }, 3000)) << "the link notices the loss";
    const int repliesAfterLoss = replies;
    QThread::msleep(600);
    EXPECT_GT(link->Cycles(), cyclesAtLoss + 2) << "the cycle goes on and keeps trying to reopen";
    EXPECT_EQ(replies, repliesAfterLoss);
}

} // namespace
