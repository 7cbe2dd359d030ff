#include "core/link/MeasurementConversion.h"

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
        pub.loadInKN = true;
        pub.calibrationCoefficient = 2.0f;
        pub.sensorRange = 60;
        pub.sensorSensitivity = 2.0f;
        pub.SetCalibrationSelection(Table());
    }

    CPublic pub;
};

TEST_F(MeasurementConversionTest, QuietBlockChangesNothing) {
    pub.sensorSensitivity = 0; // would get its default
    pub.currentLoad = 77;      // would be converted
    pub.nearRange[2] = true;   // would be cleared
    pub.gaugeValue[0] = 3.5f;  // would be read
    pub.liveAverage = 1.25f;
    Block block(kReplyBlockSize, 0x33);
    for (std::size_t i = 1; i <= 11; ++i)
        block[i] = 0;

    EXPECT_FALSE(ProcessReply(pub, block));

    EXPECT_EQ(pub.sensorSensitivity, 0.0f);
    EXPECT_EQ(pub.currentLoad, 77.0f);
    EXPECT_TRUE(pub.nearRange[2]);
    EXPECT_EQ(pub.gaugeValue[0], 3.5f);
    EXPECT_EQ(pub.liveAverage, 1.25f);
    EXPECT_EQ(pub.loadRaw, 0.0f);
}

TEST_F(MeasurementConversionTest, AnyOfBytesOneToElevenMakesAReply) {
    for (std::size_t i : {1u, 11u}) {
        Block block(kReplyBlockSize, 0);
        block[i] = 1;
        EXPECT_TRUE(ProcessReply(pub, block)) << "byte " << i;
    }
    Block onlyLater(kReplyBlockSize, 0);
    onlyLater[0] = 0xFF;
    onlyLater[12] = 0xFF;
    EXPECT_FALSE(ProcessReply(pub, onlyLater));
}

TEST_F(MeasurementConversionTest, DefaultsAreWrittenBackAndUsed) {
    pub.plateArea = 0;
    pub.sensorSensitivity = 0;
    pub.calibrationCoefficient = -1;
    pub.jackCount = 0;
    pub.pressureSensor = 1;
    pub.pressureMode = 1;
    pub.sensorRange = 80;

    EXPECT_TRUE(ProcessReply(pub, Reply(1000)));

    EXPECT_EQ(pub.plateArea, 1.0f);
    EXPECT_EQ(pub.sensorSensitivity, 2.13f);
    EXPECT_EQ(pub.calibrationCoefficient, 1.0f);
    EXPECT_EQ(pub.jackCount, 1);
    EXPECT_FLOAT_EQ(pub.oilPressure, 80.0f * 1000.0f / (1200.0f * 2.13f));
    EXPECT_FLOAT_EQ(pub.currentLoad, 1000.0f);
}

TEST_F(MeasurementConversionTest, NaNSettingsTakeTheirDefaults) {
    pub.sensorSensitivity = std::nanf("");
    pub.calibrationCoefficient = std::nanf("");
    ProcessReply(pub, Reply(1000));
    EXPECT_EQ(pub.sensorSensitivity, 2.13f);
    EXPECT_FLOAT_EQ(pub.currentLoad, 1000.0f);
}

TEST_F(MeasurementConversionTest, LoadCountsAreTakenFromTheZero) {
    pub.loadZero = 200;
    ProcessReply(pub, Reply(-100));
    EXPECT_EQ(pub.loadRaw, -100.0f);
    EXPECT_EQ(pub.loadCounts, -300.0f);
    EXPECT_FLOAT_EQ(pub.currentLoad, -150.0f); // mode 1: counts / K
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
    pub.pressureSensor = c.sensor;
    pub.pressureMode = c.mode;
    pub.calibrationSource = c.source;
    pub.calibrationCoefficient = c.coefficient;
    pub.jackCount = c.jacks;
    pub.regressionA = 2;
    pub.regressionB = 0.5f;
    pub.loadZero = 200;
    pub.currentLoad = kUnchanged;
    pub.oilPressure = kUnchanged;

    ProcessReply(pub, Reply(1000));

    EXPECT_FLOAT_EQ(pub.currentLoad, std::isnan(c.load) ? kUnchanged : c.load);
    EXPECT_FLOAT_EQ(pub.oilPressure, std::isnan(c.oilPressure) ? kUnchanged : c.oilPressure);
    EXPECT_FALSE(pub.calibrationTableRefused);
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
    pub.pressureMode = 1;
    pub.loadOffset = 3;
    pub.loadInKN = true;
    ProcessReply(pub, Reply(200));
    EXPECT_FLOAT_EQ(pub.currentLoad, 100 + 3);

    pub.loadInKN = false;
    pub.plateArea = 0.5f;
    ProcessReply(pub, Reply(200));
    EXPECT_FLOAT_EQ(pub.currentLoad, 200 + 3);
}

TEST_F(MeasurementConversionTest, RegressionWithoutSlopeKeepsTheLoad) {
    pub.pressureMode = 3;
    pub.regressionB = 0;
    pub.currentLoad = 55;
    ProcessReply(pub, Reply(1000));
    EXPECT_EQ(pub.currentLoad, 55.0f);
    EXPECT_FLOAT_EQ(pub.oilPressure, 60.0f * 1000.0f / 2400.0f);
}

TEST_F(MeasurementConversionTest, UnusableTableKeepsTheLoadAndTellsTheOperator) {
    pub.pressureMode = 2;
    pub.calibrationSource = 0;
    pub.currentLoad = 55;
    CalibrationSelection twoPoints = Table();
    twoPoints.pointCount = 2;
    pub.SetCalibrationSelection(twoPoints);

    EXPECT_TRUE(ProcessReply(pub, Reply(800)));
    EXPECT_EQ(pub.currentLoad, 55.0f);
    EXPECT_TRUE(pub.calibrationTableRefused);
    EXPECT_FLOAT_EQ(pub.oilPressure, 20.0f); // the pressure is still shown

    CalibrationSelection folded = Table();
    folded.calibrationPressures = {0, 20, 10, 30};
    pub.SetCalibrationSelection(folded);
    ProcessReply(pub, Reply(800));
    EXPECT_EQ(pub.currentLoad, 55.0f);
    EXPECT_TRUE(pub.calibrationTableRefused);

    // A new choice in the test settings brings the load back.
    pub.SetCalibrationSelection(Table());
    ProcessReply(pub, Reply(800));
    EXPECT_FLOAT_EQ(pub.currentLoad, 300.0f);
    EXPECT_FALSE(pub.calibrationTableRefused);
}

TEST_F(MeasurementConversionTest, LeavingTableModeClearsTheRefusal) {
    pub.pressureMode = 2;
    pub.SetCalibrationSelection(CalibrationSelection{});
    ProcessReply(pub, Reply(800));
    ASSERT_TRUE(pub.calibrationTableRefused);

    pub.pressureMode = 1;
    ProcessReply(pub, Reply(800));
    EXPECT_FALSE(pub.calibrationTableRefused);
    EXPECT_FLOAT_EQ(pub.currentLoad, 400.0f);
}

TEST_F(MeasurementConversionTest, GaugeReadingsCarryTheRecordingResolution) {
    for (int k = 0; k < 8; ++k)
        pub.gaugeOn[k] = 1;
    // 0x8001 (raw -32767 as sent) reads +32769: a high byte of 0x80 is not negative.
    const std::vector<int> raws = {1000, 302, -100, 0, 1, 32767, -32767, 51};

    pub.standardCode = 0;
    ProcessReply(pub, Reply(1, raws));
    const std::array<float, 8> twoDecimals = {9.92f, 3.00f, -0.99f, 0.0f, 0.01f, 325.11f, 325.13f, 0.51f};
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(pub.gaugeReading[k], twoDecimals[k]) << "gauge " << k + 1;

    for (int code : {3, 58}) {
        pub.standardCode = code;
        ProcessReply(pub, Reply(1, raws));
        const std::array<float, 8> threeDecimals = {9.922f, 2.996f,   -0.992f,  0.0f,
                                                    0.010f, 325.110f, 325.130f, 0.506f};
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(pub.gaugeReading[k], threeDecimals[k]) << "standard " << code << " gauge " << k + 1;
    }
}

TEST_F(MeasurementConversionTest, CorrectedValueTakesZeroOffsetAndDirection) {
    pub.gaugeOn[0] = 1;
    pub.gaugeOn[1] = 1;
    pub.gaugeZero[0] = 5.0f;
    pub.gaugeDirection[0] = -1;
    pub.gaugeZero[1] = 1.0f;
    pub.gaugeOffset[1] = 0.5f;
    pub.gaugeDirection[1] = 1;

    ProcessReply(pub, Reply(1, {302, 302})); // both read 3.00 mm

    EXPECT_FLOAT_EQ(pub.gaugeValue[0], 2.0f);
    EXPECT_FLOAT_EQ(pub.gaugeValue[1], 2.5f);
}

TEST_F(MeasurementConversionTest, DisabledGaugesReadZero) {
    for (int k = 0; k < 8; ++k) {
        pub.gaugeOn[k] = k % 2; // 2, 4, 6, 8 on
        pub.gaugeZero[k] = 1.0f;
        pub.gaugeReading[k] = 9;
        pub.gaugeValue[k] = 9;
    }
    pub.gaugeOn[1] = 2; // only a flag of 1 enables a gauge

    ProcessReply(pub, Reply(1, {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000}));

    for (int k = 0; k < 8; ++k) {
        const bool on = k == 3 || k == 5 || k == 7;
        EXPECT_EQ(pub.gaugeReading[k], on ? 9.92f : 0.0f) << "gauge " << k + 1;
        EXPECT_FLOAT_EQ(pub.gaugeValue[k], on ? 8.92f : 0.0f) << "gauge " << k + 1;
    }
}

TEST_F(MeasurementConversionTest, NearRangeFlagsFollowEachReply) {
    for (int k = 0; k < 4; ++k)
        pub.gaugeOn[k] = 1;
    pub.gaugeOn[4] = 0;
    pub.gaugeRangeAlarm = 9.0f;
    pub.nearRange[4] = true; // stale flag of a disabled gauge

    ProcessReply(pub, Reply(1, {1000, 800, 907, 908, 2000}));
    // 9.92, 7.94, 9.00 (not above the limit), 9.01 mm; gauge 5 disabled.
    EXPECT_TRUE(pub.nearRange[0]);
    EXPECT_FALSE(pub.nearRange[1]);
    EXPECT_FALSE(pub.nearRange[2]);
    EXPECT_TRUE(pub.nearRange[3]);
    EXPECT_FALSE(pub.nearRange[4]);

    ProcessReply(pub, Reply(1, {800, 800, 800, 800}));
    EXPECT_FALSE(pub.nearRange[0]);
    EXPECT_FALSE(pub.nearRange[3]);

    pub.gaugeRangeAlarm = 0; // no limit set
    ProcessReply(pub, Reply(1, {30000}));
    EXPECT_FALSE(pub.nearRange[0]);
}

TEST_F(MeasurementConversionTest, LiveAverageOfEnabledGaugesOneToFour) {
    for (int k = 0; k < 8; ++k)
        pub.gaugeOn[k] = 0;
    pub.gaugeOn[0] = 1;
    pub.gaugeOn[2] = 1;
    pub.gaugeOn[5] = 1; // an anchor gauge never counts
    pub.gaugeOffset[2] = 0.005f;

    ProcessReply(pub, Reply(1, {101, 2000, 202, 3000, 3000, 3000}));
    // (1.00 + (2.00 + 0.005)) / 2, unrounded
    EXPECT_FLOAT_EQ(pub.liveAverage, (1.0f + 2.005f) / 2.0f);

    pub.gaugeOn[0] = 0;
    pub.gaugeOn[2] = 0;
    ProcessReply(pub, Reply(1, {101, 2000, 202, 3000, 3000, 3000}));
    EXPECT_EQ(pub.liveAverage, 0.0f);
}

TEST_F(MeasurementConversionTest, ShortBlockReadsMissingBytesAsZero) {
    pub.gaugeOn[0] = 1;
    pub.gaugeOn[7] = 1;
    pub.gaugeZero[7] = 1.0f;
    Block block = Reply(400, {1000, 0, 0, 0, 0, 0, 0, 1000});
    block.resize(7); // load and gauge 1 arrived

    EXPECT_TRUE(ProcessReply(pub, block));
    EXPECT_FLOAT_EQ(pub.currentLoad, 200.0f);
    EXPECT_EQ(pub.gaugeReading[0], 9.92f);
    EXPECT_EQ(pub.gaugeReading[7], 0.0f);
    EXPECT_FLOAT_EQ(pub.gaugeValue[7], -1.0f);
}

TEST_F(MeasurementConversionTest, BlockWithOnlyLeadingByteIsQuiet) {
    pub.currentLoad = 5;
    EXPECT_FALSE(ProcessReply(pub, Block{0x7E}));
    EXPECT_FALSE(ProcessReply(pub, Block{}));
    EXPECT_EQ(pub.currentLoad, 5.0f);
}

TEST_F(MeasurementConversionTest, LongBlockUsesOnlyItsFirst31Bytes) {
    Block block = Reply(400);
    block.resize(64, 0xEE);
    EXPECT_TRUE(ProcessReply(pub, block));
    EXPECT_FLOAT_EQ(pub.currentLoad, 200.0f);
}

TEST_F(MeasurementConversionTest, RandomBlocksGiveBoundedReadings) {
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 48);
    std::uniform_int_distribution<int> small(0, 4);
    for (int k = 0; k < 8; ++k)
        pub.gaugeOn[k] = 1;
    for (int round = 0; round < 3000; ++round) {
        pub.pressureSensor = small(random) == 0 ? 0 : 1;
        pub.pressureMode = small(random);
        pub.calibrationSource = small(random) % 2;
        pub.standardCode = small(random) == 0 ? 3 : 0;
        Block block(static_cast<std::size_t>(length(random)));
        for (auto& b : block)
            b = static_cast<std::uint8_t>(byte(random));
        ProcessReply(pub, block);
        for (int k = 0; k < 8; ++k)
            ASSERT_LE(std::fabs(pub.gaugeReading[k]), 327.65f) << "round " << round; // raw 0x80FF
        ASSERT_TRUE(std::isfinite(pub.currentLoad)) << "round " << round;
    }
}

// The test settings may choose another table while replies are converted:
// every load must come from one whole table, never from a mix.
TEST_F(MeasurementConversionTest, TableChangesWhileConvertingNeverMix) {
    pub.pressureMode = 2;
    CalibrationSelection doubled = Table();
    for (float& load : doubled.calibrationLoads)
        load *= 2;
    std::atomic<bool> done{false};
    std::thread settings([&] {
        for (int i = 0; i < 2000; ++i)
            pub.SetCalibrationSelection(i % 2 == 0 ? doubled : Table());
        done = true;
    });
    std::vector<float> loads;
    while (!done) {
        ProcessReply(pub, Reply(800)); // 20 MPa
        loads.push_back(pub.currentLoad);
    }
    settings.join();
    for (float load : loads)
        ASSERT_TRUE(load == 300.0f || load == 600.0f) << load;
}

} // namespace
