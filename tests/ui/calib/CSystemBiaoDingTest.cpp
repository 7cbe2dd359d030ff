#include "ui/calib/CSystemBiaoDing.h"

#include "CalibrationDialogDriver.h"
#include "core/calib/SystemCalibrationFile.h"
#include "core/data/CPublic.h"
#include "support/ReplyFeed.h"
#include "support/TempDevice.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace CalibrationDialogDriver;
using namespace SystemCalibrationText;
using Dialog = CSystemBiaoDing;

class CSystemBiaoDingTest : public ::testing::Test {
  protected:
    std::unique_ptr<Dialog> Open() {
        auto dialog = std::make_unique<Dialog>(pub, device.Folders(), prompter, [this] { ++beeps; });
        dialog->show();
        return dialog;
    }

    // A controller reply whose load channel reads `counts`.
    void Feed(int counts) { ASSERT_TRUE(FeedReply(pub, {}, counts)); }

    TempDevice device;
    ScriptedPrompter prompter;
    CPublic pub;
    int beeps = 0;
};

TEST_F(CSystemBiaoDingTest, OpensWithTheDefaultsWithoutAFile) {
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(kTitleCalibration));
    EXPECT_TRUE(Control<QRadioButton>(*dialog, Dialog::kOilRadio)->isChecked());
    EXPECT_EQ(Text(*dialog, Dialog::kMaxForce), QStringLiteral("1000"));
    EXPECT_EQ(Text(*dialog, Dialog::kPointCount), QStringLiteral("10"));
    EXPECT_EQ(Text(*dialog, Dialog::kRange), QStringLiteral("80"));
    EXPECT_EQ(Text(*dialog, Dialog::kSensitivity), QStringLiteral("2.13"));
    EXPECT_EQ(Text(*dialog, Dialog::kRatedPressure), QStringLiteral("65"));
    EXPECT_TRUE(Control<QPushButton>(*dialog, Dialog::kStart)->isEnabled());
    EXPECT_FALSE(Control<QPushButton>(*dialog, Dialog::kRecord)->isEnabled());
    EXPECT_FALSE(dialog->LiveTimerActive());
}

TEST_F(CSystemBiaoDingTest, PointCountLimits) {
    struct Case {
        const char* count;
        const char* refusal;
    };
    for (const Case& c : {Case{"11", kPointCountAbove}, Case{"0", kPointCountBelow}, Case{"10", nullptr}}) {
        ScriptedPrompter shown;
        Dialog dialog(pub, device.Folders(), shown, [] {});
        Type(dialog, Dialog::kPointCount, QString::fromUtf8(c.count));
        Click(dialog, Dialog::kStart);
        EXPECT_EQ(LastMessage(shown), c.refusal ? QString::fromUtf8(c.refusal) : QString()) << c.count;
        EXPECT_EQ(dialog.Run().started, c.refusal ? 0 : 1) << c.count;
    }
}

TEST_F(CSystemBiaoDingTest, StartShowsTheStandardForcesAndLocksTheInputs) {
    auto dialog = Open();
    Type(*dialog, Dialog::kPointCount, QStringLiteral("4"));
    Click(*dialog, Dialog::kStart);
    const char* expected[] = {"0", "250", "500", "750", "1000", "--"};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(Text(*dialog, Dialog::kStandardIds[i]), QString::fromUtf8(expected[i]));
    EXPECT_EQ(Text(*dialog, Dialog::kForceIds[10]), QStringLiteral("--"));
    EXPECT_NEAR(dialog->Run().countsPerKn, 2.07675f, 1e-5f);
    EXPECT_EQ(Text(*dialog, Dialog::kNextStandard), QStringLiteral("0"));
    EXPECT_FALSE(Control(*dialog, Dialog::kMaxForce)->isEnabled());
    EXPECT_FALSE(Control<QPushButton>(*dialog, Dialog::kStart)->isEnabled());
    EXPECT_FALSE(Control<QPushButton>(*dialog, Dialog::kCheck)->isEnabled());
    EXPECT_TRUE(dialog->LiveTimerActive());
    EXPECT_EQ(device.Read(kSystemCalibrationFile), PackSystemCalibration(dialog->Run()));
}

TEST_F(CSystemBiaoDingTest, LoadSensorShowsDashesAsItsOilPressure) {
    auto dialog = Open();
    Choose(*dialog, Dialog::kLoadRadio);
    EXPECT_EQ(Control<QLabel>(*dialog, Dialog::kRangeLabel)->text(), QString::fromUtf8(kLoadRangeCaption));
    EXPECT_EQ(Control<QLabel>(*dialog, Dialog::kSensitivityLabel)->text(),
              QString::fromUtf8(kCoefficientCaption));
    EXPECT_FALSE(Control(*dialog, Dialog::kRatedForce)->isEnabled());
    EXPECT_TRUE(Text(*dialog, Dialog::kRatedPressure).isEmpty());
    Type(*dialog, Dialog::kSensitivity, QStringLiteral("2"));
    Click(*dialog, Dialog::kStart);
    Feed(1000);
    dialog->RefreshLive();
    EXPECT_EQ(Text(*dialog, Dialog::kLivePressure), QStringLiteral("--"));
    EXPECT_EQ(Text(*dialog, Dialog::kLiveForce), QStringLiteral("500.0"));
    EXPECT_TRUE(Text(*dialog, Dialog::kStandardIds[0]).isEmpty());
    EXPECT_EQ(Text(*dialog, Dialog::kPressureIds[1]), QStringLiteral("--"));
}

TEST_F(CSystemBiaoDingTest, ClearAsksAndReturnsToANewRun) {
    auto dialog = Open();
    Type(*dialog, Dialog::kPointCount, QStringLiteral("3"));
    Click(*dialog, Dialog::kStart);
    Feed(20);
    dialog->RefreshLive();
    Click(*dialog, Dialog::kRecord);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(Control<QPushButton>(*dialog, Dialog::kClear)->text(), QString::fromUtf8(kNewCalibration));

    prompter.QueueAnswer(false);
    Click(*dialog, Dialog::kClear);
    EXPECT_EQ(dialog->Run().calibrationIndex, 1);
    prompter.QueueAnswer(true);
    Click(*dialog, Dialog::kClear);
    EXPECT_EQ(LastMessage(prompter), QString::fromUtf8(kClearQuestion));
    EXPECT_EQ(dialog->Run().started, 0);
    EXPECT_EQ(Control<QPushButton>(*dialog, Dialog::kClear)->text(), QString::fromUtf8(kClear));
    EXPECT_TRUE(Control<QPushButton>(*dialog, Dialog::kStart)->isEnabled());
    EXPECT_FALSE(dialog->LiveTimerActive());
    EXPECT_EQ(Text(*dialog, Dialog::kPointCount), QStringLiteral("3"));
    EXPECT_EQ(LoadSystemCalibration(device.Folders()).started, 0);
}

TEST_F(CSystemBiaoDingTest, RecordingWithoutAReplyIsRefused) {
    auto dialog = Open();
    Click(*dialog, Dialog::kStart);
    Click(*dialog, Dialog::kRecord);
    EXPECT_EQ(LastMessage(prompter), QString::fromUtf8(kNoLiveValue));
    EXPECT_EQ(dialog->Run().calibrationIndex, 0);
    EXPECT_EQ(beeps, 0);
}

} // namespace
