// Single frames and movers: target table, where the groups stand, mirror symmetry, foragers' trip.
#include "models/models.h"
#include "world_fixture.h"

namespace {
// The target table, indexed by roll - 1: the food's bearing, the turn that carries the copies
// to the side nests, the foragers' pause in calls; and the food distances.
constexpr float targetRows[10][3] = {
    {50, 90, 1400},   {60, 90, 1600},   {70, -90, 1700},  {80, 90, 2000},  {90, 90, 2000},
    {-90, -90, 1400}, {115, -90, 1600}, {121, -90, 1700}, {-60, 90, 2000}, {-50, -90, 2000}};
constexpr float targetDistances[10] = {44.7f, 50, 59, 60, 55, 55, 35, 39, 56, 34};
constexpr unsigned seeds = 40; // generator seeds whose first two rolls reach every row
// The foragers' trip in mover calls: out to the halfway point, on past the food, the turn, home.
constexpr long outCalls = 11499, onCalls = 2100, turnCalls = 720, homeCalls = 5040;

TEST_F(World, EveryTargetRowPlacesTheFoodPileAndItsCopies) {
    std::array<int, 20> seen{}; // rows, then distances
    for (unsigned seed = 1; seed <= seeds; ++seed) {
        SetUp();
        std::srand(seed);
        const int d = std::rand() % 10, b = std::rand() % 10;
        std::srand(seed);
        frame(true);
        seen[b] = seen[10 + d] = 1;
        const float *row = targetRows[b];
        EXPECT_EQ(std::make_tuple(world.foodBearing, world.sideNestBearing,
                                  float(world.foragerWaitLength), world.foodDistance),
                  std::make_tuple(row[0], row[1], row[2], targetDistances[d]));
        // The pile 3.8 past the food distance; its copies as far out along x by the side nests.
        const std::vector<Vec> piles = spheres(0.9, world.texCandy);
        const double r = targetDistances[d] + 3.8, s = row[1] / 90, a = row[0] * degrees;
        ASSERT_EQ(piles.size(), 3u);
        EXPECT_LT(distance(piles[0], {r * std::sin(a), -r * std::cos(a), 0.2}), 1e-3);
        EXPECT_LT(distance(piles[1], {s * r, -s * 150, 0.2}) +
                      distance(piles[2], {-s * r, s * 150, 0.2}),
                  1e-3);
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), 20) << "a row or distance never drawn";
}

TEST_F(World, GroupsStandWhereTheWorldPutsThem) {
    world.foragerPos = world.patrolPos = 20; // 20 along, outbound
    frame(true);
    const std::vector<Vec> pieces = spheres(0.3, world.texCandy),
                           walkers = spheres(headRadius, world.texFire),
                           foragers = spheres(headRadius, world.texYant);
    world.patrolLap = 1, world.patrolPhase = 1, world.patrolPos = 5, world.patrolHeading = 90;
    frame(true); // the patrol ants' last walk after their lap
    for (double x : {-10, -5, 0, 5, 10}) {
        for (double s : {-1, 1}) { // at the nest at y = 148 s and the patrol row at y = 85 s
            EXPECT_TRUE(anyAt(pieces, {x, s * 64.7, -0.6})) << "side food " << x;
            EXPECT_TRUE(anyAt(foragers, {x, s * 127, 0})) << "forager walking to the centre";
            EXPECT_TRUE(anyAt(walkers, {x + s * 21, s * 85, 0})) << "patrol ant walking out";
            EXPECT_TRUE(anyAt(spheres(headRadius, world.texFire), {x, s * 91, 0})) << "and away";
        }
    }
}

// Whether b is a's mirror image in the model's midplane x = 0: its centre and its y axis (a
// rod's length) mirrored, the axis either way round.
bool mirrored(const Primitive &a, const Primitive &b) {
    const Matrix &m = a.modelview, &n = b.modelview;
    const Vec centre{-m[12], m[13], m[14]}, axis{-m[4], m[5], m[6]};
    const double turned =
        std::min(distance(axis, {n[4], n[5], n[6]}), distance(axis, {-n[4], -n[5], -n[6]}));
    return a.kind == b.kind && a.args == b.args &&
           distance(centre, {n[12], n[13], n[14]}) + turned < 1e-4;
}

TEST_F(World, AntModelIsMirrorSymmetricWithItsLegsInOppositePhase) {
    world.jawAngle = 60, world.antennaAngle = -150;                          // half open
    world.legLiftAngle = 3, world.legSwingAngle = 20, world.flatShading = 1; // and flat shaded
    drawAntModelA();
    const std::vector<Primitive> ant = recorder.primitives;
    recorder.primitives.clear();
    world.legLiftAngle = -3, world.legSwingAngle = -20, world.flatShading = 0; // the other pose
    drawAntModelA();
    ASSERT_EQ(ant.size(), 29u);
    EXPECT_TRUE(ant[28].shadeModel == GL_FLAT && recorder.primitives[28].shadeModel == GL_SMOOTH);
    for (std::size_t i = 0; i < ant.size(); ++i) {
        EXPECT_TRUE(std::any_of(recorder.primitives.begin(), recorder.primitives.end(),
                                [&](const Primitive &p) { return mirrored(ant[i], p); }))
            << i;
    }
    // It faces -y (its head centre 1 ahead), its left side (the first eye) toward +x.
    EXPECT_TRUE(std::abs(ant[0].modelview[13] + 1) < 1e-6 && ant[3].modelview[12] > 0);
}

TEST_F(World, ForagersTripTakesItsCallsAndEndsExactlyOnItsMarks) {
    world.sideFoodDistance = 60, world.foragerWaitLength = 1600, world.animationRunning = 1;
    const auto callsUntil = [](bool (*done)()) {
        long calls = 0;
        for (; !done() && calls < 100000; ++calls) {
            moveForager();
        }
        return calls;
    };
    EXPECT_EQ(callsUntil([] { return world.foragerWaitCount == 1; }), outCalls);
    EXPECT_EQ(world.foragerPos, 50.0f);
    EXPECT_EQ(callsUntil([] { return world.foragerWaitCount == 1600; }), 1599) << "the pause";
    EXPECT_EQ(callsUntil([] { return world.foragerHeading > 0; }), onCalls);
    EXPECT_EQ(callsUntil([] { return world.foragerPhase == 1; }) + 1, turnCalls);
    EXPECT_EQ(std::tie(world.foragerHeading, world.sideFoodTaken), std::make_tuple(180.0f, 1));
    EXPECT_EQ(callsUntil([] { return world.foragerPhase == 2; }) + 1, homeCalls);
    EXPECT_EQ(world.foragerPos, 1.0f);
}

} // namespace
