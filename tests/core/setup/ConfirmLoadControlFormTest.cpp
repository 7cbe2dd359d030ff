#include "core/setup/ConfirmLoadControlForm.h"

#include "core/data/KVTFile.h"
#include "support/TempDevice.h"

#include <gtest/gtest.h>

namespace {

// Every box valid; the control load below the limit.
LoadControlForm ValidForm() {
    LoadControlForm form;
    form.calibrationCoefficient = "2.077";
    form.targetLoad = "800";
    form.holdBand = "10";
    form.stageStep = "100";
    form.maxLoad = "1000";
    form.plateArea = "0.5";
    form.maxSettlement = "40";
    form.maxUnevenSettlement = "10";
    form.loadProtectSeconds = "90";
    form.gaugeRangeAlarm = "40";
    form.anchorUpliftAlarm = "10";
    form.loadPulseTicks = "2";
    form.unloadPulseTicks = "3";
    return form;
}

class ConfirmLoadControlFormTest : public ::testing::Test {
  protected:
    ConfirmLoadControlFormTest() {
        pub.paramList = DefaultParameterList();
        KVTFile::BuildBlankRecords(pub);
        pub.dataFilePath = QStringLiteral("\\硬盘\\APP\\123456-0001.kvt");
    }

    QString RowText(int row) const {
        return QString::fromLatin1(FieldText(pub.recordList.at(static_cast<std::size_t>(row)).textValue2));
    }
    std::vector<QString> Rows() const {
        std::vector<QString> rows;
        for (int row = 0; row <= 30; ++row)
            rows.push_back(RowText(row));
        return rows;
    }

    TempDevice device;
    CPublic pub;
    ParameterList list = DefaultParameterList();
    QString controlLoadText = QStringLiteral("600");
};

struct RefusalCase {
    QString LoadControlForm::*box;
    const char* text;
    const char* message;
};

TEST_F(ConfirmLoadControlFormTest, EachBoxRefusesAnEmptyOrMalformedText) {
    const RefusalCase cases[] = {
        {&LoadControlForm::targetLoad, "", "请输入控制荷载！"},
        {&LoadControlForm::targetLoad, "8.", "控制荷载数据输入错误！请重新输入"},
        {&LoadControlForm::holdBand, "", "请输入补载下限！"},
        {&LoadControlForm::holdBand, ".5", "补载下限数据输入错误！请重新输入"},
        {&LoadControlForm::stageStep, "", "请输入单级荷载！"},
        {&LoadControlForm::stageStep, "1.2.3", "单级荷载数据输入错误！请重新输入"},
        {&LoadControlForm::maxLoad, "", "请输入限制荷载！"},
        {&LoadControlForm::maxLoad, "1e3", "限制荷载数据输入错误！请重新输入"},
        {&LoadControlForm::plateArea, "", "请输入压板面积！"},
        {&LoadControlForm::plateArea, "a", "压板面积数据输入错误！请重新输入"},
        {&LoadControlForm::plateArea, "0", "压板面积要大于0！请重新输入"},
        {&LoadControlForm::plateArea, "0.0004", "压板面积要大于0！请重新输入"},
        {&LoadControlForm::plateArea, "-2", "压板面积要大于0！请重新输入"},
        {&LoadControlForm::maxSettlement, "", "请输入最大沉降允许值！"},
        {&LoadControlForm::maxSettlement, "4 0", "最大沉降允许值输入错误！请重新输入"},
        {&LoadControlForm::maxUnevenSettlement, "", "请输入不均匀沉降允许值！"},
        {&LoadControlForm::maxUnevenSettlement, "x", "不均匀沉降允许值输入错误！请重新输入"},
        {&LoadControlForm::loadProtectSeconds, "", "请输入加载保护时间！"},
        {&LoadControlForm::loadProtectSeconds, "9-0", "加载保护时间输入错误！请重新输入"},
        {&LoadControlForm::gaugeRangeAlarm, "", "请输入位移量程报警值！"},
        {&LoadControlForm::gaugeRangeAlarm, "4.", "位移量程报警值输入错误！请重新输入"},
        {&LoadControlForm::anchorUpliftAlarm, "", "请输入锚桩上拔报警值！"},
        {&LoadControlForm::anchorUpliftAlarm, "-", "锚桩上拔报警值输入错误！请重新输入"},
        {&LoadControlForm::loadPulseTicks, "", "请输入加载点动控制！"},
        {&LoadControlForm::loadPulseTicks, "1..", "加载点动控制输入错误！请重新输入"},
        {&LoadControlForm::unloadPulseTicks, "", "请输入卸载点动控制！"},
        {&LoadControlForm::unloadPulseTicks, "一", "卸载点动控制输入错误！请重新输入"},
    };
    for (const RefusalCase& c : cases) {
        LoadControlForm form = ValidForm();
        form.*c.box = QString::fromUtf8(c.text);
        EXPECT_EQ(LoadControlRefusal(form, false), QString::fromUtf8(c.message)) << c.text;
    }
}

TEST_F(ConfirmLoadControlFormTest, BoxesAreCheckedInTheDialogsOrder) {
    // Each box is broken together with every box after it: the message is
    // always that of the earlier one.
    QString LoadControlForm::*const order[] = {
        &LoadControlForm::targetLoad,          &LoadControlForm::holdBand,
        &LoadControlForm::stageStep,           &LoadControlForm::maxLoad,
        &LoadControlForm::plateArea,           &LoadControlForm::maxSettlement,
        &LoadControlForm::maxUnevenSettlement, &LoadControlForm::loadProtectSeconds,
        &LoadControlForm::gaugeRangeAlarm,     &LoadControlForm::anchorUpliftAlarm,
        &LoadControlForm::loadPulseTicks,      &LoadControlForm::unloadPulseTicks,
    };
    const std::size_t count = std::size(order);
    for (std::size_t first = 0; first < count; ++first) {
        LoadControlForm alone = ValidForm();
        alone.*order[first] = QString();
        LoadControlForm together = alone;
        for (std::size_t later = first + 1; later < count; ++later)
            together.*order[later] = QString();
        EXPECT_EQ(LoadControlRefusal(together, false), LoadControlRefusal(alone, false)) << first;
        EXPECT_FALSE(LoadControlRefusal(alone, false).isEmpty()) << first;
    }
}

TEST_F(ConfirmLoadControlFormTest, SinglePileTestNeverChecksThePlateArea) {
    for (const char* area : {"", "a", "0"}) {
        LoadControlForm form = ValidForm();
        form.plateArea = QString::fromUtf8(area);
        EXPECT_EQ(LoadControlRefusal(form, true), QString()) << area;
    }
}

TEST_F(ConfirmLoadControlFormTest, ControlLoadMayNotExceedTheLimitLoad) {
    struct Case {
        const char* control;
        const char* limit;
        bool refused;
    };
    const Case cases[] = {
        {"1200", "1000", true},   {"1000", "1000", false}, {"1000.5", "1000", true},
        {"999.9", "1000", false}, {"0", "0", false},
    };
    for (const Case& c : cases) {
        LoadControlForm form = ValidForm();
        form.targetLoad = c.control;
        form.maxLoad = c.limit;
        EXPECT_EQ(LoadControlRefusal(form, true),
                  c.refused ? QStringLiteral("控载数据设置大于最大设定值，请重新设置！") : QString())
            << c.control << " / " << c.limit;
    }
}

TEST_F(ConfirmLoadControlFormTest, BoxesAreCheckedBeforeTheLimit) {
    LoadControlForm form = ValidForm();
    form.targetLoad = "1200";
    form.unloadPulseTicks = "";
    EXPECT_EQ(LoadControlRefusal(form, true), "请输入卸载点动控制！");
}

TEST_F(ConfirmLoadControlFormTest, RowsCarryTheirFormatsAndTypedFieldsTheRowsRounding) {
    LoadControlForm form = ValidForm();
    form.maxSettlement = "12.6";
    form.targetLoad = "850.4";
    form.holdBand = "9.5";
    form.stageStep = "99.7";
    form.maxLoad = "1000.2";
    form.plateArea = "0.125";
    form.maxUnevenSettlement = "7.2";
    form.loadProtectSeconds = "120.8";
    form.gaugeRangeAlarm = "45.5";
    form.anchorUpliftAlarm = "8.49";
    form.loadPulseTicks = "2.6";
    form.unloadPulseTicks = "3";
    form.stageAdvance = StageAdvance::Manual;
    StoreLoadControlForm(pub, list, form);

    const std::pair<int, const char*> rows[] = {
        {1, "3"},  {2, "3"}, {3, "0.125"}, {4, "850"}, {5, "10"}, {6, "100"}, {7, "1000"},
        {8, "13"}, {9, "7"}, {10, "121"},  {11, "46"}, {12, "8"}, {30, "0"},
    };
    for (const auto& [row, text] : rows)
        EXPECT_EQ(RowText(row), text) << row;
    EXPECT_EQ(RowText(0), "2.077") << "the coefficient row is not this dialog's";

    EXPECT_EQ(pub.loadPulseTicks, 3);
    EXPECT_EQ(pub.unloadPulseTicks, 3);
    EXPECT_FLOAT_EQ(pub.plateArea, 0.125f);
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 850.0f);
    EXPECT_FLOAT_EQ(pub.holdBand, 10.0f);
    EXPECT_FLOAT_EQ(pub.stageStep, 100.0f);
    EXPECT_FLOAT_EQ(pub.maxLoad, 1000.0f);
    EXPECT_EQ(pub.maxSettlement, 13);
    EXPECT_EQ(pub.maxUnevenSettlement, 7);
    EXPECT_EQ(pub.loadProtectSeconds, 121);
    EXPECT_FLOAT_EQ(pub.gaugeRangeAlarm, 46.0f);
    EXPECT_FLOAT_EQ(pub.anchorUpliftAlarm, 8.0f);
    EXPECT_FALSE(pub.autoAdvance);

    // The settings keep what was typed.
    const std::pair<int, float> entries[] = {
        {Entry::loadPulseTicks, 2.6f},
        {Entry::unloadPulseTicks, 3.0f},
        {Entry::plateArea, 0.125f},
        {Entry::targetLoad, 850.4f},
        {Entry::holdBand, 9.5f},
        {Entry::stageStep, 99.7f},
        {Entry::maxLoad, 1000.2f},
        {Entry::maxSettlement, 12.6f},
        {Entry::maxUnevenSettlement, 7.2f},
        {Entry::loadProtectSeconds, 120.8f},
        {Entry::gaugeRangeAlarm, 45.5f},
        {Entry::anchorUpliftAlarm, 8.49f},
    };
    for (const auto& [entry, value] : entries)
        EXPECT_FLOAT_EQ(list[static_cast<std::size_t>(entry)], value) << entry;
}

TEST_F(ConfirmLoadControlFormTest, AutomaticAdvanceWritesOne) {
    pub.autoAdvance = false;
    StoreLoadControlForm(pub, list, ValidForm());
    EXPECT_EQ(RowText(30), "1");
    EXPECT_TRUE(pub.autoAdvance);
}

TEST_F(ConfirmLoadControlFormTest, RefusedFormStoresNothing) {
    pub.wizardMode = true;
    pub.setupStep = 3;
    LoadControlForm form = ValidForm();
    form.targetLoad = "1200";
    form.maxSettlement = "12.6";
    const std::vector<QString> rowsBefore = Rows();
    const ParameterList listBefore = list;

    EXPECT_EQ(ConfirmLoadControlForm(pub, list, controlLoadText, device.Files(), form),
              "控载数据设置大于最大设定值，请重新设置！");
    EXPECT_EQ(Rows(), rowsBefore);
    EXPECT_EQ(list, listBefore);
    EXPECT_EQ(controlLoadText, "600");
    EXPECT_EQ(pub.setupStep, 3);
    EXPECT_EQ(pub.maxSettlement, 0);
    EXPECT_FALSE(device.Exists(DeviceFile::kSettings));
}

TEST_F(ConfirmLoadControlFormTest, WizardHandsOnTheControlLoadAndMovesToTheStandards) {
    pub.wizardMode = true;
    pub.setupStep = 3;
    LoadControlForm form = ValidForm();
    form.targetLoad = "950";
    ASSERT_EQ(ConfirmLoadControlForm(pub, list, controlLoadText, device.Files(), form), QString());
    EXPECT_EQ(controlLoadText, "950");
    EXPECT_EQ(pub.setupStep, 4);
    EXPECT_FALSE(pub.saveRequested) << "the data file is written when the test starts";

    QString savedPath;
    ParameterList saved;
    ASSERT_TRUE(device.Files().LoadSettings(savedPath, saved));
    EXPECT_EQ(savedPath, pub.dataFilePath);
    EXPECT_EQ(saved, list);
    EXPECT_EQ(saved[Entry::targetLoad], 950.0f);
}

TEST_F(ConfirmLoadControlFormTest, RunningTestAsksForADataFileSave) {
    pub.run.Post(RunCommands::Start{});
    pub.setupStep = 0;
    ASSERT_EQ(ConfirmLoadControlForm(pub, list, controlLoadText, device.Files(), ValidForm()), QString());
    EXPECT_TRUE(pub.saveRequested);
    EXPECT_EQ(pub.setupStep, 0);
    EXPECT_EQ(controlLoadText, "600") << "only the wizard hands the control load on";
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 800.0f);
    QString savedPath;
    ParameterList saved;
    ASSERT_TRUE(device.Files().LoadSettings(savedPath, saved));
    EXPECT_EQ(saved[Entry::stageStep], 100.0f);
}

} // namespace
