#include "RigTestSupport.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>

namespace {

// A rig loaded by the pump to about 600 kN, then held for half an hour.
RigModel loadedRig(const RigConfig& config) {
    RigModel rig(config);
    runFrames(rig, pumpRunning(100), 60.0);
    runFrames(rig, {}, 1800.0);
    return rig;
}

struct SensorCase {
    const char* name;
    LoadSensorParams::Kind kind;
};

class LoadChannel : public ::testing::TestWithParam<SensorCase> {};

TEST_P(LoadChannel, CountConvertsBackToTheLoadWithTheDefaultCoefficient) {
    RigConfig config;
    config.loadSensor.kind = GetParam().kind;
    RigModel rig = loadedRig(config);
    ASSERT_GT(rig.Load(), 300.0);
    const QByteArray reply = rig.Reply(commandFrame({}));
    ASSERT_EQ(reply.size(), kReplySize);
    // Half a count of rounding plus the 2.077 against 2.07675 of the sensor.
    EXPECT_NEAR(replyValue(reply, 1) / kCountsPerKN, rig.Load(), 0.5 / kCountsPerKN + rig.Load() * 2e-4);
}

INSTANTIATE_TEST_SUITE_P(Sensors, LoadChannel,
                         ::testing::Values(SensorCase{"OilPressure", LoadSensorParams::Kind::OilPressure},
                                           SensorCase{"Force", LoadSensorParams::Kind::Force}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Reply, GaugeCountsConvertBackToReadingsAndTheAverageToTheSettlement) {
    RigModel rig = loadedRig({});
    const auto truth = rig.GaugeReadings();
    const QByteArray reply = rig.Reply(commandFrame({}));
    double pileHeadSum = 0.0;
    for (int i = 0; i < kGaugeCount; ++i) {
        const double reading = replyValue(reply, 5 + 2 * i) * kGaugeMmPerCount;
        EXPECT_NEAR(reading, truth[i], 0.01 + kGaugeMmPerCount / 2) << "gauge " << i + 1;
        if (i < 4)
            pileHeadSum += reading;
    }
    const GaugeParams gauges;
    const double startSum =
        std::accumulate(gauges.startReading.begin(), gauges.startReading.begin() + 4, 0.0);
    EXPECT_NEAR((pileHeadSum - startSum) / 4, rig.Settlement(), 0.015);
    // The pile head tilts a little, the anchors rise with the load.
    EXPECT_GT(truth[0] - gauges.startReading[0], truth[2] - gauges.startReading[2] + 0.05);
    for (int i = 4; i < kGaugeCount; ++i)
        EXPECT_GT(truth[i] - gauges.startReading[i], 0.5);
}

TEST(Reply, IsNeverIgnoredAsAnAllZeroBlockAtNoLoad) {
    RigModel rig;
    const QByteArray reply = rig.Reply(commandFrame({}));
    ASSERT_EQ(reply.size(), kReplySize);
    EXPECT_NE(reply.mid(1, 11), QByteArray(11, '\0'));
}

TEST(Reply, SameSeedGivesTheSameBytesAndAnotherSeedOtherNoise) {
    RigConfig otherSeed;
    otherSeed.seed = 2;
    RigModel first;
    RigModel second;
    RigModel third(otherSeed);
    bool noiseDiffers = false;
    for (int cycle = 0; cycle < 50; ++cycle) {
        const QByteArray frame = commandFrame(FrameFields{true, 50, cycle < 25, 300});
        const QByteArray a = first.Reply(frame);
        EXPECT_EQ(a, second.Reply(frame));
        noiseDiffers = noiseDiffers || a != third.Reply(frame);
        for (RigModel* rig : {&first, &second, &third})
            rig->Advance(200);
    }
    EXPECT_TRUE(noiseDiffers);
}

TEST(Reply, ABlockThatIsNotOneFrameGetsNoAnswerAndChangesNothing) {
    RigModel rig;
    const QByteArray running = commandFrame(pumpRunning(200));
    EXPECT_TRUE(rig.Reply(running.left(11)).isEmpty());
    EXPECT_TRUE(rig.Reply(running + running.left(1)).isEmpty());
    rig.Advance(5000);
    EXPECT_EQ(rig.Load(), 0.0);
}

} // namespace
