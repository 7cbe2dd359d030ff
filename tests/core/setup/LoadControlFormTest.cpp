#include "core/setup/LoadControlForm.h"

#include "core/data/KVTFile.h"

#include "support/RunStateSetup.h"

#include <limits>

#include <gtest/gtest.h>

namespace {

class LoadControlFormTest : public ::testing::Test {
  protected:
    LoadControlFormTest() {
        pub.paramList = DefaultParameterList();
        KVTFile::BuildBlankRecords(pub);
    }

    void SetRow(int row, const char* text) {
        SetFieldText(pub.recordList.at(static_cast<std::size_t>(row)).textValue2, QByteArray(text));
    }
    QString RowText(int row) const {
        return QString::fromLatin1(FieldText(pub.recordList.at(static_cast<std::size_t>(row)).textValue2));
    }

    CPublic pub;
    ParameterList list = DefaultParameterList();
};

TEST_F(LoadControlFormTest, LabelsFollowTheUnitOfTheTest) {
    const LoadLabels kN = LoadControlLabels(true);
    EXPECT_EQ(kN.targetLoad, "控载荷载值(kN)");
    EXPECT_EQ(kN.holdBand, "补载下限(kN)");
    EXPECT_EQ(kN.stageStep, "单级加荷值(kN)");
    EXPECT_EQ(kN.maxLoad, "最大加荷值(kN)");
    const LoadLabels kPa = LoadControlLabels(false);
    EXPECT_EQ(kPa.targetLoad, "控载荷载值(kPa)");
    EXPECT_EQ(kPa.holdBand, "补载下限(kPa)");
    EXPECT_EQ(kPa.stageStep, "单级加荷值(kPa)");
    EXPECT_EQ(kPa.maxLoad, "最大加荷值(kPa)");
}

TEST_F(LoadControlFormTest, PlateAreaIsShownForGroundTestsAndTypedOnlyInTheWizard) {
    struct Case {
        bool loadInKN, wizard, running, paused;
        bool visible, enabled;
    };
    const Case cases[] = {
        {true, true, false, false, false, false}, {true, false, true, false, false, false},
        {false, true, false, false, true, true},  {false, false, true, false, true, false},
        {false, false, false, true, true, false}, {false, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        pub.loadInKN = c.loadInKN;
        pub.wizardMode = c.wizard;
        EnterRunState(pub, ControlState::Waiting, 0, c.running);
        pub.run.Post(c.paused ? RunCommand{RunCommands::Pause{}} : RunCommand{RunCommands::Resume{}});
        const PlateAreaState state = PlateAreaStateOf(pub);
        EXPECT_EQ(state.visible, c.visible) << c.loadInKN << c.wizard << c.running << c.paused;
        EXPECT_EQ(state.enabled, c.enabled) << c.loadInKN << c.wizard << c.running << c.paused;
    }
}

TEST_F(LoadControlFormTest, CaptionEndsWithTheFileNameOfTheSerialNumbersLength) {
    const QString prefix = QStringLiteral("控载设置") + QString(33, ' ') + QStringLiteral("文件名： ");
    pub.dataFilePath = QStringLiteral("\\硬盘\\APP\\123456789012-0001.kvt");
    list[Entry::serialNumberValue] = 123456.0f;
    EXPECT_EQ(LoadControlCaption(pub, list), prefix + "789012-0001.kvt");
    list[Entry::serialNumberValue] = 123456789012.0f;
    EXPECT_EQ(LoadControlCaption(pub, list), prefix + "123456789012-0001.kvt");
}

TEST_F(LoadControlFormTest, WizardShowsTheSettingsListAndTheWizardsControlLoad) {
    pub.wizardMode = true;
    pub.calibrationCoefficient = 2.0775f;
    list[Entry::loadPulseTicks] = 3;
    list[Entry::unloadPulseTicks] = 4;
    list[Entry::plateArea] = 2.5f;
    list[Entry::holdBand] = 12.6f;
    list[Entry::maxSettlement] = 50;
    list[Entry::anchorUpliftAlarm] = 7;

    const LoadControlForm form = OpenLoadControlForm(pub, list, QStringLiteral("1500"));
    EXPECT_EQ(form.targetLoad, "1500");
    EXPECT_EQ(form.calibrationCoefficient, "2.078");
    EXPECT_EQ(form.loadPulseTicks, "3");
    EXPECT_EQ(form.unloadPulseTicks, "4");
    EXPECT_EQ(form.plateArea, "2.5");
    EXPECT_EQ(form.holdBand, "13") << "whole numbers";
    EXPECT_EQ(form.stageStep, "100");
    EXPECT_EQ(form.maxLoad, "1000");
    EXPECT_EQ(form.maxSettlement, "50");
    EXPECT_EQ(form.maxUnevenSettlement, "10");
    EXPECT_EQ(form.loadProtectSeconds, "90");
    EXPECT_EQ(form.gaugeRangeAlarm, "40");
    EXPECT_EQ(form.anchorUpliftAlarm, "7");
    EXPECT_EQ(form.stageAdvance, StageAdvance::Automatic);
}

TEST_F(LoadControlFormTest, WizardFallsBackForAnEmptyControlLoadAndAnUnprintableCoefficient) {
    pub.wizardMode = true;
    pub.calibrationCoefficient = std::numeric_limits<float>::quiet_NaN();
    list[Entry::plateArea] = 3.0f;
    const LoadControlForm form = OpenLoadControlForm(pub, list, QString());
    EXPECT_EQ(form.targetLoad, "0");
    EXPECT_EQ(form.calibrationCoefficient, "0.000");
    EXPECT_EQ(form.plateArea, "3");
}

// Before a test the dialog shows what the next test starts from: what the
// wizard's step shows, not fixed defaults.
TEST_F(LoadControlFormTest, AloneWithoutATestShowsWhatTheWizardWillShow) {
    SetRow(8, "77");
    list[Entry::maxLoad] = 1500.0f;
    list[Entry::gaugeRangeAlarm] = 30.0f;
    const LoadControlForm form = OpenLoadControlForm(pub, list, QStringLiteral("900"));
    EXPECT_EQ(form.targetLoad, "900");
    EXPECT_EQ(form.maxLoad, "1500");
    EXPECT_EQ(form.gaugeRangeAlarm, "30");
    pub.wizardMode = true;
    EXPECT_EQ(form, OpenLoadControlForm(pub, list, QStringLiteral("900")));
}

TEST_F(LoadControlFormTest, AloneDuringATestShowsItsRows) {
    const char* rows[] = {"2.0771", "2",     "3",     "0.500", "850.50", "10.0", "100.0",
                          "1000.0", "40.00", "10.00", "90.00", "40.00",  "12"};
    for (int row = 0; row < 13; ++row)
        SetRow(row, rows[row]);
    SetRow(30, "0");
    for (const bool paused : {false, true}) {
        EnterRunState(pub, ControlState::Waiting, 0, !paused);
        pub.run.Post(paused ? RunCommand{RunCommands::Pause{}} : RunCommand{RunCommands::Resume{}});
        const LoadControlForm form = OpenLoadControlForm(pub, list, QString());
        EXPECT_EQ(form.calibrationCoefficient, "2.077");
        EXPECT_EQ(form.loadPulseTicks, "2");
        EXPECT_EQ(form.unloadPulseTicks, "3");
        EXPECT_EQ(form.plateArea, "0.5");
        EXPECT_EQ(form.targetLoad, "850.5");
        EXPECT_EQ(form.holdBand, "10.0") << "shown as stored";
        EXPECT_EQ(form.stageStep, "100.0");
        EXPECT_EQ(form.maxLoad, "1000.0");
        EXPECT_EQ(form.maxSettlement, "40.00");
        EXPECT_EQ(form.maxUnevenSettlement, "10.00");
        EXPECT_EQ(form.loadProtectSeconds, "90.00");
        EXPECT_EQ(form.gaugeRangeAlarm, "40.00");
        EXPECT_EQ(form.anchorUpliftAlarm, "12");
        EXPECT_EQ(form.stageAdvance, StageAdvance::Manual);
    }
}

// This dialog writes the control load without decimals: a whole number must
// not lose its zeros when the dialog is opened again.
TEST_F(LoadControlFormTest, WholeNumberRowsKeepTheirZeros) {
    pub.run.Post(RunCommands::Start{});
    SetRow(4, "1000");
    SetRow(3, "2.000");
    const LoadControlForm form = OpenLoadControlForm(pub, list, QString());
    EXPECT_EQ(form.targetLoad, "1000");
    EXPECT_EQ(form.plateArea, "2");
}

TEST_F(LoadControlFormTest, StageAdvanceRowIsReadAndRepaired) {
    struct Case {
        const char* row;
        StageAdvance advance;
        const char* rowAfter;
    };
    const Case cases[] = {
        {"1", StageAdvance::Automatic, "1"}, {"0", StageAdvance::Manual, "0"},
        {"2", StageAdvance::Manual, "2"},    {"", StageAdvance::Automatic, "1"},
        {"x", StageAdvance::Automatic, "1"},
    };
    pub.run.Post(RunCommands::Start{});
    for (const Case& c : cases) {
        SetRow(30, c.row);
        EXPECT_EQ(OpenLoadControlForm(pub, list, QString()).stageAdvance, c.advance) << c.row;
        EXPECT_EQ(RowText(30), c.rowAfter) << c.row;
    }
}

TEST_F(LoadControlFormTest, UnreadableCoefficientRowShowsZero) {
    pub.run.Post(RunCommands::Start{});
    SetRow(0, "abc");
    EXPECT_EQ(OpenLoadControlForm(pub, list, QString()).calibrationCoefficient, "0.000");
}

TEST_F(LoadControlFormTest, StoringNeedsTheWizardOrARunningTest) {
    EXPECT_FALSE(LoadControlStores(pub));
    pub.run.Post(RunCommands::Pause{});
    EXPECT_FALSE(LoadControlStores(pub)) << "a paused test is shown, not changed";
    pub.run.Post(RunCommands::Start{});
    EXPECT_TRUE(LoadControlStores(pub));
    EnterRunState(pub, ControlState::Waiting, 0, false);
    pub.wizardMode = true;
    EXPECT_TRUE(LoadControlStores(pub));
}

} // namespace
