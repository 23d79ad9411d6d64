// Whole rounds, the first five's figures pinned, then under random keys; every frame's invariants.
#include "world_fixture.h"
#include <GL/freeglut.h>
#include <cstdio>
#include <random>

namespace {
// The first five rounds of an unseeded run, one tick per frame after `s`: the frame the porters
// lift the pile in, the frames from the first to the reset.
constexpr long firstRounds[5][2] = {
    {9800, 10724}, {7660, 8304}, {9800, 10724}, {7155, 7746}, {7048, 7625}};
#if defined(__SANITIZE_ADDRESS__)
constexpr int pinnedRounds = 2, keyedRounds = 1; // sanitizers run about ten times slower
#else
constexpr int pinnedRounds = 5, keyedRounds = 4;
#endif
constexpr int turnOverWait = 1400; // forager pause after which the patrol ants lie still
// Jaw, antenna, leg lift and leg swing as every walking ant draws them: lowest, highest.
constexpr int gaitRanges[4][2] = {{40, 85}, {-200, -130}, {-5, 5}, {-28, 30}};

std::array<int, 4> gait(const WorldState &w) {
    return {w.jawAngle, w.antennaAngle, w.legLiftAngle, w.legSwingAngle};
}
// Ant models drawn so far: a solid ant has two toolkit spheres (its eyes), a wire ant five.
long modelsDrawn() {
    return recorder.counts[int(Prim::SolidSphere)] / 2 + recorder.counts[int(Prim::WireSphere)] / 5;
}
// The fields a reset keeps: camera, window, texture names.
auto kept(WorldState &w) {
    return std::tie(w.cameraPanX, w.cameraPanY, w.cameraZoom, w.cameraPitch, w.cameraYaw,
                    w.windowed, w.texFire2, w.texCandy, w.texWood, w.texFire, w.texHole, w.texYant);
}

struct Rounds : World {
    long frames = 0;                                         // of the current round
    std::array<int, 4> low = gait(WorldState{}), high = low; // gait angles seen drawn

    // Plays one frame and checks every invariant; returns the state before it.
    WorldState play(bool logged = false) {
        WorldState before = world, fresh;
        const long models = modelsDrawn();
        frame(logged);
        ++frames;
        EXPECT_EQ(std::make_tuple(recorder.modelview.size(), recorder.stackErrors,
                                  recorder.quadricsMade - recorder.quadricsDeleted,
                                  recorder.lighting),
                  std::make_tuple(1u, 0L, 0L, true)); // stack balanced, quadrics gone, lights on
        const long drawn = modelsDrawn() - models;
        for (int i = 0; i < 4 && (drawn > 10 || world.foragerWaitCount < turnOverWait); ++i) {
            const int angle = gait(world)[i]; // some walking ant was drawn
            EXPECT_TRUE(gaitRanges[i][0] <= angle && angle <= gaitRanges[i][1]) << angle;
            low[i] = std::min(low[i], angle), high[i] = std::max(high[i], angle);
        }
        if (before.targetsChosen == 1 && world.targetsChosen == 0) { // all fresh but the kept
            kept(fresh) = kept(before);
            EXPECT_TRUE(same(world, fresh)) << "a field not reset or kept";
        }
        return before;
    }
};

TEST_F(Rounds, FirstRoundsKeepTheirFiguresAndEveryRoundTheInvariants) {
    world.cameraPanX = 3, world.cameraZoom = -5, world.windowed = 1; // kept through every reset
    handleKey('s', 0, 0);
    for (int round = 0; round < pinnedRounds; ++round) {
        const long *figures = firstRounds[round];
        for (frames = 0; (frames == 0 || world.targetsChosen == 1) && frames < 20000;) {
            // Every 25th porter frame is logged: they mirror each other across the food's line.
            const bool logged =
                world.rightPorterPos != 0 && world.leftPorterPhase < 5 && frames % 25 == 0;
            const WorldState before = play(logged);
            const double ux = std::sin(world.foodBearing * degrees); // the food's direction
            const double uy = -std::cos(world.foodBearing * degrees);
            // While carrier 1 waits at the food the foragers, patrol and legs stand.
            if (before.antsHalted == 1 && world.antsHalted == 1 && before.carrier1Phase == 0 &&
                before.carrier1Pos >= world.foodDistance) {
                EXPECT_EQ(std::tie(world.patrolPos, world.foragerPos, world.legSwingAngle),
                          std::tie(before.patrolPos, before.foragerPos, before.legSwingAngle));
            }
            if (before.foodLifted == 0 && world.foodLifted == 1) {
                EXPECT_EQ(frames, figures[0]) << "the porters lift the pile";
            }
            if (logged) {
                const std::vector<Vec> heads = spheres(headRadius, world.texFire2); // right, left
                const double across = 2 * (heads.at(0)[0] * ux + heads.at(0)[1] * uy);
                const Vec mirror = {across * ux - heads[0][0], across * uy - heads[0][1], 0};
                EXPECT_LT(distance(mirror, heads.at(1)), 1e-3);
                const Vec &r = heads[0], &l = heads[1], // pile: 0.7 homeward of the heads' middle
                    pile = {(r[0] + l[0]) / 2 - 0.7 * ux, (r[1] + l[1]) / 2 - 0.7 * uy, 0};
                if (before.foodLifted == 1 && world.rightPorterPhase == 4) {
                    EXPECT_LT(distance(spheres(0.79, world.texCandy).at(0), pile), 1e-3);
                }
            }
        }
        EXPECT_EQ(frames, figures[1]);
        std::printf("round %d: %ld frames\n", round + 1, frames);
    }
    // Random keys (all but Esc) and arrows between frames; a stopped animation is started again.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> key(1, 255), arrow(GLUT_KEY_LEFT, GLUT_KEY_DOWN);
    for (int round = 0; round < keyedRounds; ++round) {
        for (frames = 0; (frames == 0 || world.targetsChosen == 1) && frames < 40000;) {
            const int k = frames % 8 == 0 ? key(random) : 27;
            if (k != 27) {
                handleKey(static_cast<unsigned char>(k), 0, 0);
            }
            if (frames % 8 == 4) {
                handleSpecialKey(arrow(random), 0, 0);
            }
            while (recorder.idle == nullptr) {
                handleKey('s', 0, 0);
            }
            recorder.elapsedMs += 16;
            play();
        }
        EXPECT_LT(frames, 40000) << "keyed round " << round + 1 << " does not end";
    }
    for (int i = 0; i < 4; ++i) { // every gait angle swings over its whole range
        EXPECT_EQ(std::tie(low[i], high[i]), std::tie(gaitRanges[i][0], gaitRanges[i][1]));
    }
}
} // namespace
