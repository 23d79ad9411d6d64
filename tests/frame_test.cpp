// One frame's scenery in world coordinates: ground, nests, food pile and copies, target choice.
#include "app/world_state.h"
#include "gl_double/recording_gl.h"
#include "scene/scene.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
using namespace gldouble;
using Vec = std::array<double, 3>;

constexpr double degrees = M_PI / 180;
// The bearing table's columns and the distance table, indexed by roll - 1.
constexpr float foodBearings[10] = {50, 60, 70, 80, 90, -90, 115, 121, -60, -50};
constexpr float sideNestBearings[10] = {90, 90, -90, 90, 90, -90, -90, -90, 90, -90};
constexpr int foragerWaits[10] = {1400, 1600, 1700, 2000, 2000, 1400, 1600, 1700, 2000, 2000};
constexpr float distances[10] = {44.7f, 50, 59, 60, 55, 55, 35, 39, 56, 34};
// The fixture's camera only translates: its fixed offset plus the pan and zoom set below.
constexpr Vec cameraShift = {-20 + 3, -20 - 2, -400 + 10};

struct Frame : ::testing::Test {
    void SetUp() override {
        resetRecorder();
        world = WorldState{};
        world.texCandy = 12, world.texWood = 13, world.texHole = 15;
        world.cameraPanX = 3, world.cameraPanY = -2, world.cameraZoom = 10;
        world.wireframe = 1; // the scenery stays solid all the same
    }
    // One frame with the targets of the rolls' table rows and the pile's state as given.
    static void frame(int distanceRoll, int bearingRoll, int bites = 0, int lifted = 0) {
        world.targetsChosen = 1, world.foodBites = bites, world.foodLifted = lifted;
        world.foodDistance = distances[distanceRoll - 1];
        world.foodBearing = foodBearings[bearingRoll - 1];
        world.sideNestBearing = sideNestBearings[bearingRoll - 1];
        displayScene();
    }
    // gluSpheres of texture `texture` and radius above `minRadius`, in drawing order.
    static std::vector<Primitive> spheres(GLuint texture, double minRadius = 0) {
        std::vector<Primitive> found;
        for (const Primitive &p : rec().primitives) {
            if (p.kind == Prim::GluSphere && p.texture == texture && p.args[0] > minRadius) {
                found.push_back(p);
            }
        }
        return found;
    }
    // `p` is unlit and solid at world point `centre`; its axes times `r` are the `semiAxes`.
    static void expectShape(const Primitive &p, Vec centre, std::array<Vec, 3> semiAxes, double r) {
        EXPECT_TRUE(!p.lighting && p.quadricFill) << "unlit and solid";
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(p.modelview[12 + k] - cameraShift[k], centre[k], 1e-3) << "centre " << k;
            for (int a = 0; a < 3; ++a) {
                EXPECT_NEAR(p.modelview[4 * a + k] * r, semiAxes[a][k], 1e-4) << "axis " << a << k;
            }
        }
    }
    // A food pile turned by `turn` degrees about z: semi-axes 3r across, r along, r up.
    static void expectPile(const Primitive &p, double turn, double x, double y, double r) {
        const double c = std::cos(turn * degrees) * r, s = std::sin(turn * degrees) * r;
        EXPECT_EQ(p.args, (std::vector<double>{r, 30, 20}));
        expectShape(p, {x, y, 0.2}, {{{3 * c, 3 * s, 0}, {-s, c, 0}, {0, 0, r}}}, r);
    }
};

TEST_F(Frame, GroundAndNestsStandWhereTheWorldPutsThem) {
    frame(1, 1);
    ASSERT_EQ(primitiveCount(Prim::Disk), 1);
    const Primitive &ground = rec().primitives.front();
    EXPECT_EQ(ground.args, (std::vector<double>{0, 200, 20, 4}));
    EXPECT_EQ(ground.texture, world.texWood);
    expectShape(ground, {0, 0, -0.67}, {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}, 1);
    const std::vector<Primitive> nests = spheres(world.texHole);
    ASSERT_EQ(nests.size(), 3u);
    expectShape(nests[0], {0, 0, -4}, {{{9.6, 0, 0}, {0, 6, 0}, {0, 0, 4.8}}}, 1.2);
    expectShape(nests[1], {0, -148, -1}, {{{15, 0, 0}, {0, 4.8, 0}, {0, 0, 2.4}}}, 1.2);
    expectShape(nests[2], {0, 148, -1}, {{{15, 0, 0}, {0, 4.8, 0}, {0, 0, 2.4}}}, 1.2);
    EXPECT_EQ(rec().quadricsMade, rec().quadricsDeleted);
}

TEST_F(Frame, FoodPileAndCopiesForEveryBearingDistanceAndBite) {
    for (int rolls = 0; rolls < 100; ++rolls) {
        const int b = rolls / 10 + 1, d = rolls % 10 + 1, bites = rolls % 3; // bearing, distance
        SCOPED_TRACE(testing::Message() << "rolls " << b << "/" << d << ", bites " << bites);
        SetUp();
        frame(d, b, bites);
        const std::vector<Primitive> piles = spheres(world.texCandy, 0.5); // not side pieces
        ASSERT_EQ(piles.size(), 3u);
        const double out = distances[d - 1] + 3.8, food = foodBearings[b - 1] * degrees;
        const double side = sideNestBearings[b - 1], sign = side / 90, r = bites < 2 ? 0.9 : 0.79;
        expectPile(piles[0], food / degrees, out * std::sin(food), -out * std::cos(food), r);
        // Copy A at the side nest that +90 turns it to (y = -148), copy B at the other.
        expectPile(piles[1], side, sign * out, -150 * sign, r);
        expectPile(piles[2], -side, -sign * out, 150 * sign, r);
    }
    SetUp();
    frame(4, 9, 0, 1);
    EXPECT_EQ(spheres(world.texCandy, 0.5).size(), 0u) << "no pile once lifted";
}

TEST_F(Frame, FirstFrameChoosesTargetsFromTwoRolls) {
    for (unsigned seed : {1u, 2u, 5u, 17u, 99u}) {
        SetUp();
        std::srand(seed);
        const int d = std::rand() % 10 + 1, b = std::rand() % 10 + 1, next = std::rand();
        std::srand(seed);
        displayScene();
        EXPECT_EQ(std::make_tuple(world.targetsChosen, world.foodDistance, world.foodBearing,
                                  world.sideNestBearing, world.foragerWaitLength,
                                  world.sideFoodDistance),
                  std::make_tuple(1, distances[d - 1], foodBearings[b - 1], sideNestBearings[b - 1],
                                  foragerWaits[b - 1], 60));
        displayScene(); // targets stay chosen: no further roll
        EXPECT_EQ(std::rand(), next) << "seed " << seed;
    }
}

TEST_F(Frame, MissingQuadricStillFinishesTheFrame) {
    rec().failQuadrics = true;
    frame(2, 6);
    EXPECT_GT(primitiveCount(Prim::WireCube), 0) << "the ants are still drawn";
    EXPECT_EQ(std::make_tuple(rec().swaps, rec().stackErrors, rec().quadricErrors),
              std::make_tuple(1L, 0L, 0L));
}

} // namespace
