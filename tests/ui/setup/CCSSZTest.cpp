#include "ui/setup/CCSSZ.h"

#include "core/data/CPublic.h"
#include "core/data/DeviceText.h"
#include "core/data/KVTFile.h"
#include "core/setup/JackRecords.h"
#include "platform/ManualClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDevice.h"
#include "ui/setup/NumericKeypad.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace TestSettingsId;

const QString kSettingsFile = QStringLiteral("\\硬盘\\APP\\tarvo.ini");
const QString kNewDataFile = QStringLiteral("\\硬盘\\APP\\123456-0001.kvt");

class CCSSZTest : public ::testing::Test {
  protected:
    CCSSZTest() { NewTest(); }

    void NewTest() {
        pub.paramList = DefaultParameterList();
        KVTFile::BuildBlankRecords(pub);
        blankRows.clear();
        for (const Record& row : pub.recordList)
            blankRows.push_back(PackRecord(row));
    }

    std::unique_ptr<CCSSZ> Open() {
        auto dialog =
            std::make_unique<CCSSZ>(pub, pub.paramList, pileReference, device.Files(), clock, prompter);
        QObject::connect(dialog.get(), &CCSSZ::NewTestResetRequested, [this] { ++resetRequests; });
        dialog->show();
        return dialog;
    }

    template <typename T = QLineEdit> T* Control(const CCSSZ& dialog, int id) {
        auto* control = dialog.findChild<T*>(QString::number(id));
        EXPECT_NE(control, nullptr) << id;
        return control;
    }
    QString Text(const CCSSZ& dialog, int id) { return Control(dialog, id)->text(); }
    void Click(CCSSZ& dialog, int id) { Control<QPushButton>(dialog, id)->click(); }
    void Choose(CCSSZ& dialog, int id) { Control<QRadioButton>(dialog, id)->click(); }

    // Touches the box and types `keys` ("0"-"9", ".", "-") on the keypad,
    // after clearing it.
    void Type(CCSSZ& dialog, int boxId, const QString& keys) {
        auto* keypad = dialog.findChild<NumericKeypad*>();
        keypad->FocusOn(Control(dialog, boxId));
        keypad->Key(KeypadKey::clear)->click();
        for (const QChar key : keys)
            keypad->Press(QString(key));
    }

    void TypeIdentity(CCSSZ& dialog, const QString& serial, const QString& pile) {
        Type(dialog, serialNumber, serial);
        Type(dialog, pileNumber, pile);
    }

    template <std::size_t N> QString Row(int row, char (Record::*field)[N]) const {
        return DeviceText::ToUnicode(FieldText(pub.recordList.at(static_cast<std::size_t>(row)).*field));
    }

    QStringList Messages() const {
        QStringList texts;
        for (const ScriptedPrompter::Shown& shown : prompter.ShownPrompts())
            texts << shown.text;
        return texts;
    }

    // Nothing of the test changed: no step, no file, no rows.
    void ExpectNothingStored(int setupStep) {
        EXPECT_EQ(pub.setupStep, setupStep);
        EXPECT_FALSE(pub.saveRequested);
        EXPECT_FALSE(device.Exists(kSettingsFile));
        ASSERT_EQ(pub.recordList.size(), blankRows.size());
        for (std::size_t i = 0; i < blankRows.size(); ++i)
            EXPECT_EQ(PackRecord(pub.recordList[i]), blankRows[i]) << "row " << i;
        EXPECT_EQ(pub.paramList, DefaultParameterList());
    }

    TempDevice device;
    ScriptedPrompter prompter;
    ManualClock clock{QDateTime(QDate(2024, 5, 17), QTime(10, 0))};
    CPublic pub;
    QString pileReference; // the pile number the caller hands over
    int resetRequests = 0;
    std::vector<PackedRecord> blankRows; // the rows before the dialog
};

TEST_F(CCSSZTest, WizardConfirmStoresRowsEntriesAndTheSettingsFile) {
    pub.wizardMode = true;
    pub.setupStep = 2;
    auto dialog = Open();
    EXPECT_EQ(Control<QPushButton>(*dialog, back)->text(), "上一步");
    EXPECT_EQ(Control<QPushButton>(*dialog, confirm)->text(), "下一步");
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("测试设置                                 文件名: "));
    EXPECT_EQ(dialog->findChild<NumericKeypad*>()->FocusedEdit(), Control(*dialog, serialNumber))
        << "typing starts in the serial number";
    EXPECT_EQ(Text(*dialog, coefficient), "2.077") << "the stored defaults";

    TypeIdentity(*dialog, "123456", "0001");
    Type(*dialog, jackNumber, "7");
    Type(*dialog, sensorNumber, "31");
    Click(*dialog, confirm);

    EXPECT_TRUE(Messages().isEmpty()) << Messages().join('|').toStdString();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(pub.setupStep, 3);
    EXPECT_EQ(pileReference, "0001");
    EXPECT_EQ(pub.dataFilePath, kNewDataFile);
    EXPECT_FALSE(pub.saveRequested) << "the wizard writes the data file when the test starts";
    EXPECT_FLOAT_EQ(pub.calibrationCoefficient, 1200.0f * 2.13f * 65 / (1000 * 80));
    EXPECT_EQ(pub.jackNumber, "7");

    EXPECT_EQ(Row(0, &Record::textValue2), "2.077");
    EXPECT_EQ(Row(9, &Record::textValue), "2024-05-17");
    EXPECT_EQ(Row(7, &Record::textLong), "123456");
    EXPECT_EQ(Row(8, &Record::textValue), "0001");
    EXPECT_EQ(Row(12, &Record::textValue), "7");
    EXPECT_EQ(Row(9, &Record::textLong), "31");
    EXPECT_EQ(Row(14, &Record::textValue), "65.00");
    EXPECT_EQ(Row(12, &Record::textLong), "1");
    EXPECT_EQ(Row(13, &Record::textLong), "1");
    EXPECT_EQ(Row(32, &Record::textValue2), "1");

    QString savedPath;
    ParameterList saved;
    ASSERT_TRUE(device.Files().LoadSettings(savedPath, saved));
    EXPECT_EQ(savedPath, kNewDataFile);
    EXPECT_EQ(saved, pub.paramList);
    EXPECT_EQ(saved[Entry::serialNumberValue], 123456.0f);
    EXPECT_EQ(saved[Entry::pileNumberValue], 1.0f);
    EXPECT_EQ(saved[Entry::jackNumberValue], 7.0f);
    EXPECT_EQ(saved[Entry::sensorNumberValue], 31.0f);
    EXPECT_EQ(saved[Entry::doubleCircuitJack], 1.0f);
    EXPECT_EQ(saved[Entry::pressureSensor], 1.0f);
    EXPECT_FLOAT_EQ(saved[Entry::sensorSensitivity], 2.13f);
}

TEST_F(CCSSZTest, CoefficientOfEachModeThroughTheRadios) {
    struct Case {
        const char* what;
        std::function<void(CCSSZ&)> enter;
        const char* coefficient;
    };
    const Case cases[] = {
        {"oil sensor computed from the rated values", [](CCSSZ&) {}, "2.077"},
        {"force sensor: 3 / 2 jacks",
         [this](CCSSZ& d) {
             Choose(d, forceSensor);
             Type(d, sensitivity, "3");
             Type(d, jackCount, "2");
         },
         "1.500"},
        {"regression: 15 × 0.05 × 2.13",
         [this](CCSSZ& d) {
             Choose(d, regressionMode);
             Type(d, regressionA, "-3");
             Type(d, regressionB, "0.05");
         },
         "1.598"},
    };
    pub.wizardMode = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NewTest();
        auto dialog = Open();
        TypeIdentity(*dialog, "123456", "0001");
        c.enter(*dialog);
        EXPECT_EQ(Text(*dialog, coefficient), c.coefficient) << "shown while typing";
        Click(*dialog, confirm);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(Row(0, &Record::textValue2), c.coefficient);
        EXPECT_EQ(Row(0, &Record::flagText), c.coefficient);
    }
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join('|').toStdString();
    EXPECT_FLOAT_EQ(pub.regressionA, -3.0f);
    EXPECT_EQ(pub.pressureMode, 3);
}

TEST_F(CCSSZTest, RefusedEntriesKeepTheDialogOpenAndStoreNothing) {
    struct Case {
        const char* what;
        const char* serial;
        const char* pile;
        std::function<void(CCSSZ&)> enter;
        const char* message;
    };
    const auto none = [](CCSSZ&) {};
    const Case cases[] = {
        {"five-digit serial", "12345", "0001", none, "检测流水号要求为6位或12位数字！"},
        {"six zeros", "000000", "0001", none, "检测流水号输入不正确！"},
        {"two-digit pile", "123456", "12", none, "桩号要求为4位数字！"},
        {"b = 0", "123456", "0001",
         [this](CCSSZ& d) {
             Choose(d, regressionMode);
             Type(d, regressionA, "1");
             Type(d, regressionB, "0");
         },
         "千斤顶回归方程系数b要大于0！"},
        {"trailing point", "123456", "0001", [this](CCSSZ& d) { Type(d, sensitivity, "1."); },
         "传感器灵敏度要求为数字！"},
        {"leading point", "123456", "0001",
         [this](CCSSZ& d) { Control(d, sensitivity)->setText(QStringLiteral(".5")); },
         "传感器灵敏度要求为数字！"},
        {"unknown jack", "123456", "0001",
         [this](CCSSZ& d) {
             Choose(d, calibrationDataMode);
             Choose(d, jackCalibration);
             Type(d, jackNumber, "5");
         },
         "未找到与输入编号相符的率定数据！"},
    };
    JackRecords::Save(device.Files(), {JackRecords::Make("7", "", {{10, 100}, {30, 200}})});
    pub.wizardMode = true;
    pub.setupStep = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto dialog = Open();
        TypeIdentity(*dialog, c.serial, c.pile);
        c.enter(*dialog);
        const QString sensitivityText = Text(*dialog, sensitivity);
        const std::size_t before = prompter.ShownPrompts().size();
        Click(*dialog, confirm);

        ASSERT_EQ(prompter.ShownPrompts().size(), before + 1);
        EXPECT_EQ(prompter.ShownPrompts().back().text, QString::fromUtf8(c.message));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(Text(*dialog, serialNumber), c.serial) << "entries stay as typed";
        EXPECT_EQ(Text(*dialog, sensitivity), sensitivityText);
        ExpectNothingStored(2);
        EXPECT_TRUE(pub.dataFilePath.isEmpty());
        EXPECT_EQ(pub.calibration.pointCount, 0) << "no calibration chosen";
    }
}

TEST_F(CCSSZTest, KeypadKeepsEachBoxWithinItsLimits) {
    pub.wizardMode = true;
    auto dialog = Open();
    auto* keypad = dialog->findChild<NumericKeypad*>();
    Type(*dialog, pileNumber, "12345");
    EXPECT_EQ(Text(*dialog, pileNumber), "1234") << "a fifth digit is refused";
    Type(*dialog, serialNumber, "1234567890123");
    EXPECT_EQ(Text(*dialog, serialNumber), "123456789012") << "a thirteenth digit is refused";
    Type(*dialog, serialNumber, "1.-2");
    EXPECT_EQ(Text(*dialog, serialNumber), "12") << "no point or sign in the serial number";

    Type(*dialog, regressionA, "3");
    EXPECT_EQ(Text(*dialog, regressionA), "0") << "box 1010 is off outside the regression mode";

    Choose(*dialog, regressionMode);
    Type(*dialog, regressionA, "-3-");
    EXPECT_EQ(Text(*dialog, regressionA), "-3") << "the sign is refused a second time";
    EXPECT_FALSE(keypad->Key(KeypadKey::minus)->isEnabled());
    Type(*dialog, regressionA, "");
    EXPECT_TRUE(keypad->Key(KeypadKey::minus)->isEnabled()) << "a cleared box takes a sign again";
    Type(*dialog, regressionA, "3-");
    EXPECT_EQ(Text(*dialog, regressionA), "-3");
    Type(*dialog, regressionB, "0.0.5");
    EXPECT_EQ(Text(*dialog, regressionB), "0.05") << "a second point is ignored";
    EXPECT_FALSE(keypad->Key(KeypadKey::point)->isEnabled());
    keypad->FocusOn(Control(*dialog, jackCount));
    EXPECT_FALSE(keypad->Key(KeypadKey::point)->isEnabled()) << "whole jacks only";
    EXPECT_FALSE(keypad->Key(KeypadKey::minus)->isEnabled());
}

TEST_F(CCSSZTest, RadiosSwitchTheControlsAndLabels) {
    pub.wizardMode = true;
    auto dialog = Open();
    const auto enabled = [&](int id) { return Control<QWidget>(*dialog, id)->isEnabled(); };
    EXPECT_FALSE(enabled(regressionA));
    EXPECT_FALSE(enabled(jackCalibration));
    EXPECT_TRUE(enabled(ratedForce));

    Choose(*dialog, calibrationDataMode);
    EXPECT_TRUE(enabled(jackCalibration));
    EXPECT_TRUE(Text(*dialog, coefficient).isEmpty()) << "emptied until a record is chosen";
    Choose(*dialog, regressionMode);
    EXPECT_TRUE(enabled(regressionA));
    EXPECT_FALSE(enabled(ratedForce));
    EXPECT_FALSE(enabled(jackNumber));

    Choose(*dialog, forceSensor);
    EXPECT_TRUE(Control<QRadioButton>(*dialog, computedMode)->isChecked())
        << "no regression for a force sensor";
    EXPECT_FALSE(enabled(regressionMode));
    EXPECT_FALSE(enabled(regressionA));
    EXPECT_EQ(Text(*dialog, sensorRange), "2000");
    EXPECT_EQ(Control<QLabel>(*dialog, rangeLabel)->text(), "传感器量程(kN)");
    EXPECT_EQ(Control<QLabel>(*dialog, sensitivityLabel)->text(), "传感器标定系数");

    Choose(*dialog, calibrationDataMode);
    EXPECT_TRUE(Control<QRadioButton>(*dialog, systemCalibration)->isChecked());
    EXPECT_FALSE(enabled(jackCalibration));

    Choose(*dialog, oilSensor);
    EXPECT_EQ(Text(*dialog, sensorRange), "80");
    EXPECT_EQ(Control<QLabel>(*dialog, rangeLabel)->text(), "传感器量程(MPa)");
    EXPECT_EQ(Control<QLabel>(*dialog, sensitivityLabel)->text(), "传感器灵敏度(mv/V)");
}

TEST_F(CCSSZTest, SensorRadioIsIgnoredOnceLoadingHasBegun) {
    pub.wizardMode = true;
    pub.run.Post(RunCommands::Enter{ControlState::Loading});
    auto dialog = Open();
    Choose(*dialog, forceSensor);
    EXPECT_TRUE(Control<QRadioButton>(*dialog, oilSensor)->isChecked());
    EXPECT_EQ(Text(*dialog, sensorRange), "80");
}

TEST_F(CCSSZTest, CalibrationDataOfAKnownJackIsShownAndChosen) {
    JackRecords::Save(device.Files(), {JackRecords::Make("3", "", {{1, 1}}),
                                       JackRecords::Make("7", "", {{10, 100}, {30, 200}})});
    pub.wizardMode = true;
    auto dialog = Open();
    TypeIdentity(*dialog, "123456", "0001");
    Choose(*dialog, calibrationDataMode);
    Choose(*dialog, jackCalibration);
    Type(*dialog, sensorRange, "60");
    Type(*dialog, sensitivity, "2");
    Type(*dialog, jackNumber, "7");
    EXPECT_EQ(Text(*dialog, coefficient), "5.000");
    Click(*dialog, confirm);

    EXPECT_TRUE(Messages().isEmpty()) << Messages().join('|').toStdString();
    EXPECT_EQ(pub.pressureMode, 2);
    EXPECT_EQ(pub.calibrationSource, 0);
    EXPECT_EQ(pub.calibration.jackCalibrationIndex, 1);
    EXPECT_EQ(Row(0, &Record::textValue2), "5.000");
}

TEST_F(CCSSZTest, AnExistingDataFileIsRefused) {
    device.Write(kNewDataFile, QByteArray(267, '\0'));
    pub.wizardMode = true;
    pub.setupStep = 2;
    auto dialog = Open();
    TypeIdentity(*dialog, "123456", "0001");
    Click(*dialog, confirm);

    EXPECT_EQ(Messages(), QStringList{QStringLiteral("该文件已经存在！请重新输入试桩编号")});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(Text(*dialog, pileNumber).isEmpty());
    EXPECT_EQ(dialog->findChild<NumericKeypad*>()->FocusedEdit(), Control(*dialog, pileNumber));
    EXPECT_TRUE(pub.dataFilePath.isEmpty());
    ExpectNothingStored(2);
    EXPECT_EQ(device.Read(kNewDataFile).size(), 267) << "the old test is untouched";

    Type(*dialog, pileNumber, "0002");
    Click(*dialog, confirm);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(pub.dataFilePath, QStringLiteral("\\硬盘\\APP\\123456-0002.kvt"));
}

TEST_F(CCSSZTest, BackInTheWizardStartsTheNewTestOver) {
    pub.wizardMode = true;
    pub.setupStep = 2;
    auto dialog = Open();
    Type(*dialog, sensorRange, "60");
    Click(*dialog, back);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(pub.setupStep, 1);
    EXPECT_EQ(resetRequests, 1);
    EXPECT_EQ(pub.sensorRange, 80) << "nothing stored";
}

TEST_F(CCSSZTest, AloneWithoutATestConfirmOnlyCloses) {
    pub.dataFilePath = QStringLiteral("\\硬盘\\APP\\123456-0001.kvt");
    auto dialog = Open();
    EXPECT_EQ(Control<QPushButton>(*dialog, back)->text(), "退出");
    EXPECT_EQ(Control<QPushButton>(*dialog, confirm)->text(), "确定");
    EXPECT_TRUE(dialog->windowTitle().endsWith(QStringLiteral("文件名: 123456-0001.kvt")));
    EXPECT_EQ(Text(*dialog, sensorRange), "80");
    EXPECT_EQ(Text(*dialog, ratedForce), "1000");
    EXPECT_TRUE(Control<QRadioButton>(*dialog, oilSensor)->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(*dialog, doubleCircuit)->isChecked());
    EXPECT_FALSE(Control(*dialog, regressionB)->isEnabled());

    Type(*dialog, sensorRange, "");
    Click(*dialog, confirm);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(Messages().isEmpty()) << "no check";
    ExpectNothingStored(0);

    auto again = Open();
    Click(*again, back);
    EXPECT_FALSE(again->isVisible());
    EXPECT_EQ(resetRequests, 0);
    EXPECT_EQ(pub.setupStep, 0);
}

TEST_F(CCSSZTest, DuringATestTheSettingsAreShownReadOnlyAndConfirmedAgain) {
    pub.run.Post(RunCommands::Start{});
    pub.dataFilePath = kNewDataFile;
    pub.paramList[Entry::serialNumberValue] = 123456.0f;
    SetFieldText(pub.recordList[7].textLong, "123456");
    SetFieldText(pub.recordList[8].textValue, "0001");
    SetFieldText(pub.recordList[12].textLong, "0");
    pub.pressureSensor = 0;
    pub.sensorRange = 2000;
    pub.sensorSensitivity = 3.0f;
    pub.jackCount = 2;
    pub.jackRatedForce = 1000.0f;
    pub.jackRatedPressure = 65.0f;
    auto dialog = Open();
    EXPECT_EQ(Text(*dialog, serialNumber), "123456");
    EXPECT_EQ(Text(*dialog, pileNumber), "0001");
    EXPECT_EQ(Text(*dialog, sensitivity), "3.000000");
    EXPECT_TRUE(Control<QRadioButton>(*dialog, forceSensor)->isChecked());
    for (const int id : {serialNumber, pileNumber, ratedForce, sensorRange, regressionA})
        EXPECT_FALSE(Control(*dialog, id)->isEnabled()) << id;
    for (const int id : {oilSensor, forceSensor, computedMode, doubleCircuit})
        EXPECT_FALSE(Control<QRadioButton>(*dialog, id)->isEnabled()) << id;
    EXPECT_FALSE(dialog->findChild<NumericKeypad*>()->Key(KeypadKey::five)->isEnabled());
    EXPECT_EQ(Text(*dialog, coefficient), "1.500");

    Click(*dialog, confirm);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join('|').toStdString();
    EXPECT_TRUE(pub.saveRequested);
    EXPECT_EQ(pub.dataFilePath, kNewDataFile);
    EXPECT_EQ(Row(0, &Record::textValue2), "1.500");
    QString savedPath;
    ParameterList saved;
    ASSERT_TRUE(device.Files().LoadSettings(savedPath, saved));
    EXPECT_EQ(savedPath, kNewDataFile);
    EXPECT_EQ(saved[Entry::pressureSensor], 0.0f);
    EXPECT_EQ(saved[Entry::sensorRange], 2000.0f);
}

} // namespace
