#include "core/setup/LoadCoefficient.h"

#include "core/data/CFormat.h"
#include "core/setup/JackRecords.h"
#include "core/setup/TestSettingsFormFixtures.h"
#include "support/TempDevice.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

QString Shown(std::optional<float> k) {
    return k ? QString::fromLatin1(CFormat("%.3f", static_cast<double>(*k))) : QStringLiteral("none");
}

// Two points at 1200·S·p / (R·l) = 4 and 6 for S = 2, R = 60, and a third
// point beyond the point count that must not count.
CalibrationSelection TwoPointTable() {
    CalibrationSelection table;
    table.pointCount = 2;
    table.calibrationPressures = {10, 30, 99};
    table.calibrationLoads = {100, 200, 1};
    return table;
}

struct CoefficientCase {
    const char* what;
    std::function<void(TestSettingsForm&)> change;
    const char* expected;
};

TEST(LoadCoefficientTest, EachSensorAndModeHasItsFormula) {
    const CoefficientCase cases[] = {
        {"oil, computed: 1200·2.13·65 / (1·1000·80)", [](TestSettingsForm&) {}, "2.077"},
        {"oil, system calibration uses the rated values",
         [](TestSettingsForm& f) { f.mode = PressureMode::CalibrationData; }, "2.077"},
        {"force: C / N = 3 / 2",
         [](TestSettingsForm& f) {
             f.sensor = SensorKind::Force;
             f.sensitivity = "3";
             f.jackCount = "2";
         },
         "1.500"},
        {"force in calibration-data mode is still C / N",
         [](TestSettingsForm& f) {
             f.sensor = SensorKind::Force;
             f.mode = PressureMode::CalibrationData;
             f.sensitivity = "3";
             f.jackCount = "2";
         },
         "1.500"},
        {"regression: 15·0.05·2.13",
         [](TestSettingsForm& f) {
             f.mode = PressureMode::Regression;
             f.regressionB = "0.05";
         },
         "1.598"},
        {"rated force as stored, whole kN: 999.6 counts as 1000",
         [](TestSettingsForm& f) { f.ratedForce = "999.6"; }, "2.077"},
        {"rated pressure as stored, two decimals: 65.004 counts as 65.00",
         [](TestSettingsForm& f) { f.ratedPressure = "65.004"; }, "2.077"},
        {"a range stored as 0 gives no coefficient", [](TestSettingsForm& f) { f.sensorRange = "0.4"; },
         "none"},
        {"an empty jack count gives no coefficient", [](TestSettingsForm& f) { f.jackCount = ""; }, "none"},
    };
    for (const CoefficientCase& c : cases) {
        TestSettingsForm form = ValidComputedForm();
        c.change(form);
        EXPECT_EQ(Shown(LoadCoefficient(form, nullptr)), c.expected) << c.what;
    }
}

TEST(LoadCoefficientTest, JackTableAveragesThePointsAndDividesByTheJacks) {
    TestSettingsForm form = ValidComputedForm();
    form.mode = PressureMode::CalibrationData;
    form.calibration = CalibrationMode::Jack;
    form.sensitivity = "2";
    form.sensorRange = "60";
    form.jackCount = "2";
    const CalibrationSelection table = TwoPointTable();
    EXPECT_EQ(Shown(LoadCoefficient(form, &table)), "2.500") << "(4 + 6) / 2 points / 2 jacks";
    EXPECT_EQ(Shown(LoadCoefficient(form, nullptr)), "none") << "no record chosen";
}

TEST(LoadCoefficientTest, JackTablePointsWithoutLoadAreLeftOut) {
    TestSettingsForm form = ValidComputedForm();
    form.mode = PressureMode::CalibrationData;
    form.calibration = CalibrationMode::Jack;
    form.sensitivity = "2";
    form.sensorRange = "60";
    CalibrationSelection table = TwoPointTable();
    table.pointCount = 3;
    table.calibrationPressures = {0, 10, 30};
    table.calibrationLoads = {0, 100, 200};
    EXPECT_EQ(Shown(LoadCoefficient(form, &table)), "5.000") << "the zero point would divide by zero";
    table.calibrationLoads = {};
    EXPECT_EQ(Shown(LoadCoefficient(form, &table)), "none");
}

TEST(LoadCoefficientTest, PreviewLooksUpTheTypedJack) {
    TempDevice device;
    JackRecords::Save(device.Files(), {JackRecords::Make("7", "", {{10, 100}, {30, 200}})});
    TestSettingsForm form = ValidComputedForm();
    form.mode = PressureMode::CalibrationData;
    form.calibration = CalibrationMode::Jack;
    form.sensitivity = "2";
    form.sensorRange = "60";
    EXPECT_EQ(PreviewCoefficient(form, device.Files()), QString()) << "no jack number yet";
    form.jackNumber = "7";
    EXPECT_EQ(PreviewCoefficient(form, device.Files()), "5.000");
    form.jackNumber = "9";
    EXPECT_EQ(PreviewCoefficient(form, device.Files()), QString()) << "no such jack";
    form.mode = PressureMode::Computed;
    form.sensitivity = "2.13";
    form.sensorRange = "";
    EXPECT_EQ(PreviewCoefficient(form, device.Files()), QString()) << "range still empty";
    form.sensorRange = "80";
    EXPECT_EQ(PreviewCoefficient(form, device.Files()), "2.077");
}

} // namespace
