#include "core/engine/LoadControl.h"
#include "core/data/CPublic.h"

#include <gtest/gtest.h>

namespace {

// One control step from a given state, target and load (hold band 10).
struct Step {
    const char* name;
    int state;
    float lastTarget;
    float target;
    float load;
    int fullUnloadTimer;
    int expectedState;
    bool stageChanged;
    bool stageReached;
};

TEST(LoadControlStep, MovesTheControlStateByTargetAndLoad) {
    const Step steps[] = {
        {"target raised: loading", 0, 0, 100, 0, 0, 1, true, false},
        {"target raised and already reached", 0, 0, 100, 105, 0, 2, true, true},
        {"loading, not there yet", 1, 100, 100, 99.9f, 0, 1, false, false},
        {"loading reaches the target", 1, 100, 100, 100, 0, 2, false, true},
        {"holding within the band", 2, 100, 100, 90.5f, 0, 2, false, false},
        {"holding, sank past the band: re-load", 2, 100, 100, 89.9f, 0, 3, false, false},
        {"re-loading, more than half the band short", 3, 100, 100, 94.9f, 0, 3, false, false},
        {"re-loading within half the band: hold", 3, 100, 100, 95.1f, 0, 2, false, false},
        {"target lowered: unloading", 2, 500, 300, 500, 0, 5, true, false},
        {"unloading, still high", 5, 300, 300, 320.5f, 0, 5, false, false},
        {"unloading within twice the band", 5, 300, 300, 320, 0, 6, false, true},
        {"final unloading before 120 s", 5, 0, 0, 0, 119, 5, false, false},
        {"final unloading after 120 s, whatever the load", 5, 0, 0, 250, 120, 6, false, true},
        {"unloading stage held, load sinks: stays", 6, 300, 300, 250, 0, 6, false, false},
    };
    for (const Step& s : steps) {
        CPublic pub;
        pub.holdBand = 10;
        pub.controlState = s.state;
        pub.lastTarget = s.lastTarget;
        pub.targetLoad = s.target;
        pub.currentLoad = s.load;
        pub.fullUnloadTimer = s.fullUnloadTimer;
        LoadControlStep(pub);
        EXPECT_EQ(pub.controlState, s.expectedState) << s.name;
        EXPECT_EQ(pub.stageChanged, s.stageChanged) << s.name;
        EXPECT_EQ(pub.stageReached, s.stageReached) << s.name;
        EXPECT_EQ(pub.stageReachedMark, s.stageReached) << s.name;
        EXPECT_FLOAT_EQ(pub.lastTarget, s.target) << s.name;
    }
}

TEST(LoadControlStep, ReloadingHasHysteresis) {
    CPublic pub;
    pub.holdBand = 10;
    pub.targetLoad = 100;
    pub.lastTarget = 100;
    pub.controlState = 2;
    const struct {
        float load;
        int state;
    } sequence[] = {{95, 2}, {89, 3}, {92, 3}, {94.9f, 3}, {95.5f, 2}, {91, 2}, {89.5f, 3}};
    for (const auto& s : sequence) {
        pub.currentLoad = s.load;
        LoadControlStep(pub);
        EXPECT_EQ(pub.controlState, s.state) << "load " << s.load;
    }
}

} // namespace
