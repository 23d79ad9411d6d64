// Single frames and movers: targets, the scout's marks, every copy in place, the models, walks.
#include "models/models.h"
#include "troupes/troupes.h"
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
constexpr float carrierInNest = -2.37263748e-06f, patrolHome = 0.00850493461f,
                foragerAtTurn = 85.0042725f;

// Every target row places the food and its copies; every second seed on the scout's marks.
TEST_F(World, EveryTargetRowPlacesTheFoodAndTheScoutHandsOverOnItsMarks) {
    for (unsigned seed = 1; seed <= seeds; ++seed) {
        SetUp();
        std::srand(seed);
        const int d = std::rand() % 10, b = std::rand() % 10, onMark = seed % 2;
        std::srand(seed);
        world.scoutPos = targetDistances[d] - 40 - (1 - onMark) / 60.0f; // 40 out, or a step more
        world.scoutPhase = 4;
        world.waitCount = 76 + onMark; // this frame's three nest calls reach 80, or 79
        world.foodBites = 1 + onMark;  // the second bite, or the first
        frame(true);
        const float *row = targetRows[b];
        EXPECT_EQ(std::make_tuple(world.foodBearing, world.sideNestBearing,
                                  float(world.foragerWaitLength), world.foodDistance,
                                  world.scoutBearing, world.columnStarted),
                  std::make_tuple(row[0], row[1], row[2], targetDistances[d],
                                  std::min(row[0], onMark == 1 ? 30.125f : 30), onMark));
        // The pile 3.8 past the food distance; its copies as far out along x by the side nests.
        const std::vector<Vec> piles = spheres(onMark == 1 ? 0.79 : 0.9, world.texCandy);
        const double r = targetDistances[d] + 3.8, s = row[1] / 90, a = row[0] * degrees;
        EXPECT_TRUE(anyAt(piles, {r * std::sin(a), -r * std::cos(a), 0.2}) &&
                    anyAt(piles, {s * r, -s * 150, 0.2}) && anyAt(piles, {-s * r, s * 150, 0.2}));
    }
}

TEST_F(World, GroupsStandWhereTheWorldPutsThem) {
    world.foragerPos = world.patrolPos = 20; // 20 along, outbound
    world.scoutPos = 10;
    world.carrier3Released = 1;
    world.carrier5Phase = world.porterDelay = 30; // the column home twice: the porters out
    frame(true);
    const std::vector<Vec> pieces = spheres(0.3, world.texCandy),
                           walkers = spheres(headRadius, world.texFire),
                           yantHeads = spheres(headRadius, world.texYant);
    EXPECT_EQ(spheres(1.2, world.texHole),
              (std::vector<Vec>{{0, 0, -4}, {0, -148, -1}, {0, 148, -1}}));
    // Head out, bearing, side nests at -+nest s, sideways step, skin; side copies in texYant.
    const double s = world.sideNestBearing / 90, food = world.foodBearing * degrees;
    const std::tuple<double, double, double, double, GLuint> troupes[] = {
        {13, 30 * degrees, 148, 0, world.texFire}, // the scout 10 out, on its first bearing
        {2.5, food, 150, 0, world.texFire2},       // carrier 3, 0.5 behind its start
        {3, food, 150, 1.9, world.texFire2},       // the porters at their start
        {3, food, 150, -1.9, world.texFire2}};
    for (const auto &[out, bearing, nest, side, skin] : troupes) {
        const double x = std::sin(bearing), y = -std::cos(bearing); // the centre copy's way
        EXPECT_TRUE(anyAt(spheres(headRadius, skin), {out * x - side * y, out * y + side * x, 0}));
        EXPECT_TRUE(anyAt(yantHeads, {s * out, -s * (nest - side), 0}) &&
                    anyAt(yantHeads, {-s * out, s * (nest - side), 0}))
            << out << side;
    }
    world.patrolLap = 1, world.patrolPhase = 1, world.patrolPos = 5, world.patrolHeading = 90;
    frame(true); // the patrol ants' last walk after their lap
    for (double x : {-10, -5, 0, 5, 10}) {
        for (double s : {-1, 1}) { // at the nest at y = 148 s and the patrol row at y = 85 s
            EXPECT_TRUE(anyAt(pieces, {x, s * 64.7, -0.6})) << "side food " << x;
            EXPECT_TRUE(anyAt(yantHeads, {x, s * 127, 0})) << "forager walking to the centre";
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

// Model A mirrors itself in the opposite leg phase; model B in any pose is model A at rest.
TEST_F(World, AntModelsAreMirrorSymmetricAndTheMotionlessOneIsTheWalkingOneAtRest) {
    drawAntModelA(); // at rest: legs at 0, antennae at -180, jaw at 40
    world.jawAngle = 60, world.antennaAngle = -150;                          // half open
    world.legLiftAngle = 3, world.legSwingAngle = 20, world.flatShading = 1; // and flat shaded
    drawAntModelB();
    drawAntModelA();
    const std::vector<Primitive> drawn = recorder.primitives; // A at rest, B, A in this pose
    recorder.primitives.clear();
    world.legLiftAngle = -3, world.legSwingAngle = -20, world.flatShading = 0; // the other pose
    drawAntModelA();
    ASSERT_EQ(drawn.size(), 3 * 29u);
    EXPECT_TRUE(drawn[58 + 28].shadeModel == GL_FLAT &&
                recorder.primitives[28].shadeModel == GL_SMOOTH);
    for (std::size_t i = 0; i < 29; ++i) {
        const Primitive &rest = drawn[i], &still = drawn[29 + i], &ant = drawn[58 + i];
        EXPECT_TRUE(std::any_of(recorder.primitives.begin(), recorder.primitives.end(),
                                [&](const Primitive &p) { return mirrored(ant, p); }))
            << i;
        Matrix atRest = rest.modelview;
        if (i == 1 || i == 2) { // a mandible: turned back upright, stretched along y
            atRest = {1, 0, 0, 0, 0, 1.4f, 0, 0, 0, 0, 1, 0, atRest[12], atRest[13], atRest[14], 1};
        }
        EXPECT_EQ(still.modelview, atRest) << i;
    }
    EXPECT_GT(drawn[58 + 3].modelview[12], 0) << "its left side, with the first eye, toward +x";
}

// The foragers' trip; long walks end on exact floats (steps added in double precision).
TEST_F(World, WalksTakeTheirCallsAndEndExactlyOnTheirMarks) {
    world.sideFoodDistance = 60, world.foragerWaitLength = 1600, world.animationRunning = 1;
    const auto callsUntil = [](bool (*done)(), void (*move)() = moveForager) {
        long calls = 0;
        for (; !done() && calls < 100000; ++calls) {
            move();
        }
        return calls;
    };
    callsUntil([] { return world.carrier1Phase == 4; }, moveCarrier1);
    callsUntil([] { return world.patrolPhase == 2; }, movePatrolAnt);
    EXPECT_EQ(std::tie(world.carrier1Pos, world.patrolPos), std::tie(carrierInNest, patrolHome));
    EXPECT_EQ(callsUntil([] { return world.foragerWaitCount == 1; }), outCalls);
    EXPECT_EQ(world.foragerPos, 50.0f);
    EXPECT_EQ(callsUntil([] { return world.foragerWaitCount == 1600; }), 1599) << "the pause";
    EXPECT_EQ(callsUntil([] { return world.foragerHeading > 0; }), onCalls);
    EXPECT_EQ(world.foragerPos, foragerAtTurn);
    EXPECT_EQ(callsUntil([] { return world.foragerPhase == 1; }) + 1, turnCalls);
    EXPECT_EQ(std::tie(world.foragerHeading, world.sideFoodTaken), std::make_tuple(180.0f, 1));
    EXPECT_EQ(callsUntil([] { return world.foragerPhase == 2; }) + 1, homeCalls);
    EXPECT_EQ(world.foragerPos, 1.0f);
}

} // namespace
