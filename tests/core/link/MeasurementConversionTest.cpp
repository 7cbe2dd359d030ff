#include "core/link/MeasurementConversion.h"
#include "core/engine/RunController.h"
#include "core/view/RoundDecimals.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

namespace {

using Block = std::vector<std::uint8_t>;

void PutRaw(Block& block, std::size_t offset, int raw) {
    const auto word = static_cast<std::uint16_t>(raw); // two's complement for negatives
    block[offset] = static_cast<std::uint8_t>(word & 0xFF);
    block[offset + 1] = static_cast<std::uint8_t>(word >> 8);
}

// A full reply with the load channel and gauges 1-8 (missing gauges 0).
Block Reply(int loadRaw, const std::vector<int>& gaugeRaws = {}) {
    Block block(kReplyBlockSize, 0);
    block[0] = 0x55;
    PutRaw(block, 1, loadRaw);
    for (std::size_t k = 0; k < gaugeRaws.size(); ++k)
        PutRaw(block, 5 + 2 * k, gaugeRaws[k]);
    return block;
}

// Four points through (0, 0), (10, 150), (20, 300); the last point lies off
// that line.
CalibrationSelection Table() {
    CalibrationSelection table;
    table.pointCount = 4;
    table.calibrationPressures = {0, 10, 20, 30};
    table.calibrationLoads = {0, 150, 300, 480};
    return table;
}

class MeasurementConversionTest : public testing::Test {
  protected:
    MeasurementConversionTest() {
        settings.loadInKN = true;
        settings.calibrationCoefficient = 2.0f;
        settings.sensorRange = 60;
        settings.sensorSensitivity = 2.0f;
        settings.calibration = Table();
    }

    // One reply; the sample it gives becomes the live values, as the worker keeps them.
    bool Convert(const Block& block) {
        const std::optional<LiveSample> sample = ConvertReply(settings, block, live);
        if (sample)
            live = *sample;
        return sample.has_value();
    }

    ConversionSettings settings;
    LiveSample live;
};

TEST_F(MeasurementConversionTest, QuietBlockChangesNothing) {
    settings.sensorSensitivity = 0; // would get its default
    live.currentLoad = 77;          // would be converted
    live.nearRange[2] = true;       // would be cleared
    live.gaugeValue[0] = 3.5f;      // would be read
    live.liveAverage = 1.25f;
    Block block(kReplyBlockSize, 0x33);
    for (std::size_t i = 1; i <= 11; ++i)
        block[i] = 0;

    EXPECT_FALSE(Convert(block));

    EXPECT_EQ(settings.sensorSensitivity, 0.0f);
    EXPECT_EQ(live.currentLoad, 77.0f);
    EXPECT_TRUE(live.nearRange[2]);
    EXPECT_EQ(live.gaugeValue[0], 3.5f);
    EXPECT_EQ(live.liveAverage, 1.25f);
    EXPECT_EQ(live.loadRaw, 0.0f);
}

TEST_F(MeasurementConversionTest, AnyOfBytesOneToElevenMakesAReply) {
    for (std::size_t i : {1u, 11u}) {
        Block block(kReplyBlockSize, 0);
        block[i] = 1;
        EXPECT_TRUE(Convert(block)) << "byte " << i;
    }
    Block onlyLater(kReplyBlockSize, 0);
    onlyLater[0] = 0xFF;
    onlyLater[12] = 0xFF;
    EXPECT_FALSE(Convert(onlyLater));
}

TEST_F(MeasurementConversionTest, SettingsThatCannotConvertTakeTheirDefaults) {
    settings.plateArea = 0;
    settings.sensorSensitivity = 0;
    settings.calibrationCoefficient = -1;
    settings.jackCount = 0;
    settings.pressureSensor = 1;
    settings.pressureMode = 1;
    settings.sensorRange = 80;

    EXPECT_TRUE(Convert(Reply(1000)));

    EXPECT_FLOAT_EQ(live.oilPressure, 80.0f * 1000.0f / (1200.0f * 2.13f));
    EXPECT_FLOAT_EQ(live.currentLoad, 1000.0f);
}

TEST_F(MeasurementConversionTest, NaNSettingsTakeTheirDefaults) {
    settings.sensorSensitivity = std::nanf("");
    settings.calibrationCoefficient = std::nanf("");
    settings.pressureMode = 1;
    Convert(Reply(1000));
    EXPECT_FLOAT_EQ(live.oilPressure, 60.0f * 1000.0f / (1200.0f * 2.13f));
    EXPECT_FLOAT_EQ(live.currentLoad, 1000.0f);
}

TEST_F(MeasurementConversionTest, LoadCountsAreTakenFromTheZero) {
    settings.loadZero = 200;
    Convert(Reply(-100));
    EXPECT_EQ(live.loadRaw, -100.0f);
    EXPECT_EQ(live.loadCounts, -300.0f);
    EXPECT_FLOAT_EQ(live.currentLoad, -150.0f); // mode 1: counts / K
}

// Raw 1000, zero 200: 800 counts. R 60 MPa, S 2 mV/V: P = 60·800 / 2400 = 20 MPa.
struct LoadCase {
    const char* what;
    int sensor;
    int mode;
    int source;
    float coefficient;
    int jacks;
    float load;        // kN; NaN: unchanged
    float oilPressure; // MPa; NaN: unchanged
};

class LoadConversionTest : public MeasurementConversionTest, public testing::WithParamInterface<LoadCase> {};

TEST_P(LoadConversionTest, ConvertsTheLoadChannel) {
    const LoadCase& c = GetParam();
    SCOPED_TRACE(c.what);
    constexpr float kUnchanged = -12345.0f;
    settings.pressureSensor = c.sensor;
    settings.pressureMode = c.mode;
    settings.calibrationSource = c.source;
    settings.calibrationCoefficient = c.coefficient;
    settings.jackCount = c.jacks;
    settings.regressionA = 2;
    settings.regressionB = 0.5f;
    settings.loadZero = 200;
    live.currentLoad = kUnchanged;
    live.oilPressure = kUnchanged;

    Convert(Reply(1000));

    EXPECT_FLOAT_EQ(live.currentLoad, std::isnan(c.load) ? kUnchanged : c.load);
    EXPECT_FLOAT_EQ(live.oilPressure, std::isnan(c.oilPressure) ? kUnchanged : c.oilPressure);
    EXPECT_FALSE(live.calibrationTableRefused);
}

constexpr float kKeep = NAN;

INSTANTIATE_TEST_SUITE_P(
    Modes, LoadConversionTest,
    testing::Values(LoadCase{"oil sensor, coefficient", 1, 1, 0, 2, 3, 400, 20},
                    LoadCase{"oil sensor, table by pressure", 1, 2, 0, 2, 2, 2 * 300, 20},
                    LoadCase{"oil sensor, table by scaled count", 1, 2, 1, 80, 2, 2 * 150, 20},
                    LoadCase{"oil sensor, regression", 1, 3, 0, 2, 2, 2 * (20 - 2) / 0.5f, 20},
                    LoadCase{"oil sensor, unknown mode keeps the load", 1, 4, 0, 2, 2, kKeep, 20},
                    LoadCase{"force sensor, table by scaled count", 0, 2, 0, 80, 3, 3 * 150, 20},
                    LoadCase{"force sensor, coefficient", 0, 1, 0, 2, 3, 400, kKeep},
                    LoadCase{"force sensor, other mode uses the coefficient", 2, 3, 1, 4, 3, 200, kKeep}));

TEST_F(MeasurementConversionTest, GroundTestShowsTheLoadPerPlateArea) {
    settings.pressureMode = 1;
    settings.loadOffset = 3;
    settings.loadInKN = true;
    Convert(Reply(200));
    EXPECT_FLOAT_EQ(live.currentLoad, 100 + 3);

    settings.loadInKN = false;
    settings.plateArea = 0.5f;
    Convert(Reply(200));
    EXPECT_FLOAT_EQ(live.currentLoad, 200 + 3);
}

TEST_F(MeasurementConversionTest, RegressionWithoutSlopeKeepsTheLoad) {
    settings.pressureMode = 3;
    settings.regressionB = 0;
    live.currentLoad = 55;
    Convert(Reply(1000));
    EXPECT_EQ(live.currentLoad, 55.0f);
    EXPECT_FLOAT_EQ(live.oilPressure, 60.0f * 1000.0f / 2400.0f);
}

TEST_F(MeasurementConversionTest, UnusableTableKeepsTheLoadAndTellsTheOperator) {
    settings.pressureMode = 2;
    settings.calibrationSource = 0;
    live.currentLoad = 55;
    CalibrationSelection twoPoints = Table();
    twoPoints.pointCount = 2;
    settings.calibration = twoPoints;

    EXPECT_TRUE(Convert(Reply(800)));
    EXPECT_EQ(live.currentLoad, 55.0f);
    EXPECT_TRUE(live.calibrationTableRefused);
    EXPECT_FLOAT_EQ(live.oilPressure, 20.0f); // the pressure is still shown

    CalibrationSelection folded = Table();
    folded.calibrationPressures = {0, 20, 10, 30};
    settings.calibration = folded;
    Convert(Reply(800));
    EXPECT_EQ(live.currentLoad, 55.0f);
    EXPECT_TRUE(live.calibrationTableRefused);

    // A new choice in the test settings brings the load back.
    settings.calibration = Table();
    Convert(Reply(800));
    EXPECT_FLOAT_EQ(live.currentLoad, 300.0f);
    EXPECT_FALSE(live.calibrationTableRefused);
}

TEST_F(MeasurementConversionTest, LeavingTableModeClearsTheRefusal) {
    settings.pressureMode = 2;
    settings.calibration = CalibrationSelection{};
    Convert(Reply(800));
    ASSERT_TRUE(live.calibrationTableRefused);

    settings.pressureMode = 1;
    Convert(Reply(800));
    EXPECT_FALSE(live.calibrationTableRefused);
    EXPECT_FLOAT_EQ(live.currentLoad, 400.0f);
}

TEST_F(MeasurementConversionTest, GaugeReadingsCarryTheRecordingResolution) {
    for (int k = 0; k < 8; ++k)
        settings.gaugeOn[k] = 1;
    // 0x8001 (raw -32767 as sent) reads +32769: a high byte of 0x80 is not negative.
    const std::vector<int> raws = {1000, 302, -100, 0, 1, 32767, -32767, 51};

    settings.settlementDecimals = 2;
    Convert(Reply(1, raws));
    const std::array<float, 8> twoDecimals = {9.92f, 3.00f, -0.99f, 0.0f, 0.01f, 325.11f, 325.13f, 0.51f};
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(live.gaugeReading[k], twoDecimals[k]) << "gauge " << k + 1;

    for (int code : {3, 58}) {
        settings.settlementDecimals = SettlementDecimals(code);
        Convert(Reply(1, raws));
        const std::array<float, 8> threeDecimals = {9.922f, 2.996f,   -0.992f,  0.0f,
                                                    0.010f, 325.110f, 325.130f, 0.506f};
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(live.gaugeReading[k], threeDecimals[k]) << "standard " << code << " gauge " << k + 1;
    }
}

TEST_F(MeasurementConversionTest, CorrectedValueTakesZeroOffsetAndDirection) {
    settings.gaugeOn[0] = 1;
    settings.gaugeOn[1] = 1;
    settings.gaugeZero[0] = 5.0f;
    settings.gaugeDirection[0] = -1;
    settings.gaugeZero[1] = 1.0f;
    settings.gaugeOffset[1] = 0.5f;
    settings.gaugeDirection[1] = 1;

    Convert(Reply(1, {302, 302})); // both read 3.00 mm

    EXPECT_FLOAT_EQ(live.gaugeValue[0], 2.0f);
    EXPECT_FLOAT_EQ(live.gaugeValue[1], 2.5f);
}

TEST_F(MeasurementConversionTest, DisabledGaugesReadZero) {
    for (int k = 0; k < 8; ++k) {
        settings.gaugeOn[k] = k % 2; // 2, 4, 6, 8 on
        settings.gaugeZero[k] = 1.0f;
        live.gaugeReading[k] = 9;
        live.gaugeValue[k] = 9;
    }
    settings.gaugeOn[1] = 2; // only a flag of 1 enables a gauge

    Convert(Reply(1, {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000}));

    for (int k = 0; k < 8; ++k) {
        const bool on = k == 3 || k == 5 || k == 7;
        EXPECT_EQ(live.gaugeReading[k], on ? 9.92f : 0.0f) << "gauge " << k + 1;
        EXPECT_FLOAT_EQ(live.gaugeValue[k], on ? 8.92f : 0.0f) << "gauge " << k + 1;
    }
}

TEST_F(MeasurementConversionTest, NearRangeFlagsFollowEachReply) {
    for (int k = 0; k < 4; ++k)
        settings.gaugeOn[k] = 1;
    settings.gaugeOn[4] = 0;
    settings.gaugeRangeAlarm = 9.0f;
    live.nearRange[4] = true; // stale flag of a disabled gauge

    Convert(Reply(1, {1000, 800, 907, 908, 2000}));
    // 9.92, 7.94, 9.00 (not above the limit), 9.01 mm; gauge 5 disabled.
    EXPECT_TRUE(live.nearRange[0]);
    EXPECT_FALSE(live.nearRange[1]);
    EXPECT_FALSE(live.nearRange[2]);
    EXPECT_TRUE(live.nearRange[3]);
    EXPECT_FALSE(live.nearRange[4]);

    Convert(Reply(1, {800, 800, 800, 800}));
    EXPECT_FALSE(live.nearRange[0]);
    EXPECT_FALSE(live.nearRange[3]);

    settings.gaugeRangeAlarm = 0; // no limit set
    Convert(Reply(1, {30000}));
    EXPECT_FALSE(live.nearRange[0]);
}

TEST_F(MeasurementConversionTest, LiveAverageOfEnabledGaugesOneToFour) {
    for (int k = 0; k < 8; ++k)
        settings.gaugeOn[k] = 0;
    settings.gaugeOn[0] = 1;
    settings.gaugeOn[2] = 1;
    settings.gaugeOn[5] = 1; // an anchor gauge never counts
    settings.gaugeOffset[2] = 0.005f;

    Convert(Reply(1, {101, 2000, 202, 3000, 3000, 3000}));
    // (1.00 + (2.00 + 0.005)) / 2, unrounded
    EXPECT_FLOAT_EQ(live.liveAverage, (1.0f + 2.005f) / 2.0f);

    settings.gaugeOn[0] = 0;
    settings.gaugeOn[2] = 0;
    Convert(Reply(1, {101, 2000, 202, 3000, 3000, 3000}));
    EXPECT_EQ(live.liveAverage, 0.0f);
}

TEST_F(MeasurementConversionTest, ShortBlockReadsMissingBytesAsZero) {
    settings.gaugeOn[0] = 1;
    settings.gaugeOn[7] = 1;
    settings.gaugeZero[7] = 1.0f;
    Block block = Reply(400, {1000, 0, 0, 0, 0, 0, 0, 1000});
    block.resize(7); // load and gauge 1 arrived

    EXPECT_TRUE(Convert(block));
    EXPECT_FLOAT_EQ(live.currentLoad, 200.0f);
    EXPECT_EQ(live.gaugeReading[0], 9.92f);
    EXPECT_EQ(live.gaugeReading[7], 0.0f);
    EXPECT_FLOAT_EQ(live.gaugeValue[7], -1.0f);
}

TEST_F(MeasurementConversionTest, BlockWithOnlyLeadingByteIsQuiet) {
    live.currentLoad = 5;
    EXPECT_FALSE(Convert(Block{0x7E}));
    EXPECT_FALSE(Convert(Block{}));
    EXPECT_EQ(live.currentLoad, 5.0f);
}

TEST_F(MeasurementConversionTest, LongBlockUsesOnlyItsFirst31Bytes) {
    Block block = Reply(400);
    block.resize(64, 0xEE);
    EXPECT_TRUE(Convert(block));
    EXPECT_FLOAT_EQ(live.currentLoad, 200.0f);
}

TEST_F(MeasurementConversionTest, RandomBlocksGiveBoundedReadings) {
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 48);
    std::uniform_int_distribution<int> small(0, 4);
    for (int k = 0; k < 8; ++k)
        settings.gaugeOn[k] = 1;
    for (int round = 0; round < 3000; ++round) {
        settings.pressureSensor = small(random) == 0 ? 0 : 1;
        settings.pressureMode = small(random);
        settings.calibrationSource = small(random) % 2;
        settings.settlementDecimals = small(random) == 0 ? 3 : 2;
        Block block(static_cast<std::size_t>(length(random)));
        for (auto& b : block)
            b = static_cast<std::uint8_t>(byte(random));
        Convert(block);
        for (int k = 0; k < 8; ++k)
            ASSERT_LE(std::fabs(live.gaugeReading[k]), 327.65f) << "round " << round; // raw 0x80FF
        ASSERT_TRUE(std::isfinite(live.currentLoad)) << "round " << round;
    }
}

// The test settings may choose another table while the worker converts
// replies: every load must come from one whole table, never from a mix.
TEST_F(MeasurementConversionTest, TableChangesWhileConvertingNeverMix) {
    settings.pressureMode = 2;
    ConversionSettings doubled = settings;
    for (float& load : doubled.calibration.calibrationLoads)
        load *= 2;
    RunController controller;
    controller.SetConversionSettings(settings);
    std::atomic<bool> done{false};
    std::thread settingsThread([&] {
        for (int i = 0; i < 2000; ++i)
            controller.SetConversionSettings(i % 2 == 0 ? doubled : settings);
        done = true;
    });
    std::vector<float> loads;
    while (!done) {
        controller.HandleReply(Reply(800), 0); // 20 MPa
        loads.push_back(controller.Live().currentLoad);
    }
    settingsThread.join();
    for (float load : loads)
        ASSERT_TRUE(load == 300.0f || load == 600.0f) << load;
}

} // namespace
