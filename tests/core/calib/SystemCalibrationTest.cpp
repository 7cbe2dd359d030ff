#include "core/calib/SystemCalibration.h"

#include "core/link/LiveSample.h"

#include <gtest/gtest.h>

namespace {

using namespace SystemCalibrationText;

SystemCalibrationForm OilForm() {
    return FormOfRun(SystemCalibrationRun{}); // the defaults: 2.13 mV/V, 80 MPa, 1000 kN, 65 MPa
}

SystemCalibrationForm LoadSensorForm() {
    SystemCalibrationForm form = WithSensorKind(OilForm(), false);
    form.sensitivity = QStringLiteral("2.5");
    return form;
}

LiveSample Raw(float counts) {
    LiveSample live;
    live.number = 1;
    live.loadRaw = counts;
    return live;
}

TEST(SystemCalibration, DefaultFormShowsTheDefaults) {
    const SystemCalibrationForm form = OilForm();
    EXPECT_TRUE(form.oilSensor);
    EXPECT_EQ(form.maxForce, QStringLiteral("1000"));
    EXPECT_EQ(form.pointCount, QStringLiteral("10"));
    EXPECT_EQ(form.range, QStringLiteral("80"));
    EXPECT_EQ(form.sensitivity, QStringLiteral("2.13"));
    EXPECT_EQ(form.ratedForce, QStringLiteral("1000"));
    EXPECT_EQ(form.ratedPressure, QStringLiteral("65"));
    const SystemCalibrationForm load = WithSensorKind(form, false);
    EXPECT_EQ(load.range, QStringLiteral("1000"));
    EXPECT_TRUE(load.ratedForce.isEmpty());
    EXPECT_TRUE(load.ratedPressure.isEmpty());
}

TEST(SystemCalibration, StartChecksTheBoxesInOrder) {
    struct Case {
        const char* name;
        bool oil;
        void (*change)(SystemCalibrationForm&);
        const char* refusal;
    };
    const Case cases[] = {
        {"max force", true,
         [](SystemCalibrationForm& f) {
             f.maxForce = "x";
             f.pointCount = "x";
         },
         kMaxForceInvalid},
        {"count", true,
         [](SystemCalibrationForm& f) {
             f.pointCount = "";
             f.range = "x";
         },
         kPointCountInvalid},
        {"count 2.5", true, [](SystemCalibrationForm& f) { f.pointCount = "2.5"; }, kPointCountInvalid},
        {"count 0", true, [](SystemCalibrationForm& f) { f.pointCount = "0"; }, kPointCountBelow},
        {"count 11", true, [](SystemCalibrationForm& f) { f.pointCount = "11"; }, kPointCountAbove},
        {"count 10 passes", true, [](SystemCalibrationForm&) {}, nullptr},
        {"range", true,
         [](SystemCalibrationForm& f) {
             f.range = "8o";
             f.sensitivity = "";
         },
         kRangeInvalid},
        {"range 0 divides", true, [](SystemCalibrationForm& f) { f.range = "0"; }, kRangeInvalid},
        {"sensitivity", true,
         [](SystemCalibrationForm& f) {
             f.sensitivity = "";
             f.ratedForce = "";
         },
         kSensitivityInvalid},
        {"rated force", true,
         [](SystemCalibrationForm& f) {
             f.ratedForce = "";
             f.ratedPressure = "";
         },
         kRatedForceInvalid},
        {"rated pressure", true, [](SystemCalibrationForm& f) { f.ratedPressure = "-65"; },
         kRatedPressureInvalid},
        {"F zero", true, [](SystemCalibrationForm& f) { f.maxForce = "0"; }, kMaxForceZero},
        {"F above Fr", true, [](SystemCalibrationForm& f) { f.maxForce = "1000.5"; }, kAboveRatedForce},
        {"coefficient", false, [](SystemCalibrationForm& f) { f.sensitivity = "a"; }, kCoefficientInvalid},
        {"coefficient 0 divides", false, [](SystemCalibrationForm& f) { f.sensitivity = "0"; },
         kCoefficientInvalid},
        {"F above load range", false, [](SystemCalibrationForm& f) { f.maxForce = "1200"; }, kAboveLoadRange},
        {"load sensor passes", false, [](SystemCalibrationForm&) {}, nullptr},
    };
    for (const Case& c : cases) {
        SystemCalibrationForm form = c.oil ? OilForm() : LoadSensorForm();
        c.change(form);
        SystemCalibrationRun run;
        EXPECT_STREQ(StartCalibration(form, run), c.refusal) << c.name;
        EXPECT_EQ(run.started, c.refusal ? 0 : 1) << c.name;
    }
}

TEST(SystemCalibration, StartTwiceIsRefused) {
    SystemCalibrationRun run;
    ASSERT_EQ(StartCalibration(OilForm(), run), nullptr);
    EXPECT_STREQ(StartCalibration(OilForm(), run), kAlreadyStarted);
}

TEST(SystemCalibration, StandardForcesAndKOfAnOilSensor) {
    SystemCalibrationForm form = OilForm();
    form.pointCount = QStringLiteral("4");
    SystemCalibrationRun run;
    ASSERT_EQ(StartCalibration(form, run), nullptr);
    // K = 1200 x 2.13 x 65 / (80 x 1000)
    EXPECT_NEAR(run.countsPerKn, 2.07675f, 1e-5f);
    const SystemCalibrationView view = ViewOfRun(run);
    const char* expected[] = {"0", "250", "500", "750", "1000", "--", "--", "--", "--", "--", "--"};
    for (std::size_t i = 0; i < view.standard.size(); ++i)
        EXPECT_EQ(view.standard[i], QString::fromUtf8(expected[i])) << "point " << i;
    EXPECT_EQ(view.nextStandard, QStringLiteral("0"));
    EXPECT_EQ(view.clearCaption, QString::fromUtf8(kClear));
    EXPECT_FALSE(view.inputsEnabled);
    EXPECT_TRUE(view.recordEnabled);
    EXPECT_FALSE(view.checkEnabled);
}

TEST(SystemCalibration, LoadSensorShowsDashesForPressure) {
    SystemCalibrationRun run;
    ASSERT_EQ(StartCalibration(LoadSensorForm(), run), nullptr);
    EXPECT_EQ(run.countsPerKn, 2.5f) << "K is the coefficient";
    const LiveCalibrationValues live = LiveValues(run, Raw(250));
    EXPECT_EQ(live.pressure, QStringLiteral("--"));
    EXPECT_EQ(live.force, QStringLiteral("100.0"));
    const SystemCalibrationView view = ViewOfRun(run);
    EXPECT_TRUE(view.standard[0].isEmpty()) << "no standard force for the zero point";
    EXPECT_EQ(view.pressure[3], QStringLiteral("--"));
}

TEST(SystemCalibration, LiveValuesOfAnOilSensor) {
    SystemCalibrationRun run;
    ASSERT_EQ(StartCalibration(OilForm(), run), nullptr);
    // 2130 counts: 80 x 2130 / (1200 x 2.13) = 66.67 MPa; 2130 / 2.07675 = 1025.6 kN
    const LiveCalibrationValues live = LiveValues(run, Raw(2130));
    EXPECT_EQ(live.pressure, QStringLiteral("66.67"));
    EXPECT_EQ(live.force, QStringLiteral("1025.6"));
    EXPECT_EQ(LiveValues(run, LiveSample{}).force, QStringLiteral("--")) << "no reply yet";
}

// A calibration pass of n = 4 whose instrument reads 2 % high with an
// offset of 5 kN.
SystemCalibrationRun CalibratedRun() {
    SystemCalibrationForm form = OilForm();
    form.pointCount = QStringLiteral("4");
    SystemCalibrationRun run;
    EXPECT_EQ(StartCalibration(form, run), nullptr);
    for (int i = 0; i <= 4; ++i) {
        const float measured = 5.0f + 1.02f * 250.0f * static_cast<float>(i);
        const RecordOutcome outcome =
            RecordPoint(run, {QString::number(measured, 'f', 1), QStringLiteral("1.00")});
        EXPECT_TRUE(outcome.recorded);
        EXPECT_STREQ(outcome.message, i < 4 ? nullptr : kCalibrationComplete);
    }
    return run;
}

TEST(SystemCalibration, RecordingThePassToTheEnd) {
    SystemCalibrationRun run = CalibratedRun();
    EXPECT_EQ(run.calibrationDone, 1);
    EXPECT_EQ(run.passDone, 1);
    EXPECT_EQ(run.calibrationIndex, 5);
    EXPECT_EQ(run.calibrationForce[2], 515.0f);
    EXPECT_EQ(run.calibrationPressure[2], 1.0f);
    const RecordOutcome again = RecordPoint(run, {QStringLiteral("1"), QStringLiteral("1")});
    EXPECT_FALSE(again.recorded);
    EXPECT_STREQ(again.message, kCalibrationAlreadyDone);
    const SystemCalibrationView view = ViewOfRun(run);
    EXPECT_EQ(view.force[2], QStringLiteral("515.0"));
    EXPECT_EQ(view.pressure[2], QStringLiteral("1.00"));
    EXPECT_TRUE(view.nextStandard.isEmpty());
    EXPECT_EQ(view.clearCaption, QString::fromUtf8(kNewCalibration));
    EXPECT_TRUE(view.checkEnabled);
}

TEST(SystemCalibration, NoLiveValueIsNeverRecorded) {
    SystemCalibrationRun run;
    ASSERT_EQ(StartCalibration(OilForm(), run), nullptr);
    const RecordOutcome outcome = RecordPoint(run, LiveValues(run, LiveSample{}));
    EXPECT_FALSE(outcome.recorded);
    EXPECT_STREQ(outcome.message, kNoLiveValue);
    EXPECT_EQ(run.calibrationIndex, 0);
}

TEST(SystemCalibration, CorrectionThroughTheTable) {
    const SystemCalibrationRun run = CalibratedRun(); // m = 5, 260, 515, 770, 1025; s = 0 .. 1000
    struct Case {
        float measured;
        float standard;
    };
    const Case cases[] = {
        {5.0f, 0.0f},          // on point 0
        {387.5f, 375.0f},      // half-way in segment 1-2
        {515.0f, 500.0f},      // on point 2, the upper end of its segment
        {0.0f, -5.0f / 1.02f}, // below point 0: the first segment extended
        {1280.0f, 1250.0f},    // above point 4: the last segment extended
    };
    for (const Case& c : cases) {
        const std::optional<float> corrected = CorrectThroughTable(run, c.measured);
        ASSERT_TRUE(corrected) << c.measured;
        EXPECT_NEAR(*corrected, c.standard, 1e-3f) << c.measured;
    }
}

TEST(SystemCalibration, FlatSegmentGivesNoValue) {
    SystemCalibrationRun run = CalibratedRun();
    run.calibrationForce[1] = run.calibrationForce[0];
    EXPECT_FALSE(CorrectThroughTable(run, 1.0f));
}

TEST(SystemCalibration, CheckPassRecordsCorrectedValuesAndGoesBack) {
    SystemCalibrationRun run = CalibratedRun();
    EnterCheckPass(run);
    EXPECT_EQ(run.checkMode, 1);
    EXPECT_EQ(run.passDone, 0);
    SystemCalibrationView view = ViewOfRun(run);
    EXPECT_EQ(view.title, QString::fromUtf8(kTitleCheck));
    EXPECT_EQ(view.forceHeader, QString::fromUtf8(kCheckHeader));
    EXPECT_TRUE(view.force[0].isEmpty()) << "the check pass starts empty";
    EXPECT_FALSE(view.checkEnabled);

    // 387.5 kN measured is 375 kN through the table.
    const float counts = 387.5f * run.countsPerKn;
    const LiveCalibrationValues live = LiveValues(run, Raw(counts));
    EXPECT_EQ(live.force, QStringLiteral("375.0"));
    for (int i = 0; i <= 4; ++i) {
        const RecordOutcome outcome = RecordPoint(run, live);
        EXPECT_STREQ(outcome.message, i < 4 ? nullptr : kCheckComplete);
    }
    EXPECT_STREQ(RecordPoint(run, live).message, kCheckAlreadyDone);
    EXPECT_EQ(run.checkForce[4], 375.0f);
    EXPECT_EQ(run.calibrationForce[4], 1025.0f) << "the calibration table is kept";

    LeaveCheckPass(run);
    view = ViewOfRun(run);
    EXPECT_EQ(view.title, QString::fromUtf8(kTitleCalibration));
    EXPECT_EQ(view.forceHeader, QString::fromUtf8(kMeasuredHeader));
    EXPECT_EQ(view.force[4], QStringLiteral("1025.0"));
}

TEST(SystemCalibration, CheckPassNeedsACompleteCalibration) {
    SystemCalibrationRun run;
    ASSERT_EQ(StartCalibration(OilForm(), run), nullptr);
    EnterCheckPass(run);
    EXPECT_EQ(run.checkMode, 0);
}

TEST(SystemCalibration, ClearKeepsTheSettings) {
    SystemCalibrationRun run = CalibratedRun();
    EnterCheckPass(run);
    ClearRun(run);
    EXPECT_EQ(run.started, 0);
    EXPECT_EQ(run.checkMode, 0);
    EXPECT_EQ(run.calibrationIndex, 0);
    EXPECT_EQ(run.calibrationForce[2], 0.0f);
    EXPECT_EQ(run.pointCount, 4);
    const SystemCalibrationView view = ViewOfRun(run);
    EXPECT_TRUE(view.inputsEnabled);
    EXPECT_FALSE(view.recordEnabled);
    EXPECT_EQ(view.title, QString::fromUtf8(kTitleCalibration));
    EXPECT_EQ(view.clearCaption, QString::fromUtf8(kClear));
    EXPECT_EQ(FormOfRun(run).pointCount, QStringLiteral("4"));
}

TEST(SystemCalibration, StartedRunRestoresItsBoxes) {
    SystemCalibrationForm form = OilForm();
    form.ratedPressure = QStringLiteral("63.27");
    SystemCalibrationRun run;
    ASSERT_EQ(StartCalibration(form, run), nullptr);
    const SystemCalibrationForm restored = FormOfRun(run);
    EXPECT_EQ(restored.ratedPressure, QStringLiteral("63.3"));
    EXPECT_EQ(restored.ratedForce, QStringLiteral("1000"));
    EXPECT_EQ(restored.range, QStringLiteral("80"));
}

} // namespace
