#include "core/setup/ConfirmTestSettings.h"

#include "core/setup/JackRecords.h"
#include "core/setup/TestSettingsFormFixtures.h"
#include "support/TempDevice.h"

#include <gtest/gtest.h>

#include <QDir>

#include <functional>

namespace {

struct RefusalCase {
    const char* what;
    std::function<void(TestSettingsForm&)> change;
    const char* message; // "" = accepted
};

TEST(WizardIdentityTest, SerialPileAndJackCountAreCheckedInOrder) {
    const RefusalCase cases[] = {
        {"accepted", [](TestSettingsForm&) {}, ""},
        {"twelve digits", [](TestSettingsForm& f) { f.serialNumber = "123456789012"; }, ""},
        {"empty serial", [](TestSettingsForm& f) { f.serialNumber = ""; }, "检测流水号不能为空！"},
        {"five digits", [](TestSettingsForm& f) { f.serialNumber = "12345"; },
         "检测流水号要求为6位或12位数字！"},
        {"seven digits", [](TestSettingsForm& f) { f.serialNumber = "1234567"; },
         "检测流水号要求为6位或12位数字！"},
        {"empty pile", [](TestSettingsForm& f) { f.pileNumber = ""; }, "试桩编号不能为空！"},
        {"two-digit pile", [](TestSettingsForm& f) { f.pileNumber = "12"; }, "桩号要求为4位数字！"},
        {"no jack", [](TestSettingsForm& f) { f.jackCount = "0"; }, "千斤顶并联数量必须大于0"},
        {"jack count no number: left to the settings checks", [](TestSettingsForm& f) { f.jackCount = "x"; },
         ""},
        {"serial not a number", [](TestSettingsForm& f) { f.serialNumber = "12345."; },
         "请正确输入检测流水号！"},
        {"six zeros", [](TestSettingsForm& f) { f.serialNumber = "000000"; }, "检测流水号输入不正确！"},
        {"serial before pile",
         [](TestSettingsForm& f) {
             f.serialNumber = "1";
             f.pileNumber = "";
         },
         "检测流水号要求为6位或12位数字！"},
        {"pile before the serial's digits",
         [](TestSettingsForm& f) {
             f.serialNumber = "000000";
             f.pileNumber = "1";
         },
         "桩号要求为4位数字！"},
    };
    for (const RefusalCase& c : cases) {
        TestSettingsForm form = ValidComputedForm();
        c.change(form);
        EXPECT_EQ(CheckWizardIdentity(form), QString::fromUtf8(c.message)) << c.what;
    }
}

class ValidateSettingsTest : public ::testing::Test {
  protected:
    ValidateSettingsTest() {
        JackRecords::Save(device.Files(), {
                                              JackRecords::Make("7", "", {{10, 100}, {30, 200}}),
                                              JackRecords::Make("8", "31", {{10, 100}, {30, 200}}),
                                              JackRecords::Make("", "41", {{10, 100}, {30, 200}}),
                                              JackRecords::Make("9", "", {{0, 0}}),
                                          });
    }
    TempDevice device;
};

TEST_F(ValidateSettingsTest, EveryRefusalHasItsMessageInCheckOrder) {
    auto calibrationData = [](TestSettingsForm& f, CalibrationMode calibration) {
        f.mode = PressureMode::CalibrationData;
        f.calibration = calibration;
    };
    auto force = [](TestSettingsForm& f) {
        f.sensor = SensorKind::Force;
        f.sensitivity = "3";
    };
    const RefusalCase cases[] = {
        {"accepted", [](TestSettingsForm&) {}, ""},
        {"everything empty: the range comes first", [](TestSettingsForm& f) { f = TestSettingsForm{}; },
         "传感器满量程值要求为数字！"},
        {"range 0", [](TestSettingsForm& f) { f.sensorRange = "0"; }, "传感器满量程值要大于0！"},
        {"range below one whole unit", [](TestSettingsForm& f) { f.sensorRange = "0.5"; },
         "传感器满量程值要大于0！"},
        {"jack count", [](TestSettingsForm& f) { f.jackCount = "x"; }, "千斤顶并联台数要求为数字！"},
        {"no jack", [](TestSettingsForm& f) { f.jackCount = "0"; }, "千斤顶并联台数要大于0！"},
        {"trailing point", [](TestSettingsForm& f) { f.sensitivity = "1."; }, "传感器灵敏度要求为数字！"},
        {"leading point", [](TestSettingsForm& f) { f.sensitivity = ".5"; }, "传感器灵敏度要求为数字！"},
        {"sensitivity 0", [](TestSettingsForm& f) { f.sensitivity = "0"; }, "传感器灵敏度要大于0！"},
        {"rated force", [](TestSettingsForm& f) { f.ratedForce = ""; }, "千斤顶额定出力值要求为数字！"},
        {"rated force 0", [](TestSettingsForm& f) { f.ratedForce = "0"; }, "千斤顶额定出力值要大于0！"},
        {"rated pressure", [](TestSettingsForm& f) { f.ratedPressure = "6.5.1"; },
         "千斤顶额定油压值要求为数字！"},
        {"negative rated pressure", [](TestSettingsForm& f) { f.ratedPressure = "-65"; },
         "千斤顶额定油压值要大于0！"},
        {"rated pressure that two decimals make 0", [](TestSettingsForm& f) { f.ratedPressure = "0.001"; },
         "千斤顶额定油压值要大于0！"},
        {"force before pressure",
         [](TestSettingsForm& f) {
             f.ratedForce = "0";
             f.ratedPressure = "";
         },
         "千斤顶额定出力值要大于0！"},
        {"jack table without jack number",
         [&](TestSettingsForm& f) { calibrationData(f, CalibrationMode::Jack); }, "千斤顶编号不能为空!"},
        {"jack table, unknown jack",
         [&](TestSettingsForm& f) {
             calibrationData(f, CalibrationMode::Jack);
             f.jackNumber = "5";
         },
         "未找到与输入编号相符的率定数据！"},
        {"jack table, jack 7",
         [&](TestSettingsForm& f) {
             calibrationData(f, CalibrationMode::Jack);
             f.jackNumber = "7";
         },
         ""},
        {"jack table whose record has no loaded point",
         [&](TestSettingsForm& f) {
             calibrationData(f, CalibrationMode::Jack);
             f.jackNumber = "9";
         },
         "未找到与输入编号相符的率定数据！"},
        {"jack table still checks the rated values",
         [&](TestSettingsForm& f) {
             calibrationData(f, CalibrationMode::Jack);
             f.ratedForce = "";
         },
         "千斤顶额定出力值要求为数字！"},
        {"system calibration without sensor number",
         [&](TestSettingsForm& f) {
             calibrationData(f, CalibrationMode::System);
             f.jackNumber = "8";
         },
         "传感器编号不能为空！"},
        {"system calibration of another jack",
         [&](TestSettingsForm& f) {
             calibrationData(f, CalibrationMode::System);
             f.jackNumber = "7";
             f.sensorNumber = "31";
         },
         "未找到与输入编号相符的率定数据！"},
        {"system calibration of jack 8 with sensor 31",
         [&](TestSettingsForm& f) {
             calibrationData(f, CalibrationMode::System);
             f.jackNumber = "8";
             f.sensorNumber = "31";
         },
         ""},
        {"regression a",
         [](TestSettingsForm& f) {
             f.mode = PressureMode::Regression;
             f.regressionA = "";
         },
         "千斤顶回归方程系数a要求为数字！"},
        {"regression b 0 with a negative a",
         [](TestSettingsForm& f) {
             f.mode = PressureMode::Regression;
             f.regressionA = "-3";
         },
         "千斤顶回归方程系数b要大于0！"},
        {"regression b",
         [](TestSettingsForm& f) {
             f.mode = PressureMode::Regression;
             f.regressionB = "b";
         },
         "千斤顶回归方程系数b要求为数字！"},
        {"regression ignores the rated values",
         [](TestSettingsForm& f) {
             f.mode = PressureMode::Regression;
             f.regressionA = "-3";
             f.regressionB = "0.05";
             f.ratedForce = "";
         },
         ""},
        {"force coefficient",
         [&](TestSettingsForm& f) {
             force(f);
             f.sensitivity = "";
         },
         "传感器标定系数要求为数字！"},
        {"force coefficient 0",
         [&](TestSettingsForm& f) {
             force(f);
             f.sensitivity = "0";
         },
         "传感器标定系数要大于0！"},
        {"force, computed, rated force",
         [&](TestSettingsForm& f) {
             force(f);
             f.ratedForce = "x";
         },
         "千斤顶额定出力值要求为数字！"},
        {"force, calibration data without sensor",
         [&](TestSettingsForm& f) {
             force(f);
             calibrationData(f, CalibrationMode::System);
         },
         "传感器编号不能为空！"},
        {"force, calibration data of a jack's sensor",
         [&](TestSettingsForm& f) {
             force(f);
             calibrationData(f, CalibrationMode::System);
             f.sensorNumber = "31";
         },
         "未找到与输入编号相符的率定数据！"},
        {"force, calibration data of sensor 41",
         [&](TestSettingsForm& f) {
             force(f);
             calibrationData(f, CalibrationMode::System);
             f.sensorNumber = "41";
         },
         ""},
    };
    for (const RefusalCase& c : cases) {
        TestSettingsForm form = ValidComputedForm();
        c.change(form);
        EXPECT_EQ(ValidateSettings(form, device.Files()).refusal, QString::fromUtf8(c.message)) << c.what;
    }
}

TEST_F(ValidateSettingsTest, CalibrationDataCarriesTheFoundRecord) {
    TestSettingsForm form = ValidComputedForm();
    EXPECT_FALSE(ValidateSettings(form, device.Files()).calibration) << "computed mode needs no record";
    form.mode = PressureMode::CalibrationData;
    form.calibration = CalibrationMode::System;
    form.jackNumber = "8";
    form.sensorNumber = "31";
    const SettingsValidation validation = ValidateSettings(form, device.Files());
    ASSERT_TRUE(validation.calibration);
    EXPECT_EQ(validation.calibration->selection.jackCalibrationIndex, 1);
}

class ClaimDataFileTest : public ::testing::Test {
  protected:
    const QString path = QStringLiteral("\\硬盘\\APP\\123456-0001.kvt");
    TempDevice device;
    CPublic pub;
};

TEST_F(ClaimDataFileTest, NameIsBuiltFromSerialAndPile) {
    EXPECT_EQ(NewDataFilePath(ValidComputedForm()), path);
}

TEST_F(ClaimDataFileTest, ANewNameBecomesTheDataFile) {
    EXPECT_TRUE(ClaimDataFile(pub, device.Files(), path));
    EXPECT_EQ(pub.dataFilePath, path);
}

TEST_F(ClaimDataFileTest, AFileWithRowsIsNeverTakenOver) {
    pub.dataFilePath = QStringLiteral("\\硬盘\\APP\\old.kvt");
    device.Write(path, QByteArray(267, '\0'));
    EXPECT_FALSE(ClaimDataFile(pub, device.Files(), path));
    EXPECT_TRUE(pub.dataFilePath.isEmpty());
}

TEST_F(ClaimDataFileTest, AFileShorterThanOneRowIsTakenOver) {
    device.Write(path, QByteArray(266, '\0'));
    EXPECT_TRUE(ClaimDataFile(pub, device.Files(), path));
    EXPECT_EQ(pub.dataFilePath, path);
}

TEST_F(ClaimDataFileTest, ANameThatCannotBeReadIsRefused) {
    ASSERT_TRUE(QDir().mkpath(device.Files().HostPath(path)));
    EXPECT_FALSE(ClaimDataFile(pub, device.Files(), path));
    EXPECT_TRUE(pub.dataFilePath.isEmpty());
}

} // namespace
