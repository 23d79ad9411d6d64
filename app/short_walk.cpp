// The short walk: a key-framed antenna and leg gait of 1.3 seconds on the elapsed time.
#include "app/app.h"
#include "app/world_state.h"
#include "troupes/troupes.h"

#include <GL/freeglut.h>

// One key of a track: a joint angle at a time since the walk began.
struct KeyFrame {
    float time;  // seconds since the walk began
    float value; // joint angle, degrees
};

constexpr KeyFrame shortWalkAntennaKeys[] = {
    {0.0f, -200}, {0.1f, -170}, {0.2f, -160}, {0.3f, -150}, {0.4f, -140},
    {0.5f, -130}, {0.6f, -120}, {0.7f, -130}, {0.8f, -140}, {0.9f, -150},
    {1.0f, -160}, {1.1f, -170}, {1.2f, -180}, {1.3f, -200},
};
constexpr KeyFrame shortWalkLegKeys[] = {
    {0.0f, 0},  {0.1f, 10}, {0.2f, 20}, {0.3f, 28}, {0.4f, 20}, {0.5f, 10}, {0.6f, 0},
    {0.7f, 10}, {0.8f, 20}, {0.9f, 28}, {1.0f, 20}, {1.1f, 10}, {1.2f, 0},  {1.3f, 10},
};
constexpr int shortWalkAntennaKeyCount = 14;
constexpr int shortWalkLegKeyCount = 14;
static_assert(sizeof shortWalkAntennaKeys / sizeof(KeyFrame) == shortWalkAntennaKeyCount);
static_assert(sizeof shortWalkLegKeys / sizeof(KeyFrame) == shortWalkLegKeyCount);

// How far the walkers go per tick.
constexpr double scoutWalkStep = 1.0 / 600;
constexpr double patrolWalkStep = 0.01;
constexpr double foragerWalkStep = 1.0 / 230;

// The track's value at time t (t below the last key), interpolated in float between the
// last key strictly before t and the key after it, truncated toward zero. Before the
// first key the track holds the first key's value.
static int trackValue(const KeyFrame *keys, int count, float t) {
    int i = count - 1;
    while (i >= 0 && !(keys[i].time < t)) {
        --i;
    }
    if (i < 0) {
        return static_cast<int>(keys[0].value);
    }
    float fraction = (t - keys[i].time) / (keys[i + 1].time - keys[i].time);
    float value = keys[i].value + fraction * (keys[i + 1].value - keys[i].value);
    return static_cast<int>(value);
}

// Sets one joint from its track; returns whether the walk has passed the track's end.
static bool playTrack(const KeyFrame *keys, int count, float t, int &angle) {
    if (t >= keys[count - 1].time) {
        angle = static_cast<int>(keys[count - 1].value);
        return true;
    }
    angle = trackValue(keys, count, t);
    return false;
}

// The short walk may run only early in a round: patrol ants walking out and near their
// nest, the scout less than 30 units along, the carrier column not yet started.
bool shortWalkAllowed() {
    return world.carrier1Phase == 0 && world.patrolPhase == 0 && world.scoutPos < 30 &&
           world.patrolPos < 30 && world.columnStarted == 0;
}

void tickShortWalk() {
    if (shortWalkAllowed()) {
        walk(world.scoutPos, scoutWalkStep);
        walk(world.patrolPos, patrolWalkStep);
        walk(world.foragerPos, foragerWalkStep);
        float t = glutGet(GLUT_ELAPSED_TIME) / millisecondsPerSecond - world.shortWalkStartTime;
        if (playTrack(shortWalkAntennaKeys, shortWalkAntennaKeyCount, t, world.antennaAngle)) {
            glutIdleFunc(nullptr);
        }
        playTrack(shortWalkLegKeys, shortWalkLegKeyCount, t, world.legSwingAngle);
    }
    glutPostRedisplay();
}
