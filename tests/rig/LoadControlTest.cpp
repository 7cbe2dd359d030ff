#include "RigTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

constexpr double kMinute = 60.0;

TEST(LoadControl, PulsedApproachReachesTheStageWithoutOvershoot) {
    RigModel rig;
    InstrumentDriver instrument(rig, false);
    instrument.SetTarget(300);
    instrument.Run(5 * kMinute, InstrumentDriver::Holding);
    ASSERT_EQ(instrument.CurrentState(), InstrumentDriver::Holding);
    EXPECT_GT(instrument.SecondsRun(), 20.0);
    EXPECT_LT(rig.Load(), 303.0);
}

TEST(LoadControl, AHighStageIsReloadedNowAndThenWhileHeld) {
    RigModel rig;
    InstrumentDriver instrument(rig, false);
    for (int stage = 1; stage <= 10; ++stage) {
        instrument.SetTarget(100 * stage);
        instrument.Run(10 * kMinute, InstrumentDriver::Holding);
        ASSERT_EQ(instrument.CurrentState(), InstrumentDriver::Holding) << "stage " << stage;
    }
    const int before = instrument.ReloadCount();
    instrument.Run(60 * kMinute);
    const int reloads = instrument.ReloadCount() - before;
    EXPECT_GE(reloads, 4);
    EXPECT_LE(reloads, 30);
    EXPECT_GT(rig.Load(), 1000.0 - 12.0);
    EXPECT_LT(rig.Load(), 1000.0 + 3.0);
}

struct UnloadCase {
    const char* name;
    bool doubleCircuit;
    double unitsPerKN; // 1 for kN; 2 for kPa on a 0.5 m² plate (a ground test)
};

class Unloading : public ::testing::TestWithParam<UnloadCase> {
  protected:
    // The instrument takes the pile to 600 kN and holds it a while.
    void SetUp() override {
        RigConfig config;
        config.circuit = GetParam().doubleCircuit ? JackCircuit::Double : JackCircuit::Single;
        m_rig = std::make_unique<RigModel>(config);
        m_instrument =
            std::make_unique<InstrumentDriver>(*m_rig, GetParam().doubleCircuit, GetParam().unitsPerKN);
        SetTargetKN(600);
        m_instrument->Run(10 * kMinute, InstrumentDriver::Holding);
        m_instrument->Run(5 * kMinute);
    }

    void SetTargetKN(double kN) { m_instrument->SetTarget(kN * GetParam().unitsPerKN); }

    std::unique_ptr<RigModel> m_rig;
    std::unique_ptr<InstrumentDriver> m_instrument;
};

TEST_P(Unloading, ReachesTheLowerStageAndStaysNearIt) {
    const double b = InstrumentDriver::kHoldBand / GetParam().unitsPerKN; // in kN
    SetTargetKN(400);
    m_instrument->Run(15 * kMinute, InstrumentDriver::UnloadHolding);
    ASSERT_EQ(m_instrument->CurrentState(), InstrumentDriver::UnloadHolding);
    m_instrument->Run(10 * kMinute);
    EXPECT_GT(m_rig->Load(), 400.0 - b);
    EXPECT_LT(m_rig->Load(), 400.0 + 2 * b);
    EXPECT_EQ(m_rig->ReleaseOpening(), 0.0);
    EXPECT_EQ(m_rig->OilPathReversed(), GetParam().doubleCircuit);
}

TEST_P(Unloading, ReleasesEverythingAtTargetZero) {
    SetTargetKN(200);
    m_instrument->Run(20 * kMinute, InstrumentDriver::UnloadHolding);
    SetTargetKN(0);
    m_instrument->Run(10 * kMinute);
    EXPECT_EQ(m_instrument->CurrentState(), InstrumentDriver::UnloadHolding);
    EXPECT_LT(m_rig->Load(), 0.5);
    EXPECT_EQ(m_rig->ReleaseOpening(), 1.0);
}

TEST_P(Unloading, AHigherTargetAfterwardsLoadsAgain) {
    SetTargetKN(0);
    m_instrument->Run(10 * kMinute);
    SetTargetKN(100);
    m_instrument->Run(5 * kMinute, InstrumentDriver::Holding);
    EXPECT_EQ(m_instrument->CurrentState(), InstrumentDriver::Holding);
    EXPECT_EQ(m_rig->ReleaseOpening(), 0.0);
    EXPECT_FALSE(m_rig->OilPathReversed());
}

INSTANTIATE_TEST_SUITE_P(Jacks, Unloading,
                         ::testing::Values(UnloadCase{"SingleCircuit", false, 1.0},
                                           UnloadCase{"DoubleCircuit", true, 1.0},
                                           UnloadCase{"GroundTestSingleCircuit", false, 2.0},
                                           UnloadCase{"GroundTestDoubleCircuit", true, 2.0}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
