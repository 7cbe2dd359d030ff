#include "ui/setup/CKongZaiSZ.h"
#include "support/RunStateSetup.h"

#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDevice.h"
#include "ui/setup/NumericKeypad.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

const QString kLimitMessage = QStringLiteral("控载数据设置大于最大设定值，请重新设置！");

class CKongZaiSZTest : public ::testing::Test {
  protected:
    CKongZaiSZTest() {
        pub.paramList = DefaultParameterList();
        KVTFile::BuildBlankRecords(pub);
        pub.dataFilePath = QStringLiteral("\\硬盘\\APP\\123456-0001.kvt");
    }

    std::unique_ptr<CKongZaiSZ> Open() {
        auto dialog =
            std::make_unique<CKongZaiSZ>(pub, pub.paramList, controlLoadText, device.Files(), prompter);
        dialog->show();
        keypad = dialog->findChild<NumericKeypad*>();
        EXPECT_NE(keypad, nullptr);
        return dialog;
    }

    template <typename T> T* Control(const CKongZaiSZ& dialog, int id) {
        auto* control = dialog.findChild<T*>(QString::number(id));
        EXPECT_NE(control, nullptr) << id;
        return control;
    }
    QLineEdit* Box(const CKongZaiSZ& dialog, int id) { return Control<QLineEdit>(dialog, id); }

    // Touches the box, then the keys by caption.
    void Type(const CKongZaiSZ& dialog, int boxId, std::initializer_list<const char*> keys) {
        keypad->FocusOn(Box(dialog, boxId));
        static const std::map<QString, int> kKeyIds = {
            {"0", KeypadKey::zero},  {"1", KeypadKey::one},   {"2", KeypadKey::two},
            {"3", KeypadKey::three}, {"4", KeypadKey::four},  {"5", KeypadKey::five},
            {"6", KeypadKey::six},   {"7", KeypadKey::seven}, {"8", KeypadKey::eight},
            {"9", KeypadKey::nine},  {".", KeypadKey::point}, {"清除", KeypadKey::clear},
        };
        for (const char* key : keys)
            keypad->Key(kKeyIds.at(QString::fromUtf8(key)))->click();
    }

    void SetRow(int row, const char* text) {
        SetFieldText(pub.recordList.at(static_cast<std::size_t>(row)).textValue2, QByteArray(text));
    }
    QString RowText(int row) const {
        return QString::fromLatin1(FieldText(pub.recordList.at(static_cast<std::size_t>(row)).textValue2));
    }

    // Rows 1-12 and 30 as a running test with a control load of 800 leaves them.
    void StoreRunningTest() {
        const char* rows[] = {"2.077",  "1",     "1",     "1.000", "800.00", "10.0", "100.0",
                              "1000.0", "40.00", "10.00", "90.00", "40.00",  "10"};
        for (int row = 0; row < 13; ++row)
            SetRow(row, rows[row]);
        SetRow(30, "1");
        pub.run.Post(RunCommands::Start{});
    }

    std::vector<QString> Messages() const {
        std::vector<QString> texts;
        for (const auto& shown : prompter.ShownPrompts())
            texts.push_back(shown.text);
        return texts;
    }

    ParameterList SavedSettings() {
        QString path;
        ParameterList list;
        EXPECT_TRUE(device.Files().LoadSettings(path, list));
        EXPECT_EQ(path, pub.dataFilePath);
        return list;
    }

    TempDevice device;
    ScriptedPrompter prompter;
    CPublic pub;
    QString controlLoadText;
    NumericKeypad* keypad = nullptr;
};

TEST_F(CKongZaiSZTest, OpeningFollowsTheUnitAndHowTheDialogWasOpened) {
    struct Case {
        const char* name;
        bool loadInKN, wizard, running;
        const char* targetLabel;
        bool plateShown, plateEnabled;
        const char* back;
        const char* confirm;
    };
    const Case cases[] = {
        {"single pile, wizard", true, true, false, "控载荷载值(kN)", false, false, "上一步", "下一步"},
        {"ground, wizard", false, true, false, "控载荷载值(kPa)", true, true, "上一步", "下一步"},
        {"ground, running", false, false, true, "控载荷载值(kPa)", true, false, "退出", "确定"},
        {"ground, no test", false, false, false, "控载荷载值(kPa)", false, false, "退出", "确定"},
    };
    for (const Case& c : cases) {
        pub.loadInKN = c.loadInKN;
        pub.wizardMode = c.wizard;
        SetRunning(pub, c.running);
        auto dialog = Open();
        EXPECT_EQ(Control<QLabel>(*dialog, 1066)->text(), QString::fromUtf8(c.targetLabel)) << c.name;
        EXPECT_TRUE(Control<QLabel>(*dialog, 1069)->text().endsWith(c.loadInKN ? "(kN)" : "(kPa)")) << c.name;
        EXPECT_EQ(Box(*dialog, CKongZaiSZ::kPlateAreaBox)->isVisible(), c.plateShown) << c.name;
        EXPECT_EQ(Control<QLabel>(*dialog, CKongZaiSZ::kPlateAreaLabel)->isVisible(), c.plateShown) << c.name;
        if (c.plateShown) {
            EXPECT_EQ(Box(*dialog, CKongZaiSZ::kPlateAreaBox)->isEnabled(), c.plateEnabled) << c.name;
        }
        EXPECT_EQ(Control<QPushButton>(*dialog, CKongZaiSZ::kBack)->text(), QString::fromUtf8(c.back))
            << c.name;
        EXPECT_EQ(Control<QPushButton>(*dialog, CKongZaiSZ::kConfirm)->text(), QString::fromUtf8(c.confirm))
            << c.name;
        EXPECT_FALSE(Box(*dialog, CKongZaiSZ::kCoefficientBox)->isEnabled()) << c.name;
        EXPECT_TRUE(dialog->windowTitle().startsWith(QStringLiteral("控载设置 "))) << c.name;
        EXPECT_TRUE(dialog->windowTitle().endsWith(QStringLiteral("文件名： 123456-0001.kvt"))) << c.name;
        EXPECT_EQ(keypad->Key(KeypadKey::minus), nullptr) << "no signed box here";
    }
}

TEST_F(CKongZaiSZTest, AloneDuringATestShowsTheTestsValues) {
    StoreRunningTest();
    SetRow(30, "0");
    auto dialog = Open();
    EXPECT_EQ(Box(*dialog, CKongZaiSZ::kCoefficientBox)->text(), "2.077");
    EXPECT_EQ(Box(*dialog, CKongZaiSZ::kTargetLoadBox)->text(), "800");
    EXPECT_EQ(Box(*dialog, 1014)->text(), "1000.0");
    EXPECT_EQ(Box(*dialog, 1050)->text(), "40.00");
    EXPECT_TRUE(Control<QRadioButton>(*dialog, CKongZaiSZ::kManual)->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(*dialog, CKongZaiSZ::kAutomatic)->isChecked());
    EXPECT_TRUE(Box(*dialog, 1050)->isEnabled()) << "values can be changed during the test";
}

// Before a test the dialog shows the settings the next test starts from (the
// stored settings and the control load the wizard holds), not fixed
// defaults. "确定" stores nothing then; when the operator changed a value,
// the dialog says so and where the settings are made.
TEST_F(CKongZaiSZTest, AloneWithoutATestShowsTheStoredSettingsAndConfirmStoresNothing) {
    pub.paramList[Entry::maxLoad] = 1500.0f;
    pub.paramList[Entry::loadProtectSeconds] = 120.0f;
    controlLoadText = QStringLiteral("600");
    const struct {
        const char* name;
        bool change;
        std::vector<QString> told;
    } cases[] = {
        {"unchanged", false, {}},
        {"changed", true, {QStringLiteral("未开始测试，控载设置不保存！请在“新试桩”中设置。")}},
    };
    for (const auto& c : cases) {
        const std::size_t toldBefore = Messages().size();
        auto dialog = Open();
        EXPECT_EQ(Box(*dialog, CKongZaiSZ::kTargetLoadBox)->text(), "600") << c.name;
        EXPECT_EQ(Box(*dialog, 1014)->text(), "1500") << c.name;
        EXPECT_EQ(Box(*dialog, 1006)->text(), "120") << c.name;
        const std::vector<Record> rowsBefore = pub.recordList;
        if (c.change) {
            Type(*dialog, 1014, {"清除"});
            Type(*dialog, 1050, {"清除", "5"});
        }
        dialog->Confirm();

        EXPECT_FALSE(dialog->isVisible()) << c.name;
        const std::vector<QString> messages = Messages();
        EXPECT_EQ(
            std::vector<QString>(messages.begin() + static_cast<std::ptrdiff_t>(toldBefore), messages.end()),
            c.told)
            << c.name;
        EXPECT_FALSE(pub.saveRequested) << c.name;
        EXPECT_EQ(pub.maxSettlement, 0) << c.name;
        EXPECT_EQ(RowText(8), QString::fromLatin1(FieldText(rowsBefore[8].textValue2))) << c.name;
        EXPECT_EQ(pub.paramList[Entry::maxLoad], 1500.0f) << c.name;
        EXPECT_EQ(controlLoadText, "600") << c.name;
        EXPECT_FALSE(device.Exists(DeviceFile::kSettings)) << c.name;
    }
}

TEST_F(CKongZaiSZTest, ControlLoadAboveTheLimitIsRefusedAndEqualPasses) {
    StoreRunningTest();
    auto dialog = Open();
    Type(*dialog, CKongZaiSZ::kTargetLoadBox, {"1", "2", "0", "0"});
    EXPECT_EQ(Box(*dialog, CKongZaiSZ::kTargetLoadBox)->text(), "1200");
    Type(*dialog, 1014, {"清除", "1", "0", "0", "0"});
    Control<QPushButton>(*dialog, CKongZaiSZ::kConfirm)->click();

    EXPECT_EQ(Messages(), std::vector<QString>{kLimitMessage});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Box(*dialog, CKongZaiSZ::kTargetLoadBox)->text(), "1200") << "entries stay as typed";
    EXPECT_EQ(RowText(4), "800.00");
    EXPECT_FALSE(pub.saveRequested);

    Type(*dialog, CKongZaiSZ::kTargetLoadBox, {"清除", "1", "0", "0", "0"});
    dialog->Confirm();
    EXPECT_EQ(prompter.ShownPrompts().size(), 1u);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(RowText(4), "1000");
    EXPECT_EQ(RowText(7), "1000");
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 1000.0f);
}

TEST_F(CKongZaiSZTest, OnlyAGroundTestAsksForThePlateArea) {
    struct Case {
        const char* name;
        bool loadInKN;
        std::initializer_list<const char*> keys;
        const char* message; // empty: accepted
    };
    const Case cases[] = {
        {"single pile, empty", true, {"清除"}, ""},
        {"ground, empty", false, {"清除"}, "请输入压板面积！"},
        {"ground, zero", false, {"清除", "0"}, "压板面积要大于0！请重新输入"},
        {"ground, zero with decimals",
         false,
         {"清除", "0", ".", "0", "0", "0"},
         "压板面积要大于0！请重新输入"},
        {"ground, half a square metre", false, {"清除", "0", ".", "5"}, ""},
    };
    pub.wizardMode = true;
    for (const Case& c : cases) {
        pub.loadInKN = c.loadInKN;
        pub.setupStep = 3;
        const std::size_t before = prompter.ShownPrompts().size();
        auto dialog = Open();
        Type(*dialog, CKongZaiSZ::kPlateAreaBox, c.keys);
        dialog->Confirm();
        const QString message = QString::fromUtf8(c.message);
        if (message.isEmpty()) {
            EXPECT_EQ(prompter.ShownPrompts().size(), before) << c.name;
            EXPECT_FALSE(dialog->isVisible()) << c.name;
            EXPECT_EQ(pub.setupStep, 4) << c.name;
        } else {
            ASSERT_EQ(prompter.ShownPrompts().size(), before + 1) << c.name;
            EXPECT_EQ(prompter.ShownPrompts().back().text, message) << c.name;
            EXPECT_TRUE(dialog->isVisible()) << c.name;
            EXPECT_EQ(pub.setupStep, 3) << c.name;
        }
    }
    EXPECT_FLOAT_EQ(pub.plateArea, 0.5f);
    EXPECT_EQ(RowText(3), "0.500");
}

TEST_F(CKongZaiSZTest, EmptyBoxesAreReportedInOrderWithTheDialogLeftOpen) {
    pub.wizardMode = true;
    auto dialog = Open();
    Type(*dialog, 1004, {"清除"});
    Type(*dialog, 1013, {"清除"});
    dialog->Confirm();
    Type(*dialog, 1013, {"5", "0"});
    dialog->Confirm();
    Type(*dialog, 1004, {"2"});
    dialog->Confirm();

    EXPECT_EQ(Messages(), (std::vector<QString>{"请输入单级荷载！", "请输入卸载点动控制！"}));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(pub.unloadPulseTicks, 2);
    EXPECT_FLOAT_EQ(pub.stageStep, 50.0f);
}

TEST_F(CKongZaiSZTest, AloneTheFirstKeyInTheControlLoadStartsANewNumber) {
    StoreRunningTest();
    auto dialog = Open();
    QLineEdit* target = Box(*dialog, CKongZaiSZ::kTargetLoadBox);
    EXPECT_EQ(target->text(), "800");
    Type(*dialog, 1012, {"5"});
    EXPECT_EQ(Box(*dialog, 1012)->text(), "10.05") << "other boxes append";
    Type(*dialog, CKongZaiSZ::kTargetLoadBox, {"9"});
    EXPECT_EQ(target->text(), "9");
    Type(*dialog, CKongZaiSZ::kTargetLoadBox, {"5", "0"});
    EXPECT_EQ(target->text(), "950") << "only the first key replaces";
}

TEST_F(CKongZaiSZTest, InTheWizardTheControlLoadIsExtended) {
    pub.wizardMode = true;
    controlLoadText = QStringLiteral("800");
    auto dialog = Open();
    Type(*dialog, CKongZaiSZ::kTargetLoadBox, {"5"});
    EXPECT_EQ(Box(*dialog, CKongZaiSZ::kTargetLoadBox)->text(), "8005");
}

TEST_F(CKongZaiSZTest, KeypadRefusesAFourthDecimalAndAnEleventhCharacter) {
    struct Case {
        int boxId;
        std::initializer_list<const char*> keys;
        const char* expected;
    };
    const Case cases[] = {
        {1007, {"清除", "1", ".", "2", "3", "4", "5"}, "1.234"},
        {1050, {"清除", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "1"}, "1234567890"},
        {1050, {"清除", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "."}, "1234567890"},
        {1006,
         {"清除", "9", "8", "7", "6", "5", "4", "3", "2", "1", ".", "5", "5", "5", "5"},
         "987654321.555"},
        {1009, {"清除", ".", "5"}, ""},
    };
    pub.wizardMode = true;
    auto dialog = Open();
    for (const Case& c : cases) {
        Type(*dialog, c.boxId, c.keys);
        EXPECT_EQ(Box(*dialog, c.boxId)->text(), QString::fromUtf8(c.expected)) << c.boxId;
    }
}

TEST_F(CKongZaiSZTest, MaxSettlementIsRoundedInTheRowButKeptInTheSettings) {
    pub.wizardMode = true;
    auto dialog = Open();
    Type(*dialog, 1050, {"清除", "1", "2", ".", "6"});
    dialog->Confirm();

    EXPECT_TRUE(prompter.ShownPrompts().empty());
    EXPECT_EQ(RowText(8), "13");
    EXPECT_EQ(pub.maxSettlement, 13);
    EXPECT_FLOAT_EQ(pub.paramList[Entry::maxSettlement], 12.6f);
    EXPECT_FLOAT_EQ(SavedSettings()[Entry::maxSettlement], 12.6f);
}

TEST_F(CKongZaiSZTest, ChangesDuringARunningTestReachTheTestAtOnce) {
    StoreRunningTest();
    pub.autoAdvance = true;
    auto dialog = Open();
    Type(*dialog, 1013, {"清除", "1", "5", "0"});
    Type(*dialog, 1012, {"清除", "2", "0"});
    Type(*dialog, 1006, {"清除", "1", "2", "0"});
    Control<QRadioButton>(*dialog, CKongZaiSZ::kManual)->click();
    Control<QPushButton>(*dialog, CKongZaiSZ::kConfirm)->click();

    EXPECT_TRUE(prompter.ShownPrompts().empty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FLOAT_EQ(pub.stageStep, 150.0f);
    EXPECT_FLOAT_EQ(pub.holdBand, 20.0f);
    EXPECT_EQ(pub.loadProtectSeconds, 120);
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 800.0f);
    EXPECT_FALSE(pub.autoAdvance);
    EXPECT_EQ(RowText(6), "150");
    EXPECT_EQ(RowText(30), "0");
    EXPECT_TRUE(pub.saveRequested) << "the data file follows on the next tick";
    const ParameterList saved = SavedSettings();
    EXPECT_FLOAT_EQ(saved[Entry::stageStep], 150.0f);
    EXPECT_FLOAT_EQ(saved[Entry::loadProtectSeconds], 120.0f);
}

TEST_F(CKongZaiSZTest, WizardNextHandsOnTheControlLoad) {
    pub.wizardMode = true;
    pub.setupStep = 3;
    controlLoadText = QStringLiteral("500");
    auto dialog = Open();
    Type(*dialog, CKongZaiSZ::kTargetLoadBox, {"清除", "6", "0", "0"});
    Control<QPushButton>(*dialog, CKongZaiSZ::kConfirm)->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(controlLoadText, "600");
    EXPECT_EQ(pub.setupStep, 4);
    EXPECT_FALSE(pub.saveRequested);
}

TEST_F(CKongZaiSZTest, BackLeavesWithoutStoring) {
    for (const bool wizard : {true, false}) {
        pub.wizardMode = wizard;
        SetRunning(pub, !wizard);
        pub.setupStep = 3;
        controlLoadText = QStringLiteral("500");
        auto dialog = Open();
        Type(*dialog, 1050, {"清除", "7"});
        Control<QPushButton>(*dialog, CKongZaiSZ::kBack)->click();
        EXPECT_FALSE(dialog->isVisible()) << wizard;
        EXPECT_EQ(pub.setupStep, wizard ? 2 : 3) << wizard;
        EXPECT_EQ(pub.maxSettlement, 0) << wizard;
        EXPECT_EQ(controlLoadText, "500") << wizard;
        EXPECT_FALSE(pub.saveRequested) << wizard;
    }
    EXPECT_FALSE(device.Exists(DeviceFile::kSettings));
    EXPECT_TRUE(prompter.ShownPrompts().empty());
}

} // namespace
