#include "core/setup/TestSettingsForm.h"

#include "core/data/KVTFile.h"
#include "core/data/ParameterRows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

namespace {

using namespace TestSettingsId;

const QString kCaption = QStringLiteral("测试设置                                 文件名: ");

class TestSettingsFormTest : public ::testing::Test {
  protected:
    TestSettingsFormTest() { KVTFile::BuildBlankRecords(pub); }

    TestSettingsOpening OpenWizard() {
        pub.wizardMode = true;
        return OpenTestSettingsForm(pub, list, QStringLiteral("0007"));
    }

    CPublic pub;
    ParameterList list = DefaultParameterList();
};

TEST_F(TestSettingsFormTest, WizardShowsTheStoredSettingsWithoutTrailingZeros) {
    list[Entry::jackRatedPressure] = 62.5f;
    list[Entry::jackRatedForce] = 2000.0f;
    list[Entry::jackCount] = 2.0f;
    list[Entry::sensorRange] = 60.0f;
    list[Entry::sensorSensitivity] = 2.0f;
    list[Entry::regressionA] = -3.0f;
    list[Entry::regressionB] = 0.05f;
    const TestSettingsOpening opening = OpenWizard();
    const TestSettingsForm& form = opening.form;
    EXPECT_TRUE(opening.editable);
    EXPECT_EQ(form.ratedPressure, "62.5");
    EXPECT_EQ(form.ratedForce, "2000");
    EXPECT_EQ(form.jackCount, "2");
    EXPECT_EQ(form.sensorRange, "60");
    EXPECT_EQ(form.sensitivity, "2");
    EXPECT_EQ(form.regressionA, "-3");
    EXPECT_EQ(form.regressionB, "0.05");
    EXPECT_EQ(form.pileNumber, "0007");
    EXPECT_TRUE(form.jackNumber.isEmpty());
    EXPECT_TRUE(form.sensorNumber.isEmpty());
    EXPECT_EQ(form.mode, PressureMode::Computed);
    EXPECT_EQ(form.calibration, CalibrationMode::System);
}

TEST_F(TestSettingsFormTest, WizardRestoresTheSerialNumbersLeadingZeros) {
    const std::pair<float, const char*> cases[] = {
        {0.0f, ""},
        {1234.0f, "001234"},
        {123456.0f, "123456"},
        {1234567.0f, ""},
    };
    for (const auto& [stored, shown] : cases) {
        list[Entry::serialNumberValue] = stored;
        EXPECT_EQ(OpenWizard().form.serialNumber, shown) << stored;
    }
}

TEST_F(TestSettingsFormTest, WizardRadiosFollowEntries10And11AndRepairNonNumbers) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float circuit, sensor;
        JackCircuit expectedCircuit;
        SensorKind expectedSensor;
    };
    const Case cases[] = {
        {1.0f, 1.0f, JackCircuit::Double, SensorKind::OilPressure},
        {0.0f, 0.0f, JackCircuit::Single, SensorKind::Force},
        {1.7f, 2.0f, JackCircuit::Double, SensorKind::Force},
        {nan, nan, JackCircuit::Double, SensorKind::OilPressure},
    };
    for (const Case& c : cases) {
        list[Entry::doubleCircuitJack] = c.circuit;
        list[Entry::pressureSensor] = c.sensor;
        const TestSettingsForm form = OpenWizard().form;
        EXPECT_EQ(form.circuit, c.expectedCircuit) << c.circuit;
        EXPECT_EQ(form.sensor, c.expectedSensor) << c.sensor;
        EXPECT_FALSE(std::isnan(list[Entry::doubleCircuitJack]));
        EXPECT_FALSE(std::isnan(list[Entry::pressureSensor]));
    }
}

TEST_F(TestSettingsFormTest, WizardLeavesBoxesEmptyForSettingsThatAreNoNumber) {
    list[Entry::jackRatedForce] = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(OpenWizard().form.ratedForce.isEmpty());
}

TEST_F(TestSettingsFormTest, AloneWithoutATestShowsTheDefaults) {
    list[Entry::jackRatedForce] = 3000.0f;
    const TestSettingsOpening opening = OpenTestSettingsForm(pub, list, QStringLiteral("0007"));
    EXPECT_TRUE(opening.editable);
    const TestSettingsForm& form = opening.form;
    EXPECT_EQ(form.sensor, SensorKind::OilPressure);
    EXPECT_EQ(form.circuit, JackCircuit::Double);
    EXPECT_EQ(form.mode, PressureMode::Computed);
    EXPECT_EQ(form.sensorRange, "80");
    EXPECT_EQ(form.sensitivity, "2.13");
    EXPECT_EQ(form.ratedPressure, "65");
    EXPECT_EQ(form.ratedForce, "1000");
    EXPECT_EQ(form.jackCount, "1");
    EXPECT_TRUE(form.serialNumber.isEmpty());
    EXPECT_TRUE(form.pileNumber.isEmpty());
}

TEST_F(TestSettingsFormTest, DuringATestShowsWhatTheTestRunsWithReadOnly) {
    pub.run.Post(RunCommands::Start{});
    WriteParameterText(pub, ParameterText::serialNumber, "123456789012");
    WriteParameterText(pub, ParameterText::pileNumber, "0003");
    WriteParameterText(pub, ParameterText::pressureSensor, " 1 ");
    pub.pressureMode = 3;
    pub.calibrationSource = 1;
    pub.doubleCircuitJack = false;
    pub.sensorRange = 60;
    pub.jackCount = 2;
    pub.sensorSensitivity = 2.0f;
    pub.jackRatedForce = 1500.0f;
    pub.jackRatedPressure = 63.0f;
    pub.regressionA = -3.0f;
    pub.regressionB = 0.05f;
    pub.jackNumber = QStringLiteral("J7");
    pub.sensorNumber = QStringLiteral("S31");

    const TestSettingsOpening opening = OpenTestSettingsForm(pub, list, QString());
    EXPECT_FALSE(opening.editable);
    const TestSettingsForm& form = opening.form;
    EXPECT_EQ(form.serialNumber, "123456789012");
    EXPECT_EQ(form.pileNumber, "0003");
    EXPECT_EQ(form.sensor, SensorKind::OilPressure) << "the row text is trimmed";
    EXPECT_EQ(form.mode, PressureMode::Regression);
    EXPECT_EQ(form.calibration, CalibrationMode::System);
    EXPECT_EQ(form.circuit, JackCircuit::Single);
    EXPECT_EQ(form.sensorRange, "60");
    EXPECT_EQ(form.jackCount, "2");
    EXPECT_EQ(form.sensitivity, "2.000000");
    EXPECT_EQ(form.ratedForce, "1500");
    EXPECT_EQ(form.ratedPressure, "63.00");
    EXPECT_EQ(form.regressionA, "-3");
    EXPECT_EQ(form.regressionB, "0.05");
    EXPECT_EQ(form.jackNumber, "J7");
    EXPECT_EQ(form.sensorNumber, "S31");

    pub.calibrationSource = 0;
    WriteParameterText(pub, ParameterText::pressureSensor, "0");
    const TestSettingsForm jackForm = OpenTestSettingsForm(pub, list, QString()).form;
    EXPECT_TRUE(jackForm.sensorNumber.isEmpty()) << "the sensor number belongs to the system calibration";
    EXPECT_EQ(jackForm.sensor, SensorKind::Force);
}

TEST_F(TestSettingsFormTest, CaptionNamesTheDataFileOutsideTheWizard) {
    pub.dataFilePath = QStringLiteral("\\硬盘\\APP\\123456789012-0001.kvt");
    pub.wizardMode = true;
    EXPECT_EQ(TestSettingsCaption(pub, list), kCaption);
    pub.wizardMode = false;
    list[Entry::serialNumberValue] = 123456.0f;
    EXPECT_EQ(TestSettingsCaption(pub, list), kCaption + "789012-0001.kvt") << "15 characters for six digits";
    list[Entry::serialNumberValue] = 123456789012.0f;
    EXPECT_EQ(TestSettingsCaption(pub, list), kCaption + "123456789012-0001.kvt");
}

std::set<int> EnabledIds(const std::map<int, bool>& controls, bool enabled) {
    std::set<int> ids;
    for (const auto& [id, on] : controls)
        if (on == enabled)
            ids.insert(id);
    return ids;
}

TEST_F(TestSettingsFormTest, ModeControlsFollowSensorAndMode) {
    struct Case {
        const char* what;
        SensorKind sensor;
        PressureMode mode;
        std::set<int> enabled;
        std::set<int> disabled;
    };
    const Case cases[] = {
        {"oil, computed",
         SensorKind::OilPressure,
         PressureMode::Computed,
         {1058, 1007, 1043, 1044, 1003, 1004, 1005},
         {1059, 1060, 1010, 1011}},
        {"oil, calibration data",
         SensorKind::OilPressure,
         PressureMode::CalibrationData,
         {1058, 1059, 1060, 1003, 1007, 1043, 1044, 1004, 1005},
         {1010, 1011}},
        {"oil, regression",
         SensorKind::OilPressure,
         PressureMode::Regression,
         {1058, 1010, 1011, 1043, 1044},
         {1059, 1060, 1007, 1003, 1004, 1005}},
        {"force, computed",
         SensorKind::Force,
         PressureMode::Computed,
         {1007, 1043, 1044, 1003, 1004, 1005},
         {1058, 1059, 1060, 1010, 1011}},
        {"force, calibration data",
         SensorKind::Force,
         PressureMode::CalibrationData,
         {1060, 1007, 1043, 1044, 1003, 1004, 1005},
         {1058, 1059, 1010, 1011}},
    };
    for (const Case& c : cases) {
        TestSettingsForm form;
        form.sensor = c.sensor;
        form.mode = c.mode;
        form.calibration = CalibrationMode::Jack;
        const std::map<int, bool> controls = UpdateModeControls(form);
        EXPECT_EQ(EnabledIds(controls, true), c.enabled) << c.what;
        EXPECT_EQ(EnabledIds(controls, false), c.disabled) << c.what;
    }
}

TEST_F(TestSettingsFormTest, ForceSensorSettlesTheChoicesItCannotHave) {
    TestSettingsForm form;
    form.sensor = SensorKind::Force;
    form.mode = PressureMode::Regression;
    UpdateModeControls(form);
    EXPECT_EQ(form.mode, PressureMode::Computed);

    form.mode = PressureMode::CalibrationData;
    form.calibration = CalibrationMode::Jack;
    UpdateModeControls(form);
    EXPECT_EQ(form.calibration, CalibrationMode::System);
}

TEST_F(TestSettingsFormTest, SensorChoiceIsRefusedOnceLoadingHasBegun) {
    TestSettingsForm form;
    form.sensorRange = QStringLiteral("55");
    pub.run.Post(RunCommands::Enter{ControlState::Loading});
    EXPECT_FALSE(ChooseSensor(form, SensorKind::Force, pub));
    EXPECT_EQ(form.sensor, SensorKind::OilPressure);

    pub.run.Post(RunCommands::Enter{ControlState::Waiting});
    EXPECT_TRUE(ChooseSensor(form, SensorKind::Force, pub));
    EXPECT_EQ(form.sensor, SensorKind::Force);
    EXPECT_EQ(form.sensorRange, "55") << "outside the wizard the range stays";

    pub.wizardMode = true;
    ChooseSensor(form, SensorKind::Force, pub);
    EXPECT_EQ(form.sensorRange, "2000");
    ChooseSensor(form, SensorKind::OilPressure, pub);
    EXPECT_EQ(form.sensorRange, "80");
}

TEST_F(TestSettingsFormTest, CalibrationChoiceDuringATestPutsBackTheStoredSensor) {
    TestSettingsForm form;
    form.sensor = SensorKind::Force;
    ChooseCalibration(form, CalibrationMode::Jack, pub, list);
    EXPECT_EQ(form.sensor, SensorKind::Force);
    EXPECT_EQ(form.calibration, CalibrationMode::Jack);

    pub.run.Post(RunCommands::Start{});
    list[Entry::pressureSensor] = 1.0f;
    ChooseCalibration(form, CalibrationMode::System, pub, list);
    EXPECT_EQ(form.sensor, SensorKind::OilPressure);
    EXPECT_EQ(form.calibration, CalibrationMode::System);
}

TEST_F(TestSettingsFormTest, SensorLabelsNameTheUnitOfTheKind) {
    EXPECT_EQ(SensorLabelsFor(SensorKind::OilPressure).range, "传感器量程(MPa)");
    EXPECT_EQ(SensorLabelsFor(SensorKind::OilPressure).sensitivity, "传感器灵敏度(mv/V)");
    EXPECT_EQ(SensorLabelsFor(SensorKind::Force).range, "传感器量程(kN)");
    EXPECT_EQ(SensorLabelsFor(SensorKind::Force).sensitivity, "传感器标定系数");
}

TEST(TrimTrailingZerosTest, DropsZerosAfterAnInnerPointOnly) {
    const std::pair<const char*, const char*> cases[] = {
        {"2.130000", "2.13"}, {"80.000", "80"},     {"100", "100"}, {"-3.000000", "-3"},
        {".500", ".500"},     {"0.050000", "0.05"}, {"", ""},
    };
    for (const auto& [text, trimmed] : cases)
        EXPECT_EQ(TrimTrailingZeros(QString::fromLatin1(text)), trimmed) << text;
}

} // namespace
