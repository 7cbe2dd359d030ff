#include "core/setup/ApplyTestSettings.h"

#include "core/data/DeviceText.h"
#include "core/data/KVTFile.h"
#include "core/setup/TestSettingsFormFixtures.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class ApplyTestSettingsTest : public ::testing::Test {
  protected:
    ApplyTestSettingsTest() { KVTFile::BuildBlankRecords(pub); }

    template <std::size_t N> QString Row(int row, char (Record::*field)[N]) const {
        return DeviceText::ToUnicode(FieldText(pub.recordList[static_cast<std::size_t>(row)].*field));
    }

    CPublic pub;
    ParameterList list = DefaultParameterList();
};

TEST_F(ApplyTestSettingsTest, RowsGetTheTextsAndTheirFlagCopies) {
    TestSettingsForm form = ValidComputedForm();
    form.serialNumber = "123456789012";
    form.pileNumber = "0042";
    form.jackNumber = "J7";
    form.sensorNumber = "S31";
    form.ratedPressure = "62.5";
    form.ratedForce = "1500.4";
    form.jackCount = "2";
    form.sensorRange = "60";
    form.sensitivity = "2.1";
    form.circuit = JackCircuit::Single;
    WriteSettingsRows(pub, form, QDate(2024, 3, 5));

    struct Expected {
        QString actual;
        const char* text;
    };
    const Expected rows[] = {
        {Row(9, &Record::textValue), "2024-03-05"}, {Row(1, &Record::flagText), "2024-03-05"},
        {Row(32, &Record::textValue2), "0"},        {Row(7, &Record::textLong), "123456789012"},
        {Row(8, &Record::textValue), "0042"},       {Row(12, &Record::textValue), "J7"},
        {Row(3, &Record::flagText), "J7"},          {Row(9, &Record::textLong), "S31"},
        {Row(6, &Record::flagText), "S31"},         {Row(14, &Record::textValue), "62.50"},
        {Row(5, &Record::flagText), "62.50"},       {Row(15, &Record::textValue), "1500"},
        {Row(4, &Record::flagText), "1500"},        {Row(6, &Record::textValue), "2"},
        {Row(10, &Record::flagText), "2"},          {Row(10, &Record::textLong), "60"},
        {Row(7, &Record::flagText), "60"},          {Row(11, &Record::textLong), "2.100000"},
        {Row(8, &Record::flagText), "2.100000"},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(rows[i].actual, QString::fromUtf8(rows[i].text)) << "entry " << i;
}

struct ApplyCase {
    const char* what;
    std::function<void(TestSettingsForm&)> change;
    int pressureSensor;
    int pressureMode;
    const char* modeRow;
    const char* sourceRow; // row 14 textLong; "" when the mode sets no source
    const char* coefficient;
};

TEST_F(ApplyTestSettingsTest, TypedParametersModeRowsAndCoefficientFollowTheMode) {
    const ApplyCase cases[] = {
        {"oil, computed", [](TestSettingsForm&) {}, 1, 1, "1", "", "2.077"},
        {"oil, system calibration", [](TestSettingsForm& f) { f.mode = PressureMode::CalibrationData; }, 1, 2,
         "2", "1", "2.077"},
        {"oil, regression",
         [](TestSettingsForm& f) {
             f.mode = PressureMode::Regression;
             f.regressionA = "-3";
             f.regressionB = "0.05";
         },
         1, 3, "3", "", "1.598"},
        {"force, computed",
         [](TestSettingsForm& f) {
             f.sensor = SensorKind::Force;
             f.sensitivity = "3";
             f.jackCount = "2";
         },
         0, 1, "1", "", "1.500"},
        {"force, calibration data",
         [](TestSettingsForm& f) {
             f.sensor = SensorKind::Force;
             f.mode = PressureMode::CalibrationData;
             f.sensitivity = "3";
             f.jackCount = "2";
         },
         0, 2, "2", "1", "1.500"},
    };
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.what);
        KVTFile::BuildBlankRecords(pub);
        TestSettingsForm form = ValidComputedForm();
        c.change(form);
        SetFieldText(pub.recordList[14].textLong, "9");
        ApplySettings(pub, form, SettingsValidation{});
        EXPECT_EQ(pub.pressureSensor, c.pressureSensor);
        EXPECT_EQ(pub.pressureMode, c.pressureMode);
        EXPECT_EQ(Row(12, &Record::textLong), QString::number(c.pressureSensor));
        EXPECT_EQ(Row(9, &Record::flagText), QString::number(c.pressureSensor));
        EXPECT_EQ(Row(13, &Record::textLong), c.modeRow);
        EXPECT_EQ(Row(14, &Record::textLong), c.sourceRow[0] ? c.sourceRow : "9")
            << "left alone without a source";
        EXPECT_EQ(Row(0, &Record::textValue2), c.coefficient);
        EXPECT_EQ(Row(0, &Record::flagText), c.coefficient);
        EXPECT_NEAR(pub.calibrationCoefficient, QString::fromLatin1(c.coefficient).toFloat(), 0.0005);
    }
}

TEST_F(ApplyTestSettingsTest, BoxesBecomeTypedParameters) {
    TestSettingsForm form = ValidComputedForm();
    form.circuit = JackCircuit::Single;
    form.sensorRange = "60.9";
    form.jackCount = "3";
    form.sensitivity = "2.5";
    form.ratedForce = "1500";
    form.ratedPressure = "62.5";
    form.jackNumber = "J7";
    form.sensorNumber = "S31";
    pub.sensorNumber = "old";
    ApplySettings(pub, form, SettingsValidation{});
    EXPECT_FALSE(pub.doubleCircuitJack);
    EXPECT_EQ(pub.sensorRange, 60) << "truncated";
    EXPECT_EQ(pub.jackCount, 3);
    EXPECT_FLOAT_EQ(pub.sensorSensitivity, 2.5f);
    EXPECT_FLOAT_EQ(pub.jackRatedForce, 1500.0f);
    EXPECT_FLOAT_EQ(pub.jackRatedPressure, 62.5f);
    EXPECT_EQ(pub.jackNumber, "J7");
    EXPECT_EQ(pub.sensorNumber, "old") << "the sensor number is kept outside the calibration-data mode";
}

TEST_F(ApplyTestSettingsTest, RegressionStoresItsConstants) {
    TestSettingsForm form = ValidComputedForm();
    form.mode = PressureMode::Regression;
    form.regressionA = "-3";
    form.regressionB = "0.05";
    ApplySettings(pub, form, SettingsValidation{});
    EXPECT_FLOAT_EQ(pub.regressionA, -3.0f);
    EXPECT_FLOAT_EQ(pub.regressionB, 0.05f);
    EXPECT_EQ(Row(15, &Record::textLong), "-3.000000");
    EXPECT_EQ(Row(16, &Record::textLong), "0.050000");
}

TEST_F(ApplyTestSettingsTest, JackTableTakesTheFoundRecordAndItsCoefficient) {
    TestSettingsForm form = ValidComputedForm();
    form.mode = PressureMode::CalibrationData;
    form.calibration = CalibrationMode::Jack;
    form.jackNumber = "7";
    form.sensorNumber = "S31";
    form.sensitivity = "2";
    form.sensorRange = "60";
    SettingsValidation validation;
    validation.calibration = CalibrationLookup{std::vector<JackRecord>(kJackSlots, JackRecord::Blank()), {}};
    CalibrationSelection& selection = validation.calibration->selection;
    selection.pointCount = 2;
    selection.calibrationPressures = {10, 30};
    selection.calibrationLoads = {100, 200};
    selection.jackCalibrationIndex = 4;
    ApplySettings(pub, form, validation);

    EXPECT_EQ(pub.calibrationSource, 0);
    EXPECT_EQ(Row(14, &Record::textLong), "0");
    EXPECT_EQ(pub.sensorNumber, "S31");
    EXPECT_EQ(pub.calibration.jackCalibrationIndex, 4);
    EXPECT_EQ(pub.jackTable.size(), static_cast<std::size_t>(kJackSlots));
    EXPECT_EQ(Row(0, &Record::textValue2), "5.000");
}

TEST_F(ApplyTestSettingsTest, SettingsEntriesTakeTheBoxesAsNumbers) {
    TestSettingsForm form = ValidComputedForm();
    form.circuit = JackCircuit::Single;
    form.sensor = SensorKind::Force;
    form.jackNumber = "12";
    form.sensorNumber = "31";
    form.regressionA = "-3";
    form.regressionB = "0.05";
    form.serialNumber = "000123";
    WriteSettingsEntries(list, form);
    const std::pair<int, float> expected[] = {
        {Entry::doubleCircuitJack, 0.0f},   {Entry::pressureSensor, 0.0f},
        {Entry::jackNumberValue, 12.0f},    {Entry::jackRatedPressure, 65.0f},
        {Entry::jackRatedForce, 1000.0f},   {Entry::jackCount, 1.0f},
        {Entry::sensorNumberValue, 31.0f},  {Entry::sensorRange, 80.0f},
        {Entry::sensorSensitivity, 2.13f},  {Entry::pileNumberValue, 1.0f},
        {Entry::serialNumberValue, 123.0f}, {Entry::regressionA, -3.0f},
        {Entry::regressionB, 0.05f},
    };
    for (const auto& [entry, value] : expected)
        EXPECT_FLOAT_EQ(list[static_cast<std::size_t>(entry)], value) << entry;
}

TEST_F(ApplyTestSettingsTest, ShortListsAndShortRecordListsAreSkippedNotOverrun) {
    ParameterList shortList(12, 5.0f);
    pub.recordList.resize(5);
    StoreTestSettings(pub, shortList, ValidComputedForm(), SettingsValidation{}, QDate(2024, 3, 5));
    EXPECT_EQ(shortList.size(), 12u);
    EXPECT_EQ(shortList[Entry::pressureSensor], 1.0f);
    EXPECT_EQ(pub.recordList.size(), 5u);
    EXPECT_EQ(Row(1, &Record::flagText), "2024-03-05");
}

} // namespace
