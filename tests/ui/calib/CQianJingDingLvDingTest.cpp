#include "ui/calib/CQianJingDingLvDing.h"

#include "CalibrationDialogDriver.h"
#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"
#include "support/TempDevice.h"

#include <QDir>
#include <QLabel>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace CalibrationDialogDriver;
using namespace JackCalibrationText;
using Dialog = CQianJingDingLvDing;

class CQianJingDingLvDingTest : public ::testing::Test {
  protected:
    std::unique_ptr<Dialog> Open() {
        auto dialog = std::make_unique<Dialog>(pub, device.Files(), prompter);
        dialog->show();
        return dialog;
    }

    // Fills the shown group: jack `jack`, 1000 kN in `points` points, the
    // pressures 6.5 MPa apart, and saves it.
    void EnterGroup(Dialog& dialog, const QString& jack, int points = 5) {
        Type(dialog, Dialog::kJackNumber, jack);
        Type(dialog, Dialog::kMaxForce, QStringLiteral("1000"));
        Type(dialog, Dialog::kPointCount, QString::number(points));
        Click(dialog, Dialog::kGenerate);
        Type(dialog, Dialog::kMeasuredIds[0], QStringLiteral("0"));
        for (int i = 1; i <= points; ++i)
            Type(dialog, Dialog::kMeasuredIds[static_cast<std::size_t>(i)], QString::number(6.5 * i));
        prompter.QueueAnswer(true);
        Click(dialog, Dialog::kSave);
    }

    TempDevice device;
    ScriptedPrompter prompter;
    CPublic pub;
};

TEST_F(CQianJingDingLvDingTest, OpensOnGroup1OfABlankTable) {
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("千斤顶率定"));
    EXPECT_EQ(Control<QLabel>(*dialog, Dialog::kGroupLabel)->text(), QStringLiteral("第1组       共10组"));
    EXPECT_TRUE(Control<QRadioButton>(*dialog, Dialog::kJackRadio)->isChecked());
    EXPECT_FALSE(Control(*dialog, Dialog::kSensorNumber)->isEnabled());
    EXPECT_EQ(Text(*dialog, Dialog::kMaxForce), QStringLiteral("1000.00"));
    EXPECT_EQ(Text(*dialog, Dialog::kPointCount), QStringLiteral("5"));
    EXPECT_FALSE(Control<QPushButton>(*dialog, Dialog::kPrevious)->isEnabled());
    EXPECT_EQ(pub.jackTable.size(), static_cast<std::size_t>(kJackSlots));
}

TEST_F(CQianJingDingLvDingTest, GeneratedForcesAndTheBoxesTheyOpen) {
    auto dialog = Open();
    Type(*dialog, Dialog::kMaxForce, QStringLiteral("1000"));
    Type(*dialog, Dialog::kPointCount, QStringLiteral("3"));
    Click(*dialog, Dialog::kGenerate);
    const char* expected[] = {"0", "333", "666", "999"};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(Text(*dialog, Dialog::kStandardIds[i]), QString::fromUtf8(expected[i]));
    EXPECT_TRUE(Control(*dialog, Dialog::kMeasuredIds[3])->isEnabled());
    EXPECT_FALSE(Control(*dialog, Dialog::kMeasuredIds[4])->isEnabled());
    EXPECT_TRUE(Text(*dialog, Dialog::kMeasuredIds[4]).isEmpty());
    EXPECT_FALSE(Control(*dialog, Dialog::kStandardIds[1])->isEnabled()) << "standard forces are never typed";

    for (const char* count : {"0", "11"}) {
        Type(*dialog, Dialog::kPointCount, QString::fromUtf8(count));
        Click(*dialog, Dialog::kGenerate);
        EXPECT_EQ(LastMessage(prompter), QString::fromUtf8(kPointCountInvalid)) << count;
    }
}

TEST_F(CQianJingDingLvDingTest, TypeRadiosSwitchTheSensorBoxAndHeaders) {
    auto dialog = Open();
    Choose(*dialog, Dialog::kSystemRadio);
    EXPECT_TRUE(Control(*dialog, Dialog::kSensorNumber)->isEnabled());
    EXPECT_EQ(Control<QLabel>(*dialog, Dialog::kLeftHeader)->text(), QStringLiteral("实测力值kN"));
    Click(*dialog, Dialog::kGenerate);
    EXPECT_EQ(LastMessage(prompter), QString::fromUtf8(kSensorNumberEmpty));
    Choose(*dialog, Dialog::kJackRadio);
    EXPECT_FALSE(Control(*dialog, Dialog::kSensorNumber)->isEnabled());
    EXPECT_EQ(Control<QLabel>(*dialog, Dialog::kRightHeader)->text(), QStringLiteral("实测压强MPa"));
}

TEST_F(CQianJingDingLvDingTest, SaveFreezesTheGroupAndWritesTheFile) {
    auto dialog = Open();
    EnterGroup(*dialog, QStringLiteral("QJ7"));
    EXPECT_EQ(Messages(prompter), QStringList({QString::fromUtf8(kSaveQuestion), QString::fromUtf8(kSaved)}));
    EXPECT_FALSE(dialog->Editable());
    EXPECT_FALSE(Control(*dialog, Dialog::kMeasuredIds[2])->isEnabled());
    EXPECT_FALSE(Control(*dialog, Dialog::kJackNumber)->isEnabled());

    std::vector<JackRecord> onFile = BlankJackTable();
    ASSERT_TRUE(device.Files().LoadJackTable(onFile));
    EXPECT_EQ(JackText(onFile[0].jackNumber), QStringLiteral("QJ7"));
    EXPECT_EQ(onFile[0].saved, 1);
    EXPECT_EQ(onFile[0].force[4], 1000.0f);
    EXPECT_EQ(onFile[0].pressure[1], 13.0f);
    EXPECT_EQ(device.Read(DeviceFile::kJackTable).size(), 10 * 148);

    // Opened again, the saved group is shown frozen; saving it again is refused after the question.
    dialog.reset();
    auto again = Open();
    EXPECT_FALSE(again->Editable());
    EXPECT_EQ(Text(*again, Dialog::kMeasuredIds[1]), QStringLiteral("6.50"));
    prompter.QueueAnswer(true);
    again->SaveGroup();
    EXPECT_EQ(LastMessage(prompter), QString::fromUtf8(kAlreadySaved));
}

TEST_F(CQianJingDingLvDingTest, NoAnswerStoresNothing) {
    auto dialog = Open();
    Type(*dialog, Dialog::kJackNumber, QStringLiteral("1"));
    prompter.QueueAnswer(false);
    Click(*dialog, Dialog::kSave);
    EXPECT_EQ(Messages(prompter), QStringList({QString::fromUtf8(kSaveQuestion)}));
    EXPECT_EQ(pub.jackTable[0].saved, 0);
    EXPECT_FALSE(device.Exists(DeviceFile::kJackTable));
}

TEST_F(CQianJingDingLvDingTest, AGroupTheConversionCannotUseIsRefused) {
    auto dialog = Open();
    EnterGroup(*dialog, QStringLiteral("QJ1"), 2);
    EXPECT_EQ(LastMessage(prompter), QString::fromUtf8(kTooFewPoints));
    EXPECT_TRUE(dialog->Editable());
    EXPECT_EQ(pub.jackTable[0].saved, 0);
    EXPECT_FALSE(device.Exists(DeviceFile::kJackTable));
}

TEST_F(CQianJingDingLvDingTest, FailedWriteIsShownAndTheGroupStaysInMemory) {
    // A folder where the file should be: the write cannot replace it.
    ASSERT_TRUE(QDir().mkpath(device.Folders().HostPath(DeviceFile::kJackTable)));
    auto dialog = Open();
    EnterGroup(*dialog, QStringLiteral("QJ2"));
    EXPECT_EQ(LastMessage(prompter), QString::fromUtf8(kSaveFailed));
    EXPECT_EQ(pub.jackTable[0].saved, 1);
    EXPECT_EQ(JackText(pub.jackTable[0].jackNumber), QStringLiteral("QJ2"));
}

TEST_F(CQianJingDingLvDingTest, NextGroupOnlyFromASavedGroupAndNotPast10) {
    auto dialog = Open();
    Click(*dialog, Dialog::kNext);
    EXPECT_EQ(LastMessage(prompter), QString::fromUtf8(kNextRefused));
    EXPECT_EQ(dialog->CurrentGroup(), 1);
    EXPECT_EQ(dialog->findChild<NumericKeypad*>()->FocusedEdit(), Control(*dialog, Dialog::kMeasuredIds[0]));

    for (int group = 1; group <= 9; ++group) {
        EnterGroup(*dialog, QString::number(group));
        Click(*dialog, Dialog::kNext);
        ASSERT_EQ(dialog->CurrentGroup(), group + 1);
    }
    EXPECT_EQ(Control<QLabel>(*dialog, Dialog::kGroupLabel)->text(), QStringLiteral("第10组       共10组"));
    EXPECT_FALSE(Control<QPushButton>(*dialog, Dialog::kNext)->isEnabled());
    EnterGroup(*dialog, QStringLiteral("10"));
    dialog->NextGroup();
    EXPECT_EQ(dialog->CurrentGroup(), 10);
    Click(*dialog, Dialog::kPrevious);
    EXPECT_EQ(dialog->CurrentGroup(), 9);
}

TEST_F(CQianJingDingLvDingTest, DeletingGroup3MovesTheOthersUpAndLeaves10Blank) {
    std::vector<JackRecord> table = BlankJackTable();
    {
        auto dialog = Open();
        for (int group = 1; group <= 10; ++group) {
            EnterGroup(*dialog, QStringLiteral("QJ%1").arg(group));
            if (group < 10)
                Click(*dialog, Dialog::kNext);
        }
    }
    auto dialog = Open();
    Click(*dialog, Dialog::kNext);
    Click(*dialog, Dialog::kNext);
    ASSERT_EQ(dialog->CurrentGroup(), 3);
    prompter.QueueAnswer(true);
    Click(*dialog, Dialog::kDelete);
    EXPECT_EQ(LastMessage(prompter), QString::fromUtf8(kDeleteQuestion));
    EXPECT_EQ(Text(*dialog, Dialog::kJackNumber), QStringLiteral("QJ4")) << "group 4 now in place 3";

    ASSERT_TRUE(device.Files().LoadJackTable(table));
    for (int place = 3; place <= 9; ++place)
        EXPECT_EQ(JackText(table[static_cast<std::size_t>(place - 1)].jackNumber),
                  QStringLiteral("QJ%1").arg(place + 1));
    EXPECT_EQ(JackText(table[1].jackNumber), QStringLiteral("QJ2"));
    EXPECT_EQ(table[9].saved, 0);
    EXPECT_TRUE(JackText(table[9].jackNumber).isEmpty());
    EXPECT_EQ(table[9].maxForce, 1000.0f);
}

TEST_F(CQianJingDingLvDingTest, DeleteIsRefusedWhileATestRuns) {
    auto dialog = Open();
    pub.run.Post(RunCommands::Start{});
    Click(*dialog, Dialog::kDelete);
    EXPECT_EQ(Messages(prompter), QStringList({QString::fromUtf8(kDeleteWhileRunning)}));
}

} // namespace
