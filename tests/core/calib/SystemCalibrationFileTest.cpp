#include "core/calib/SystemCalibrationFile.h"

#include "core/calib/SystemCalibration.h"
#include "support/TempDevice.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

float FloatAt(const QByteArray& bytes, int offset) {
    float value;
    std::memcpy(&value, bytes.constData() + offset, sizeof value);
    return value;
}

std::int32_t IntAt(const QByteArray& bytes, int offset) {
    std::int32_t value;
    std::memcpy(&value, bytes.constData() + offset, sizeof value);
    return value;
}

TEST(SystemCalibrationFile, FieldsInFileOrder) {
    SystemCalibrationRun run;
    run.sensorKind = CalibrationSensor::load;
    run.sensitivity = 2.5f;
    run.countsPerKn = 2.5f;
    run.maxForce = 800;
    run.pointCount = 4;
    run.loadRange = 1200;
    run.started = 1;
    run.calibrationIndex = 3;
    run.checkMode = 1;
    run.carried = {0x11223344, -7};
    run.checkIndex = 2;
    run.checkDone = 1;
    run.standardForce[11] = 11.0f;
    run.checkPressure[11] = 12.5f;
    run.calibrationForce[1] = 201.0f;
    const QByteArray bytes = PackSystemCalibration(run);
    ASSERT_EQ(bytes.size(), 312);
    EXPECT_EQ(IntAt(bytes, 0), 0);
    EXPECT_EQ(FloatAt(bytes, 4), 2.5f);
    EXPECT_EQ(FloatAt(bytes, 12), 800.0f);
    EXPECT_EQ(IntAt(bytes, 16), 4);
    EXPECT_EQ(FloatAt(bytes, 20), 80.0f);
    EXPECT_EQ(FloatAt(bytes, 24), 1200.0f);
    EXPECT_EQ(FloatAt(bytes, 28), 1000.0f);
    EXPECT_EQ(FloatAt(bytes, 32), 65.0f);
    EXPECT_EQ(IntAt(bytes, 36), 1);
    EXPECT_EQ(IntAt(bytes, 40), 3);
    EXPECT_EQ(IntAt(bytes, 52), 1);
    EXPECT_EQ(IntAt(bytes, 56), 0x11223344);
    EXPECT_EQ(IntAt(bytes, 60), -7);
    EXPECT_EQ(IntAt(bytes, 64), 2);
    EXPECT_EQ(IntAt(bytes, 68), 1);
    EXPECT_EQ(FloatAt(bytes, 72 + 20 * 1 + 4), 201.0f);
    EXPECT_EQ(FloatAt(bytes, 72 + 20 * 11), 11.0f);
    EXPECT_EQ(FloatAt(bytes, 72 + 20 * 11 + 16), 12.5f);

    const std::optional<SystemCalibrationRun> parsed = ParseSystemCalibration(bytes);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(PackSystemCalibration(*parsed), bytes);
}

TEST(SystemCalibrationFile, UnreadableFilesGiveTheDefaults) {
    TempDevice device;
    const QByteArray defaults = PackSystemCalibration(SystemCalibrationRun{});
    EXPECT_EQ(PackSystemCalibration(LoadSystemCalibration(device.Folders())), defaults) << "no file";

    SystemCalibrationRun damaged;
    damaged.pointCount = 40; // would index past the tables
    const QByteArray cases[] = {PackSystemCalibration(SystemCalibrationRun{}).left(311),
                                PackSystemCalibration(SystemCalibrationRun{}) + QByteArray(1, '\0'),
                                PackSystemCalibration(damaged)};
    for (const QByteArray& bytes : cases) {
        device.Write(kSystemCalibrationFile, bytes);
        EXPECT_EQ(PackSystemCalibration(LoadSystemCalibration(device.Folders())), defaults) << bytes.size();
    }
}

TEST(SystemCalibrationFile, SavedRunReadsBackByteForByte) {
    TempDevice device;
    SystemCalibrationRun run;
    ASSERT_EQ(StartCalibration(FormOfRun(run), run), nullptr);
    run.carried = {5, 6};
    ASSERT_TRUE(SaveSystemCalibration(device.Folders(), run));
    const QByteArray onFile = device.Read(kSystemCalibrationFile);
    EXPECT_EQ(onFile, PackSystemCalibration(run));
    ASSERT_TRUE(SaveSystemCalibration(device.Folders(), LoadSystemCalibration(device.Folders())));
    EXPECT_EQ(device.Read(kSystemCalibrationFile), onFile) << "fields 15 and 16 carried unchanged";
}

} // namespace
