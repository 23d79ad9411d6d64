// Whole rounds of the colony from an unseeded start, and the invariants of every frame.
#include "app/app.h"
#include "app/world_state.h"
#include "gl_double/recording_gl.h"
#include "scene/scene.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <vector>

namespace {

using gldouble::Prim;
using gldouble::rec;

constexpr float distances[10] = {44.7f, 50, 59, 60, 55, 55, 35, 39, 56, 34};
constexpr float bearings[10] = {50, 60, 70, 80, 90, -90, 115, 121, -60, -50};
#if defined(__SANITIZE_ADDRESS__)
constexpr int invariantRounds = 15; // sanitizers run about ten times slower
#else
constexpr int invariantRounds = 100;
#endif

struct Point {
    double x, y, z;
};

// World position of a primitive's origin: the camera is a plain translation here.
Point worldOrigin(const gldouble::Primitive &p) {
    auto e = gldouble::transformPoint(p.modelview, 0, 0, 0);
    return {e[0] + 20, e[1] + 20, e[2] + 400};
}

double columnLength(const gldouble::Matrix &m, int c) {
    return std::hypot(m[c * 4], m[c * 4 + 1], m[c * 4 + 2]);
}

// Heads (the solid head sphere) drawn with the given skin in the last logged frame.
std::vector<Point> heads(GLuint skin) {
    std::vector<Point> found;
    for (const auto &p : rec().primitives) {
        if (p.kind == Prim::GluSphere && p.args[0] == 0.3 && p.texture == skin) {
            found.push_back(worldOrigin(p));
        }
    }
    return found;
}

struct Rounds : ::testing::Test {
    void SetUp() override {
        gldouble::resetRecorder();
        world = WorldState{};
        world.texFire2 = 1, world.texCandy = 2, world.texWood = 3;
        world.texFire = 4, world.texHole = 5, world.texYant = 6;
        std::srand(1); // the generator's state at process start
        quiet();
        handleKey('s', 0, 0);
    }
    static void quiet() { rec().logCalls = rec().logPrimitives = rec().trackMatrices = false; }
    // One idle tick and one frame, as the running program makes them.
    void frame(bool logged = false) {
        rec().primitives.clear();
        rec().logPrimitives = rec().trackMatrices = logged;
        if (rec().idle != nullptr) {
            rec().idle();
        }
        displayScene();
        ++frames;
    }
    long frames = 0;
};

TEST_F(Rounds, EachRoundPlaysItsEventsInOrder) {
    std::vector<int> rolls(10);
    for (int &roll : rolls) {
        roll = std::rand() % 10;
    }
    std::srand(1);
    for (int round = 0; round < 5; ++round) {
        const int distanceRoll = rolls[2 * round], bearingRoll = rolls[2 * round + 1];
        frame();
        ASSERT_EQ(world.foodDistance, distances[distanceRoll]);
        ASSERT_EQ(world.foodBearing, bearings[bearingRoll]);
        const long start = frames;
        // The scout walks out at 1/60 per call, three calls a frame.
        long outboundCalls = 0;
        for (float pos = 0; pos < world.foodDistance; ++outboundCalls) {
            pos = static_cast<float>(pos + 1.0 / 60);
        }
        while (world.antsHalted == 0) {
            frame(true);
        }
        EXPECT_EQ(frames - start + 1, outboundCalls / 3 + 1);
        // The scout's centre copy has its head at the pile, on the food's bearing.
        const double b = world.foodBearing * M_PI / 180, reach = world.foodDistance + 3.0;
        double nearest = 1e9;
        for (const Point &p : heads(world.texFire)) {
            nearest =
                std::min(nearest, std::hypot(p.x - std::sin(b) * reach, p.y + std::cos(b) * reach));
        }
        EXPECT_LT(nearest, 0.05);
        // Its side copies walk along the side nests.
        for (const Point &p : heads(world.texYant)) {
            if (std::abs(std::abs(p.y) - 148) < 0.5) {
                EXPECT_NEAR(std::abs(p.x), world.foodDistance + 3, 0.05);
            }
        }
        // While halted, the patrol ants and the foragers stand and the legs keep their pose.
        const float patrol = world.patrolPos, forager = world.foragerPos;
        const int swing = world.legSwingAngle, antenna = world.antennaAngle;
        frame();
        EXPECT_EQ(world.antsHalted, 1);
        EXPECT_EQ(world.patrolPos, patrol);
        EXPECT_EQ(world.foragerPos, forager);
        EXPECT_EQ(world.legSwingAngle, swing);
        EXPECT_NE(world.antennaAngle, antenna);
        // The scout's crumb: 0.1 wide, 0.3 long, drawn unlit.
        while (world.scoutPhase != 1) {
            frame(true);
        }
        bool crumbSeen = false;
        for (const auto &p : rec().primitives) {
            if (p.kind == Prim::GluSphere && p.args[0] == 0.05) {
                crumbSeen = true;
                EXPECT_FALSE(p.lighting);
                EXPECT_NEAR(columnLength(p.modelview, 0), 1, 1e-4);
                EXPECT_NEAR(columnLength(p.modelview, 1), 3, 1e-4);
            }
        }
        EXPECT_TRUE(crumbSeen);
        // Hand-off: the column starts, which closes the short walk's gate.
        while (world.scoutPhase != 5) {
            frame();
        }
        frame();
        EXPECT_EQ(world.columnStarted, 1);
        EXPECT_FALSE(shortWalkAllowed());
        // Carrier 5 dwells from 4 to 30 in about nine frames, then the second trip starts.
        while (world.carrier5Phase < 4) {
            frame();
        }
        const long dwellStart = frames;
        while (world.porterDelay == 0) {
            EXPECT_LE(world.carrier5Phase, 30);
            frame();
        }
        EXPECT_NEAR(frames - dwellStart, 9, 1);
        EXPECT_EQ(world.foodBites, 240);
        EXPECT_EQ(world.carrier1Phase, 0);
        // Second trip: the porters appear 28 frames after the delay starts counting.
        while (world.porterDelay == 1) {
            frame();
        }
        const long delayStart = frames;
        while (world.rightPorterPos == 0) {
            frame();
        }
        EXPECT_EQ(frames - delayStart, 28);
        EXPECT_EQ(world.foodBites, 480);
        // The carried pile lies between the porters of the centre copy; from the next frame
        // on the pile is no longer drawn at its place.
        while (world.foodLifted == 0) {
            frame();
        }
        frame(true);
        auto porters = heads(world.texFire2);
        ASSERT_EQ(porters.size(), 2u);
        int pilesBetween = 0;
        for (const auto &p : rec().primitives) {
            if (p.kind == Prim::GluSphere && p.args[0] == 0.79 && !p.lighting) {
                Point c = worldOrigin(p);
                double d0 = std::hypot(c.x - porters[0].x, c.y - porters[0].y);
                double d1 = std::hypot(c.x - porters[1].x, c.y - porters[1].y);
                pilesBetween += std::abs(d0 - d1) < 1e-3 && d0 < 2.2;
            }
        }
        EXPECT_EQ(pilesBetween, 1);
        // The left porter ends the round; the next frame chooses new targets.
        while (world.targetsChosen == 1) {
            EXPECT_LE(world.leftPorterPhase, 5);
            frame();
        }
        EXPECT_EQ(world.porterDelay, 0);
        EXPECT_EQ(world.animationRunning, 0);
        EXPECT_LT(frames - start, 12000);
        std::printf("round %d: distance %g, bearing %g, %ld frames\n", round + 1,
                    distances[distanceRoll], bearings[bearingRoll], frames - start + 1);
    }
}

// Ant models drawn so far: a solid ant has two toolkit spheres (its eyes), a wire ant five.
long modelsDrawn() {
    return gldouble::primitiveCount(Prim::SolidSphere) / 2 +
           gldouble::primitiveCount(Prim::WireSphere) / 5;
}

// Checks every frame's invariants; returns the ant models the frame drew.
long checkFrame(long modelsBefore) {
    EXPECT_EQ(rec().modelview.size(), 1u);
    EXPECT_EQ(rec().stackErrors, 0);
    EXPECT_EQ(rec().quadricsMade, rec().quadricsDeleted);
    EXPECT_TRUE(gldouble::isEnabled(GL_LIGHTING));
    long models = modelsDrawn() - modelsBefore;
    EXPECT_LE(models, 44);
    const bool onlyModelB = world.foragerWaitCount >= 1400 && models == 10;
    if (models > 0 && !onlyModelB) {
        EXPECT_TRUE(world.jawAngle >= 40 && world.jawAngle <= 85) << world.jawAngle;
        EXPECT_TRUE(world.antennaAngle >= -200 && world.antennaAngle <= -130);
        EXPECT_TRUE(world.legLiftAngle >= -5 && world.legLiftAngle <= 5);
        EXPECT_TRUE(world.legSwingAngle >= -28 && world.legSwingAngle <= 30);
    }
    return models;
}

TEST_F(Rounds, HundredRoundsKeepEveryInvariant) {
    std::set<float> distancesSeen, bearingsSeen;
    for (int round = 0; round < invariantRounds; ++round) {
        long roundFrames = 0;
        do {
            long models = modelsDrawn();
            frame();
            checkFrame(models);
            if (roundFrames++ == 0) {
                distancesSeen.insert(world.foodDistance);
                bearingsSeen.insert(world.foodBearing);
            }
            ASSERT_LT(roundFrames, 20000) << "round " << round << " does not end";
        } while (world.targetsChosen == 1);
    }
    if (invariantRounds == 100) {
        EXPECT_EQ(distancesSeen.size(), 9u); // rolls 5 and 6 share 55
        EXPECT_EQ(bearingsSeen.size(), 10u);
    }
}

// Random keys (all but Esc) and arrow keys between idle ticks and frames.
TEST_F(Rounds, RandomKeysKeepEveryInvariant) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> key(1, 255), arrow(GLUT_KEY_LEFT, GLUT_KEY_DOWN);
    for (long step = 0; step < 200000; ++step) {
        const int k = key(random);
        if (step % 8 == 0 && k != 27) {
            handleKey(static_cast<unsigned char>(k), 0, 0);
        } else if (step % 8 == 4) {
            handleSpecialKey(arrow(random), 0, 0);
        }
        rec().elapsedMs += 16;
        long models = modelsDrawn();
        frame();
        checkFrame(models);
    }
}

} // namespace
