#include "core/engine/StabilityJudge.h"

#include "core/data/CFormat.h"

#include <algorithm>
#include <initializer_list>
#include <ostream>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct Criteria {
    int code;
    int holdMinutes;
    int windowMinutes; // W
    int count;         // K
    float settlement;  // E, mm
};

// Settlement rows as the view derives them: the level load, the minutes as
// "%.0d" text (0 prints empty) and the average settlement.
class StabilityJudgeTest : public ::testing::Test {
  protected:
    void Use(const Criteria& criteria) {
        pub.standardCode = criteria.code;
        pub.holdMinutes = criteria.holdMinutes;
        pub.stableCheckMinutes = criteria.windowMinutes;
        pub.stableCheckCount = criteria.count;
        pub.stableSettlement = criteria.settlement;
    }

    void ClearRows() {
        pub.recordList.assign(74, Record::Template());
        pub.rowCount = 0;
    }

    // Appends one level's rows.
    void Level(int load, const std::vector<int>& minutes, const std::vector<float>& mm) {
        ASSERT_EQ(minutes.size(), mm.size());
        for (std::size_t i = 0; i < minutes.size(); ++i) {
            Record& row = pub.recordList.at(static_cast<std::size_t>(pub.rowCount));
            row.rowLoad = load;
            SetFieldText(row.rowMinutes, CFormat("%.0d", minutes[i]));
            row.avgSettlement = mm[i];
            ++pub.rowCount;
        }
        SetFieldText(pub.recordList.at(static_cast<std::size_t>(pub.rowCount)).rowMinutes, "99999");
    }

    // The judgement after each row from the first on, as the rows arrive one
    // reading at a time; the state is put back to holding after each.
    std::vector<bool> JudgeEachReading() {
        const int rows = pub.rowCount;
        std::vector<bool> verdicts;
        for (int count = 1; count <= rows; ++count) {
            pub.rowCount = count;
            pub.run.Post(RunCommands::Enter{ControlState::Holding});
            verdicts.push_back(JudgeStability(pub));
        }
        return verdicts;
    }

    CPublic pub;
};

// --- last K readings, each against the reading one window earlier -------------

TEST_F(StabilityJudgeTest, SlowMaintainedLoadFirstSucceedsAtTwoHoursWithTheTwoLatestHourWindows) {
    Use({5, 120, 60, 2, 0.10f});
    // Readings at 0, 5, 15, 30, 45, 60, 90, 120 minutes: 60-120 and 30-90
    // each settle 0.100 mm; the 45-minute row lies further back than needed.
    Level(200, {0, 5, 15, 30, 45, 60, 90, 120}, {0.0f, 0.5f, 0.8f, 1.0f, 1.05f, 1.08f, 1.10f, 1.18f});
    EXPECT_EQ(JudgeEachReading(), (std::vector<bool>{false, false, false, false, false, false, false, true}));
    EXPECT_EQ(pub.run.View().controlState, ControlState::Stable);
    EXPECT_TRUE(pub.saveRequested);
}

TEST_F(StabilityJudgeTest, SlowMaintainedLoadNeedsBothWindows) {
    struct Case {
        const char* name;
        float at30, at60, at90, at120;
    };
    for (const Case& c : {Case{"earlier window 30-90 settles 0.11", 1.00f, 1.09f, 1.11f, 1.19f},
                          Case{"latest window 60-120 settles 0.11", 1.00f, 1.08f, 1.10f, 1.19f}}) {
        SCOPED_TRACE(c.name);
        ClearRows();
        pub.saveRequested = false;
        Use({5, 120, 60, 2, 0.10f});
        Level(200, {0, 5, 15, 30, 45, 60, 90, 120},
              {0.0f, 0.5f, 0.8f, c.at30, 1.05f, c.at60, c.at90, c.at120});
        pub.run.Post(RunCommands::Enter{ControlState::Holding});
        EXPECT_FALSE(JudgeStability(pub));
        EXPECT_EQ(pub.run.View().controlState, ControlState::Holding);
        EXPECT_FALSE(pub.saveRequested);
    }
}

// Every window of 60 minutes settles the same amount: readings every 30
// minutes from 0 to 240, two windows (or readings) must pass.
struct UniformCase {
    int code;
    float allowed;   // E, mm
    float perWindow; // settlement in each 60-minute window, mm
    bool stable;
};

void PrintTo(const UniformCase& c, std::ostream* os) {
    *os << "standard " << c.code << ", E " << c.allowed << " mm, " << c.perWindow << " mm per window";
}

class UniformSettlementTest : public StabilityJudgeTest, public ::testing::WithParamInterface<UniformCase> {};

TEST_P(UniformSettlementTest, JudgesTheWindowsWithTheRuleOfTheStandard) {
    const UniformCase& c = GetParam();
    Use({c.code, 120, 60, 2, c.allowed});
    std::vector<int> minutes;
    std::vector<float> mm;
    for (int step = 0; step <= 8; ++step) {
        minutes.push_back(30 * step);
        mm.push_back(2.0f + c.perWindow * static_cast<float>(step) / 2.0f);
    }
    Level(300, minutes, mm);
    pub.run.Post(RunCommands::Enter{ControlState::Reloading});
    EXPECT_EQ(JudgeStability(pub), c.stable);
    EXPECT_EQ(pub.run.View().controlState, c.stable ? ControlState::Stable : ControlState::Reloading);
}

INSTANTIATE_TEST_SUITE_P(Rules, UniformSettlementTest,
                         ::testing::Values(
                             // Last K readings, in thousandths: at most E, strictly below for 1 and 33.
                             UniformCase{5, 0.10f, 0.100f, true}, UniformCase{1, 0.10f, 0.100f, false},
                             UniformCase{33, 0.10f, 0.100f, false}, UniformCase{1, 0.10f, 0.099f, true},
                             UniformCase{5, 0.10f, 0.101f, false}, UniformCase{9, 0.10f, 0.100f, true},
                             UniformCase{12, 0.10f, 0.100f, true}, UniformCase{60, 0.10f, 0.101f, false},
                             UniformCase{3, 0.01f, 0.010f, true}, UniformCase{3, 0.01f, 0.011f, false},
                             UniformCase{58, 0.03f, 0.0304f, true}, UniformCase{58, 0.03f, 0.0306f, false},
                             // Window chain, in hundredths: strictly below E.
                             UniformCase{2, 0.10f, 0.100f, false}, UniformCase{2, 0.10f, 0.094f, true},
                             UniformCase{32, 0.10f, 0.096f, false}, UniformCase{57, 0.10f, 0.090f, true},
                             UniformCase{6, 0.10f, 0.090f, true},
                             // One window, in hundredths: at most E.
                             UniformCase{59, 0.10f, 0.104f, true}, UniformCase{59, 0.10f, 0.106f, false},
                             // A settlement that goes back passes any E of at least 0.01 mm.
                             UniformCase{5, 0.01f, -0.20f, true}, UniformCase{1, 0.01f, -0.20f, true},
                             UniformCase{2, 0.01f, -0.20f, true}, UniformCase{59, 0.01f, -0.50f, true},
                             // Codes outside the catalogue are never stable.
                             UniformCase{13, 0.10f, 0.0f, false}, UniformCase{-1, 0.10f, 0.0f, false}));

TEST_F(StabilityJudgeTest, BearingCapacityStandardJudgesWithTheSettlementItsLoadCallsFor) {
    struct Case {
        float targetLoad;
        float perWindow;
        float before; // whatever the stable settlement held
        bool stable;
        float judgedWith;
    };
    for (const Case& c : {Case{300, 0.10f, 0.0f, true, 0.1f}, Case{300, 0.12f, 5.0f, false, 0.1f},
                          Case{301, 0.24f, 0.0f, true, 0.25f}, Case{400, 0.26f, 5.0f, false, 0.25f}}) {
        SCOPED_TRACE(c.targetLoad);
        SCOPED_TRACE(c.perWindow);
        ClearRows();
        Use({10, 60, 60, 1, c.before});
        pub.bearingCapacity = 300;
        pub.run.Post(RunCommands::SetTarget{c.targetLoad});
        Level(static_cast<int>(c.targetLoad), {0, 5, 15, 30, 45, 60},
              {1.0f, 1.01f, 1.02f, 1.03f, 1.04f, 1.0f + c.perWindow});
        pub.run.Post(RunCommands::Enter{ControlState::Holding});
        EXPECT_EQ(JudgeStability(pub), c.stable);
        EXPECT_FLOAT_EQ(pub.stableSettlement, c.judgedWith);
    }
}

TEST_F(StabilityJudgeTest, ChainNeedsKConsecutiveWindowsEachStartingWhereTheLaterOneBegins) {
    // Windows back from 240: 180-240 settles 0.05, 120-180 0.05, 60-120 0.20.
    Level(400, {0, 30, 60, 90, 120, 150, 180, 210, 240},
          {0.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.42f, 0.45f, 0.47f, 0.5f});
    for (const auto& [count, stable] : {std::pair{2, true}, std::pair{3, false}}) {
        SCOPED_TRACE(count);
        Use({2, 120, 60, count, 0.10f});
        pub.run.Post(RunCommands::Enter{ControlState::Holding});
        EXPECT_EQ(JudgeStability(pub), stable);
    }
}

// --- stage boundaries ------------------------------------------------------------

TEST_F(StabilityJudgeTest, WindowReachingIntoAnotherStageIsNotStableAndTheNextReadingIsJudgedAfresh) {
    Use({59, 0, 60, 1, 0.10f});
    // The rows of the 200 level begin 30 minutes in; one window before its
    // 60-minute row lies the 100 level's opening row.
    Level(100, {0}, {0.5f});
    Level(200, {30, 60, 90}, {0.55f, 0.56f, 0.57f});
    EXPECT_EQ(JudgeEachReading(), (std::vector<bool>{false, false, false, true}));
}

TEST_F(StabilityJudgeTest, ReadingWithoutAWindowBeforeItDoesNotCountAsPassed) {
    Use({5, 60, 60, 2, 0.10f});
    Level(100, {0, 30, 60}, {0.2f, 0.2f, 0.2f});
    pub.run.Post(RunCommands::Enter{ControlState::Holding});
    EXPECT_FALSE(JudgeStability(pub)); // 0-60 passes; the 30-minute row has nothing 60 minutes before it
}

// --- convergence rules -------------------------------------------------------------

TEST_F(StabilityJudgeTest, TwoIntervalConvergenceNeedsShrinkingSpans) {
    struct Case {
        const char* name;
        std::vector<float> lastFive; // A(n-4) .. A(n)
        bool stable;
    };
    const std::vector<Case> cases{
        {"0.30, 0.25, 0.20", {1.00f, 1.15f, 1.30f, 1.40f, 1.50f}, true},
        {"0.20, 0.25, 0.30", {1.00f, 1.10f, 1.20f, 1.35f, 1.50f}, false},
        {"0.30, 0.20, 0.25", {1.00f, 1.20f, 1.30f, 1.40f, 1.55f}, false},
        {"0.20, 0.25, 0.22", {1.00f, 1.05f, 1.20f, 1.30f, 1.42f}, false},
        {"0.20, 0.20, 0.20 (equal spans converge)", {1.00f, 1.10f, 1.20f, 1.30f, 1.40f}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearRows();
        Use({0, 60, 10, 2, 111.0f});
        pub.stageStep = 50;
        pub.run.Post(RunCommands::SetTarget{100});
        std::vector<float> mm(8, 0.5f);
        mm.insert(mm.end(), c.lastFive.begin(), c.lastFive.end());
        Level(100, {0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60}, mm);
        pub.run.Post(RunCommands::Enter{ControlState::Holding});
        EXPECT_EQ(JudgeStability(pub), c.stable);
    }
}

TEST_F(StabilityJudgeTest, ConvergenceStandardHoldsTheTenthStageTwoHours) {
    pub.stageStep = 50;
    std::vector<int> minutes;
    for (int m = 0; m <= 120; m += 5)
        minutes.push_back(m);
    Level(500, minutes, std::vector<float>(minutes.size(), 1.0f));
    for (const auto& [target, firstStable] : {std::pair{500.0f, 120}, std::pair{450.0f, 60}}) {
        SCOPED_TRACE(target);
        Use({0, 60, 5, 2, 111.0f});
        pub.run.Post(RunCommands::SetTarget{target});
        const std::vector<bool> verdicts = JudgeEachReading();
        const auto first = std::find(verdicts.begin(), verdicts.end(), true) - verdicts.begin();
        EXPECT_EQ(minutes.at(static_cast<std::size_t>(first)), firstStable);
    }
}

TEST_F(StabilityJudgeTest, SingleIncrementConvergenceComparesTheLastTwoIncrements) {
    struct Case {
        int code;
        float a, b, c; // A(n-2), A(n-1), A(n)
        bool stable;
    };
    for (const Case& c : {Case{4, 1.0f, 1.2f, 1.35f, true}, Case{4, 1.0f, 1.15f, 1.35f, false},
                          Case{11, 1.0f, 1.25f, 1.5f, true}, Case{11, 1.0f, 1.1f, 1.3f, false}}) {
        SCOPED_TRACE(c.code);
        SCOPED_TRACE(c.c);
        ClearRows();
        Use({c.code, 15, 60, 1, 0.01f});
        Level(100, {0, 5, 15}, {c.a, c.b, c.c});
        pub.run.Post(RunCommands::Enter{ControlState::Holding});
        EXPECT_EQ(JudgeStability(pub), c.stable);
    }
}

// --- holding time and counts ---------------------------------------------------------

TEST_F(StabilityJudgeTest, HoldingTimeStandardsAreStableAtTheFirstReadingFromTheHoldingTimeOn) {
    Level(100, {0, 5, 15, 30, 45, 60, 90}, {0.1f, 0.3f, 0.5f, 0.9f, 1.5f, 2.0f, 4.0f});
    for (const int code : {7, 8}) {
        SCOPED_TRACE(code);
        Use({code, 45, 60, 1, 111.0f});
        EXPECT_EQ(JudgeEachReading(), (std::vector<bool>{false, false, false, false, true, true, true}));
    }
}

TEST_F(StabilityJudgeTest, NeverStableWithFewerRowsThanTheCountOrWithOneRow) {
    Level(100, {0, 5, 15}, {0.1f, 0.1f, 0.1f});
    Use({7, 0, 60, 3, 111.0f}); // n = 2 < K
    pub.run.Post(RunCommands::Enter{ControlState::Holding});
    EXPECT_FALSE(JudgeStability(pub));

    Use({7, 0, 60, 0, 111.0f});
    pub.rowCount = 1; // n = 0
    EXPECT_FALSE(JudgeStability(pub));
    EXPECT_EQ(pub.run.View().controlState, ControlState::Holding);
}

TEST_F(StabilityJudgeTest, RowCountBeyondTheListIsJudgedOnTheRowsThatExist) {
    Use({7, 0, 60, 1, 111.0f});
    Level(100, {0, 5}, {0.1f, 0.1f});
    pub.recordList.resize(2);
    pub.rowCount = 500;
    pub.run.Post(RunCommands::Enter{ControlState::Holding});
    EXPECT_TRUE(JudgeStability(pub));
}

} // namespace
