// The side-nest foragers' trip, counted in mover calls.
#include "app/world_state.h"
#include "gl_double/recording_gl.h"
#include "scene/scene.h"

#include <gtest/gtest.h>

namespace {

struct Foragers : ::testing::Test {
    void SetUp() override {
        gldouble::resetRecorder();
        gldouble::rec().logPrimitives = false;
        world = WorldState{};
        world.sideFoodDistance = 60;
        world.foragerWaitLength = 1600;
        world.animationRunning = 1;
    }
    // Calls the mover until `done` holds; returns the calls made (the last included).
    template <typename Done> long callsUntil(Done done) {
        long calls = 0;
        while (!done() && calls < 100000) {
            gldouble::rec().modelview.resize(1);
            moveForager();
            ++calls;
        }
        return calls;
    }
};

TEST_F(Foragers, TripStretchesTakeTheirCallCounts) {
    EXPECT_EQ(callsUntil([] { return world.foragerWaitCount == 1; }), 11499);
    EXPECT_EQ(world.foragerPos, 50.0f);
    EXPECT_EQ(callsUntil([] { return world.foragerWaitCount == 1600; }), 1599);
    // On to the food: the turn begins in the call that passes 85.
    EXPECT_EQ(callsUntil([] { return world.foragerHeading > 0; }), 2100);
    EXPECT_EQ(world.sideFoodTaken, 0);
    // The turn ends exactly at 180 and the walk home starts in the same call.
    EXPECT_EQ(callsUntil([] { return world.foragerPhase == 1; }) + 1, 720);
    EXPECT_EQ(world.foragerHeading, 180.0f);
    EXPECT_EQ(world.sideFoodTaken, 1);
    EXPECT_EQ(callsUntil([] { return world.foragerPhase == 2; }) + 1, 5040);
    EXPECT_EQ(world.foragerPos, 1.0f);
    EXPECT_EQ(world.foragerWaitCount, 1600);
}

} // namespace
