#include "core/setup/ZeroSettings.h"

#include "core/data/DeviceText.h"
#include "support/ReplyFeed.h"
#include "support/RunStateSetup.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr float kMmPerCount = 0.009921875f;
constexpr float kTolerance = 1e-4f;

class ZeroSettingsTest : public ::testing::Test {
  protected:
    ZeroSettingsTest() { pub.run.Post(RunCommands::Start{}); }

    void Feed(const GaugeCounts& gauges, int loadCounts = 500) {
        ASSERT_TRUE(FeedReply(pub, gauges, loadCounts));
    }

    QString Row2(int row) const {
        return DeviceText::ToUnicode(FieldText(pub.recordList.at(static_cast<std::size_t>(row)).textValue2));
    }

    CPublic pub;
    RangeAdjustment adjustment;
};

TEST_F(ZeroSettingsTest, FormOpensWithCurrentValuesAtTheStandardsResolution) {
    struct Case {
        int standardCode;
        const char* gaugeTwo;
    };
    const Case cases[] = {{0, "12.40"}, {3, "12.402"}, {58, "12.402"}, {12, "12.40"}};
    pub.gaugeDirection[1] = -1;
    pub.gaugeZero[1] = 24.804f; // shows the reading itself, reversed
    for (const Case& c : cases) {
        pub.standardCode = c.standardCode;
        Feed({0, 1250, 0, 0, 0, 0, 0, 0}); // gauge 2 reads 12.402 mm
        LiveSample live = pub.run.Live();
        live.currentLoad = 123.6f;

        const ZeroForm form = OpenZeroForm(pub, live);

        EXPECT_EQ(form.loadCurrent, "124");
        EXPECT_EQ(form.gaugeCurrent[1], QString::fromLatin1(c.gaugeTwo)) << c.standardCode;
        EXPECT_EQ(form.gaugeCurrent[0], c.standardCode == 3 || c.standardCode == 58 ? "0.000" : "0.00");
        EXPECT_EQ(form.gaugeCurrent[4], "") << "gauge 5 is not in the test";
        EXPECT_EQ(form.gaugeReverseTicked, (std::array<bool, 8>{false, true}));
        EXPECT_EQ(form.gaugeZeroTicked, (std::array<bool, 8>{}));
    }
}

TEST_F(ZeroSettingsTest, TypedValueIsShownAndTheGaugeMovesOnWithItsReading) {
    for (const bool reversed : {false, true}) {
        pub.ResetTest();
        pub.run.Post(RunCommands::Start{});
        Feed({0, 1250, 0, 0, 0, 0, 0, 0});
        ASSERT_NEAR(pub.run.Live().gaugeValue[1], 12.40f, kTolerance);
        ZeroForm form = OpenZeroForm(pub, pub.run.Live());
        ASSERT_EQ(form.gaugeCurrent[1], "12.40");
        form.gaugeModified[1] = QStringLiteral("0.50");
        form.gaugeReverseTicked[1] = reversed;

        ASSERT_TRUE(ApplyZeroForm(pub, pub.run.Live(), form, adjustment));

        EXPECT_FLOAT_EQ(pub.gaugeOffset[1], reversed ? -0.50f : 0.50f);
        Feed({0, 1250, 0, 0, 0, 0, 0, 0});
        EXPECT_NEAR(pub.run.Live().gaugeValue[1], 0.50f, kTolerance) << reversed;
        Feed({0, 1350, 0, 0, 0, 0, 0, 0}); // one more millimetre on the dial, less the resolution
        const float moved = 13.39f - 12.40f;
        EXPECT_NEAR(pub.run.Live().gaugeValue[1], 0.50f + (reversed ? -moved : moved), kTolerance)
            << reversed;
        EXPECT_TRUE(pub.saveRequested);
    }
}

TEST_F(ZeroSettingsTest, RangeAdjustmentCarriesTheGaugesOverTheReset) {
    struct Case {
        int direction;
        float zero;
    };
    for (const Case& c : {Case{1, 0.0f}, Case{-1, 30.0f}}) {
        pub.ResetTest();
        pub.run.Post(RunCommands::Start{});
        for (std::size_t k = 0; k < 2; ++k) {
            pub.gaugeDirection[k] = c.direction;
            pub.gaugeZero[k] = c.zero;
        }
        Feed({2551, 2507, 0, 0, 0, 0, 0, 0}); // 25.31 and 24.87 mm on the dials
        const float before[2] = {pub.run.Live().gaugeValue[0], pub.run.Live().gaugeValue[1]};
        if (c.direction == 1) {
            ASSERT_NEAR(before[0], 25.31f, kTolerance);
            ASSERT_NEAR(before[1], 24.87f, kTolerance);
        }
        ZeroForm form = OpenZeroForm(pub, pub.run.Live());

        ConfirmRangeAdjustment(pub, pub.run.Live(), adjustment);
        EXPECT_TRUE(pub.rangeAdjustPending);
        Feed({50, 30, 0, 0, 0, 0, 0, 0}); // the dials reset near 0.5 and 0.3 mm
        ASSERT_TRUE(ApplyZeroForm(pub, pub.run.Live(), form, adjustment));
        EXPECT_FALSE(adjustment.confirmed);
        EXPECT_TRUE(pub.rangeAdjustPending) << "left for the next reading";

        Feed({50, 30, 0, 0, 0, 0, 0, 0});
        EXPECT_NEAR(pub.run.Live().gaugeValue[0], before[0], kTolerance) << c.direction;
        EXPECT_NEAR(pub.run.Live().gaugeValue[1], before[1], kTolerance) << c.direction;
        Feed({150, 130, 0, 0, 0, 0, 0, 0});
        const float moved = 100 * kMmPerCount;
        EXPECT_NEAR(pub.run.Live().gaugeValue[0], before[0] + c.direction * moved, 0.01f) << c.direction;
        EXPECT_NEAR(pub.run.Live().gaugeValue[1], before[1] + c.direction * moved, 0.01f) << c.direction;
    }
}

TEST_F(ZeroSettingsTest, CancelledRangeAdjustmentChangesNothing) {
    Feed({2551, 2507, 0, 0, 0, 0, 0, 0});
    const ZeroForm form = OpenZeroForm(pub, pub.run.Live());
    ConfirmRangeAdjustment(pub, pub.run.Live(), adjustment);
    CancelRangeAdjustment(pub, adjustment);
    EXPECT_FALSE(pub.rangeAdjustPending);
    EXPECT_FALSE(adjustment.confirmed);

    Feed({50, 30, 0, 0, 0, 0, 0, 0});
    ApplyZeroForm(pub, pub.run.Live(), form, adjustment);
    EXPECT_EQ(pub.gaugeZero[0], 0.0f);
    EXPECT_EQ(pub.gaugeOffset[0], 0.0f);
}

TEST_F(ZeroSettingsTest, AppliesOnlyDuringATestOrInTheWizard) {
    struct Case {
        bool running;
        bool wizard;
        bool applied;
    };
    for (const Case& c : {Case{false, false, false}, Case{true, false, true}, Case{false, true, true}}) {
        pub.ResetTest();
        adjustment = {};
        EnterRunState(pub, ControlState::Waiting, 0, c.running);
        pub.wizardMode = c.wizard;
        Feed({2551, 1250, 0, 0, 0, 0, 0, 0}, 800);
        ZeroForm form = OpenZeroForm(pub, pub.run.Live());
        form.loadZeroTicked = true;
        form.gaugeZeroTicked[2] = true;
        form.gaugeReverseTicked[3] = true;
        form.gaugeModified[1] = QStringLiteral("1.5");
        ConfirmRangeAdjustment(pub, pub.run.Live(), adjustment);
        const QString zeroRowBefore = Row2(35);

        EXPECT_EQ(ApplyZeroForm(pub, pub.run.Live(), form, adjustment), c.applied);

        EXPECT_EQ(pub.loadZero != 0.0f, c.applied);
        EXPECT_EQ(pub.gaugeZero[0] != 0.0f, c.applied) << "range adjustment";
        EXPECT_EQ(pub.gaugeDirection[3], c.applied ? -1 : 1);
        EXPECT_EQ(pub.gaugeOffset[1] != 0.0f, c.applied);
        EXPECT_EQ(Row2(35) != zeroRowBefore, c.applied);
        EXPECT_EQ(pub.saveRequested, c.applied);
        EXPECT_EQ(pub.rangeAdjustPending, c.applied) << "an ignored adjustment is no adjustment";
        EXPECT_FALSE(adjustment.confirmed);
    }
}

TEST_F(ZeroSettingsTest, ZeroTicksTakeThePresentReadings) {
    Feed({0, 0, 1250, 0, 0, 0, 0, 0}, 800);
    pub.gaugeOffset[2] = 0.25f;
    ZeroForm form = OpenZeroForm(pub, pub.run.Live());
    form.loadZeroTicked = true;
    form.gaugeZeroTicked[2] = true;

    ApplyZeroForm(pub, pub.run.Live(), form, adjustment);

    EXPECT_EQ(pub.loadZero, 800.0f);
    EXPECT_FLOAT_EQ(pub.gaugeZero[2], 12.40f);
    Feed({0, 0, 1250, 0, 0, 0, 0, 0}, 800);
    EXPECT_FLOAT_EQ(pub.run.Live().currentLoad, 0.0f);
    EXPECT_FLOAT_EQ(pub.run.Live().gaugeValue[2], 0.25f) << "the offset stays";
}

TEST_F(ZeroSettingsTest, TypedLoadValueZeroesTheLoadChannel) {
    pub.loadOffset = 5.0f;
    Feed({}, 800);
    ZeroForm form = OpenZeroForm(pub, pub.run.Live());
    form.loadModified = QStringLiteral("20");

    ApplyZeroForm(pub, pub.run.Live(), form, adjustment);

    EXPECT_EQ(pub.loadZero, 800.0f);
    EXPECT_EQ(pub.loadOffset, 0.0f);
}

TEST_F(ZeroSettingsTest, ValuesThatAreNoNumberOrGaugesOutOfTheTestAreLeftAlone) {
    struct Case {
        std::size_t gauge;
        const char* typed;
    };
    for (const Case& c : {Case{0, ""}, Case{0, "1."}, Case{0, "1.2.3"}, Case{4, "2"}}) {
        pub.ResetTest();
        pub.run.Post(RunCommands::Start{});
        Feed({1250, 0, 0, 0, 1250, 0, 0, 0});
        ZeroForm form = OpenZeroForm(pub, pub.run.Live());
        form.gaugeModified[c.gauge] = QString::fromLatin1(c.typed);

        ApplyZeroForm(pub, pub.run.Live(), form, adjustment);

        EXPECT_EQ(pub.gaugeZero[c.gauge], 0.0f) << c.gauge << " " << c.typed;
        EXPECT_EQ(pub.gaugeOffset[c.gauge], 0.0f) << c.gauge << " " << c.typed;
    }
}

TEST_F(ZeroSettingsTest, ZerosOffsetsAndDirectionsGoIntoTheParameterColumn) {
    pub.loadDirection = -1;
    Feed({0, 1250, 0, 0, 0, 0, 0, 0}, 800);
    ZeroForm form = OpenZeroForm(pub, pub.run.Live());
    form.loadZeroTicked = true;
    form.gaugeModified[1] = QStringLiteral("0.50");
    form.gaugeReverseTicked[1] = true;

    ApplyZeroForm(pub, pub.run.Live(), form, adjustment);

    EXPECT_EQ(Row2(33), "800.000000");
    EXPECT_EQ(Row2(46), "0.000000");
    EXPECT_EQ(Row2(59), "-1");
    EXPECT_EQ(Row2(34), "0.000000");
    EXPECT_EQ(Row2(35), "12.400000");
    EXPECT_EQ(Row2(48), "-0.500000");
    EXPECT_EQ(Row2(61), "-1");
    EXPECT_EQ(Row2(60), "1");
    EXPECT_EQ(Row2(67), "1");
    EXPECT_EQ(Row2(42), "") << "spare channel untouched";
    EXPECT_EQ(Row2(55), "");
    EXPECT_EQ(Row2(68), "");
}

TEST_F(ZeroSettingsTest, ChangedGaugesOneToFourAreMarkedWhileTheTestIsUnderWay) {
    struct Case {
        int controlState;
        std::array<bool, 4> marked;
    };
    for (const Case& c :
         {Case{0, {}}, Case{2, {false, true, true, false}}, Case{5, {false, true, true, false}}}) {
        pub.ResetTest();
        pub.run.Post(RunCommands::Start{});
        EnterRunState(pub, ControlStateFromCode(c.controlState));
        pub.gaugeOn[4] = 1;
        pub.gaugeOn[5] = 1;
        Feed({1250, 1250, 1250, 1250, 1250, 1250, 0, 0});
        ZeroForm form = OpenZeroForm(pub, pub.run.Live());
        form.gaugeModified[1] = QStringLiteral("1"); // gauge 2: zero and offset change
        form.gaugeModified[2] = QStringLiteral("0"); // gauge 3: zero changes, offset stays 0
        form.gaugeReverseTicked[3] = true;           // gauge 4: direction only
        form.gaugeModified[5] = QStringLiteral("3"); // gauge 6 is never marked

        ApplyZeroForm(pub, pub.run.Live(), form, adjustment);

        for (std::size_t k = 0; k < 4; ++k)
            EXPECT_EQ(pub.gaugeAdjusted[k], c.marked[k]) << c.controlState << " gauge " << k + 1;
    }
}

} // namespace
