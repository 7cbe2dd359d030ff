#include "ui/calib/CSystemBiaoDing.h"

#include "CalibrationDialogDriver.h"
#include "RigCycle.h"
#include "RigModel.h"
#include "core/calib/SystemCalibrationFile.h"
#include "core/data/CPublic.h"
#include "core/data/PumpGate.h"
#include "core/engine/SettingsPublication.h"
#include "support/TempDevice.h"

#include <gtest/gtest.h>

#include <memory>
#include <span>

namespace {

using namespace CalibrationDialogDriver;
using namespace SystemCalibrationText;
using Dialog = CSystemBiaoDing;

// The rig's oil-pressure sensor is 3.3 % more sensitive than the 2.13 mV/V
// the operator types, so the instrument reads high until the check pass
// corrects it through the recorded table.
RigConfig HighReadingRig() {
    RigConfig config;
    config.loadSensor.sensitivity = 2.2;
    return config;
}

class SystemCalibrationRigTest : public ::testing::Test {
  protected:
    SystemCalibrationRigTest() { PublishSettings(pub); }

    std::unique_ptr<Dialog> Open() {
        auto dialog = std::make_unique<Dialog>(pub, device.Folders(), prompter, [] {});
        dialog->show();
        return dialog;
    }

    // One 200 ms controller cycle. No test runs during a calibration, so the
    // instrument commands no pump; the operator's pump is played as frames
    // that open the gate and run it.
    void Cycle() {
        const ControllerPort::Composer operatorPump = [this] {
            CommandCycle cycle;
            cycle.frame[1] = 0x0F;
            cycle.frame[0] = pumping ? PumpGate::open : PumpGate::closed;
            cycle.frame[3] = pumping ? 20 : 0;   // speed: about 1 kN per cycle
            cycle.frame[4] = pumping ? 0xFF : 0; // run
            return cycle;
        };
        PlayRigCycle(operatorPump, rig, [this](const QByteArray& block) {
            pub.run.HandleReply(std::span(reinterpret_cast<const std::uint8_t*>(block.constData()),
                                          static_cast<std::size_t>(block.size())),
                                clockMs);
        });
        clockMs += kRigCycleMs;
    }

    // The operator runs the pump by hand until the reference reads `force`,
    // lets the load settle, and records the point from the live values.
    void RecordAt(Dialog& dialog, float force) {
        if (rig.Load() < force) {
            pumping = true;
            for (int i = 0; i < 5000 && rig.Load() < force; ++i)
                Cycle();
            pumping = false;
        }
        for (int i = 0; i < 3; ++i)
            Cycle();
        dialog.RefreshLive(); // the dialog's timer
        Click(dialog, Dialog::kRecord);
    }

    TempDevice device;
    ScriptedPrompter prompter;
    CPublic pub;
    RigModel rig{HighReadingRig()};
    qint64 clockMs = 0;
    bool pumping = false;
};

TEST_F(SystemCalibrationRigTest, CalibrationAndCheckPassAgainstTheRigSurviveARestart) {
    auto dialog = Open();
    Type(*dialog, Dialog::kPointCount, QStringLiteral("4"));
    Click(*dialog, Dialog::kStart);
    const float standards[] = {0, 250, 500, 750, 1000};
    for (int i = 0; i <= 2; ++i)
        RecordAt(*dialog, standards[i]);
    const SystemCalibrationRun halfWay = dialog->Run();
    EXPECT_EQ(halfWay.calibrationIndex, 3);
    // 3.3 % high: about 516 kN read at 500 kN.
    EXPECT_NEAR(halfWay.calibrationForce[2], rig.Load() * 2.2 / 2.13, 1.0);
    EXPECT_GT(halfWay.calibrationPressure[2], 0.0f);
    const QByteArray onFile = device.Read(kSystemCalibrationFile);
    ASSERT_EQ(onFile.size(), 312);
    EXPECT_EQ(onFile, PackSystemCalibration(halfWay));

    // Closing the dialog and restarting the program keep the run, byte for byte.
    dialog.reset();
    CPublic restarted;
    {
        Dialog reopened(restarted, device.Folders(), prompter, [] {});
        EXPECT_EQ(PackSystemCalibration(reopened.Run()), onFile);
        EXPECT_TRUE(reopened.LiveTimerActive());
        EXPECT_EQ(Text(reopened, Dialog::kForceIds[2]),
                  QString::asprintf("%.1f", halfWay.calibrationForce[2]));
        EXPECT_TRUE(Text(reopened, Dialog::kForceIds[3]).isEmpty());
        EXPECT_EQ(Text(reopened, Dialog::kNextStandard), QStringLiteral("750"));
        EXPECT_EQ(Control<QPushButton>(reopened, Dialog::kClear)->text(), QString::fromUtf8(kNewCalibration));
        EXPECT_FALSE(Control<QPushButton>(reopened, Dialog::kStart)->isEnabled());
    }
    EXPECT_EQ(device.Read(kSystemCalibrationFile), onFile) << "opening alone writes nothing";

    dialog = Open();
    for (int i = 3; i <= 4; ++i)
        RecordAt(*dialog, standards[i]);
    EXPECT_EQ(LastMessage(prompter), QString::fromUtf8(kCalibrationComplete));
    EXPECT_TRUE(Control<QPushButton>(*dialog, Dialog::kCheck)->isEnabled());

    // The check pass from zero load again, the live force corrected through the table.
    rig = RigModel(HighReadingRig());
    Click(*dialog, Dialog::kCheck);
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(kTitleCheck));
    EXPECT_EQ(LastMessage(prompter), QString::fromUtf8(kEnteredCheck));
    for (int i = 0; i <= 4; ++i) {
        RecordAt(*dialog, standards[i]);
        EXPECT_NEAR(rig.Load(), standards[i], 2.0);
        const float check = dialog->Run().checkForce[static_cast<std::size_t>(i)];
        // At the load the calibration pass recorded for this point, the
        // instrument now shows that point's standard force.
        EXPECT_NEAR(check, standards[i], 1.0) << "point " << i;
    }
    EXPECT_EQ(LastMessage(prompter), QString::fromUtf8(kCheckComplete));
    EXPECT_EQ(dialog->Run().checkDone, 1);
    EXPECT_GT(dialog->Run().calibrationForce[4] - 1000.0f, 25.0f) << "uncorrected, 1000 kN read 3.3 % high";
    EXPECT_EQ(device.Read(kSystemCalibrationFile), PackSystemCalibration(dialog->Run()));

    Click(*dialog, Dialog::kCalibrationView);
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(kTitleCalibration));
    EXPECT_EQ(Text(*dialog, Dialog::kForceIds[4]),
              QString::asprintf("%.1f", dialog->Run().calibrationForce[4]));
}

} // namespace
