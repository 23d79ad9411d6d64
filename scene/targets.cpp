// The random choice of each round's food distance and bearing, side nests and forager pause.
#include "app/world_state.h"
#include "scene/scene.h"

#include <cstdlib>

// What a bearing roll chooses: the food's bearing from the centre nest, the rotation that
// carries the copies to the side nests, and the foragers' halfway pause in calls.
struct BearingChoice {
    float foodBearing;
    float sideNestBearing;
    int foragerWaitLength;
};

// Indexed by roll - 1.
constexpr BearingChoice bearingTable[10] = {
    {50, +90, 1400},  //  1
    {60, +90, 1600},  //  2
    {70, -90, 1700},  //  3
    {80, +90, 2000},  //  4
    {90, +90, 2000},  //  5
    {-90, -90, 1400}, //  6
    {115, -90, 1600}, //  7
    {121, -90, 1700}, //  8
    {-60, +90, 2000}, //  9
    {-50, -90, 2000}, // 10
};

// Food distance from a troupe's start point, indexed by roll - 1.
constexpr float distanceTable[10] = {44.7f, 50, 59, 60, 55, 55, 35, 39, 56, 34};

// Where the side food pieces lie this round (plus 4.7 from the centre).
constexpr int chosenSideFoodDistance = 60;

// A whole number from 1 to 10 from the library's generator, which is never seeded.
static int roll() {
    return std::rand() % 10 + 1;
}

void chooseTargets() {
    int distanceRoll = roll();
    int bearingRoll = roll();
    const BearingChoice &bearing = bearingTable[bearingRoll - 1];
    world.foodBearing = bearing.foodBearing;
    world.sideNestBearing = bearing.sideNestBearing;
    world.foragerWaitLength = bearing.foragerWaitLength;
    world.foodDistance = distanceTable[distanceRoll - 1];
    world.sideFoodDistance = chosenSideFoodDistance;
    world.targetsChosen = 1;
}
