#include "CalibrationDialogDriver.h"
#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"
#include "core/setup/TestSettingsForm.h"
#include "platform/ManualClock.h"
#include "support/ReplyFeed.h"
#include "support/TempDevice.h"
#include "ui/calib/CQianJingDingLvDing.h"
#include "ui/setup/CCSSZ.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace CalibrationDialogDriver;
using JackDialog = CQianJingDingLvDing;

// A group entered in the calibration dialog, chosen in the test settings,
// converts the controller's load through its points.
class CalibrationToTestSettingsTest : public ::testing::Test {
  protected:
    CalibrationToTestSettingsTest() {
        pub.paramList = DefaultParameterList();
        KVTFile::BuildBlankRecords(pub);
    }

    // 1000 kN in five points: standard forces 200 x i against the measured
    // values first + step x (i - 1).
    void EnterGroup(bool system, const QString& jack, const QString& sensor, double first, double step) {
        JackDialog dialog(pub, device.Files(), prompter);
        while (!dialog.Editable()) // past the groups saved before
            Click(dialog, JackDialog::kNext);
        if (system) {
            Choose(dialog, JackDialog::kSystemRadio);
            Type(dialog, JackDialog::kSensorNumber, sensor);
        }
        Type(dialog, JackDialog::kJackNumber, jack);
        Type(dialog, JackDialog::kMaxForce, QStringLiteral("1000"));
        Type(dialog, JackDialog::kPointCount, QStringLiteral("5"));
        Click(dialog, JackDialog::kGenerate);
        Type(dialog, JackDialog::kMeasuredIds[0], QStringLiteral("0"));
        for (int i = 1; i <= 5; ++i)
            Type(dialog, JackDialog::kMeasuredIds[static_cast<std::size_t>(i)],
                 QString::number(first + step * (i - 1)));
        prompter.QueueAnswer(true);
        Click(dialog, JackDialog::kSave);
        ASSERT_EQ(LastMessage(prompter), QStringLiteral("率定数据已保存！"));
    }

    void ConfirmTestSettings(int calibrationRadio, const QString& jack, const QString& sensor) {
        using namespace TestSettingsId;
        pub.wizardMode = true;
        CCSSZ dialog(pub, pub.paramList, pileReference, device.Files(), clock, prompter);
        Type(dialog, serialNumber, QStringLiteral("123456"));
        Type(dialog, pileNumber, QStringLiteral("0001"));
        Choose(dialog, calibrationDataMode);
        Choose(dialog, calibrationRadio);
        Type(dialog, sensorRange, QStringLiteral("80"));
        Type(dialog, sensitivity, QStringLiteral("2.13"));
        Type(dialog, jackNumber, jack);
        if (!sensor.isEmpty())
            Type(dialog, sensorNumber, sensor);
        prompter.QueueAnswer(true);
        dialog.findChild<QPushButton*>(QString::number(confirm))->click();
    }

    TempDevice device;
    ScriptedPrompter prompter;
    ManualClock clock{QDateTime(QDate(2024, 5, 17), QTime(10, 0))};
    CPublic pub;
    QString pileReference;
};

TEST_F(CalibrationToTestSettingsTest, JackGroupConvertsTheOilPressure) {
    // A second group of another jack first, so the lookup has to choose.
    EnterGroup(false, QStringLiteral("QJ1"), QString(), 1, 1);
    EnterGroup(false, QStringLiteral("QJ9"), QString(), 5, 5); // 5 .. 25 MPa
    ASSERT_EQ(pub.jackTable[0].saved, 1);
    ConfirmTestSettings(TestSettingsId::jackCalibration, QStringLiteral("QJ9"), QString());
    ASSERT_EQ(pub.pressureMode, 2) << Messages(prompter).join('|').toStdString();
    EXPECT_EQ(pub.calibrationSource, 0);

    // 375 counts: 80 x 375 / (1200 x 2.13) = 11.74 MPa, between 10 MPa (400 kN) and 15 MPa (600 kN).
    ASSERT_TRUE(FeedReply(pub, {}, 375));
    const LiveSample live = pub.run.Live();
    EXPECT_FALSE(live.calibrationTableRefused);
    EXPECT_NEAR(live.oilPressure, 11.737f, 0.001f);
    EXPECT_NEAR(live.currentLoad, 400.0f + 200.0f * (live.oilPressure - 10.0f) / 5.0f, 0.01f);
}

TEST_F(CalibrationToTestSettingsTest, SystemGroupConvertsTheScaledCount) {
    EnterGroup(true, QStringLiteral("QJ9"), QStringLiteral("S3"), 210, 200); // 210 .. 1010 kN
    ConfirmTestSettings(TestSettingsId::systemCalibration, QStringLiteral("QJ9"), QStringLiteral("S3"));
    ASSERT_EQ(pub.pressureMode, 2) << Messages(prompter).join('|').toStdString();
    EXPECT_EQ(pub.calibrationSource, 1);

    ASSERT_TRUE(FeedReply(pub, {}, 1000));
    const LiveSample live = pub.run.Live();
    const float scaled = 1000.0f / pub.calibrationCoefficient;
    ASSERT_GT(scaled, 410.0f);
    ASSERT_LT(scaled, 610.0f);
    EXPECT_FALSE(live.calibrationTableRefused);
    EXPECT_NEAR(live.currentLoad, 400.0f + 200.0f * (scaled - 410.0f) / 200.0f, 0.01f);
}

} // namespace
