// The patrol ants' shared mover: one lap out and back, a quarter turn, ten units on.
#include "app/world_state.h"
#include "troupes/troupes.h"

#include <GL/gl.h>

constexpr double walkStep = 0.01;
constexpr float turnStep = 0.25f;
// The far end of the lap, tested in double precision; the way home starts from its float.
constexpr double lapEnd = 44.7;
constexpr float homewardStart = -44.7f;
constexpr float halfTurnEnd = 180, halfTurnGuard = 181;
constexpr float fullTurnEnd = 360, fullTurnGuard = 361;
constexpr float quarterTurnEnd = 90, quarterTurnGuard = 91;
// After the lap and the quarter turn the ants walk on to the first position past this.
constexpr float lastWalk = 10;

enum PatrolPhase { patrolOut = 0, patrolHome = 1, patrolTurningHome = 2 };

static void walk() {
    world.patrolPos = static_cast<float>(static_cast<double>(world.patrolPos) + walkStep);
}

static bool turnTo(float end, float guard) {
    if (world.patrolHeading < guard) {
        world.patrolHeading += turnStep;
    }
    return world.patrolHeading == end;
}

// The first lap: out, a half turn, home, a second half turn; halted ants stand still.
static void stepFirstLap() {
    if (world.antsHalted == 1 || world.animationRunning != 1) {
        return;
    }
    if (world.patrolPhase == patrolOut && world.patrolPos < lapEnd) {
        walk();
    }
    if (world.patrolPhase == patrolOut && world.patrolPos >= lapEnd &&
        turnTo(halfTurnEnd, halfTurnGuard)) {
        world.patrolPhase = patrolHome;
        world.patrolPos = homewardStart;
    }
    if (world.patrolPhase == patrolHome && world.patrolPos < 0) {
        walk();
        if (world.patrolPos >= 0) {
            world.patrolPhase = patrolTurningHome;
        }
    }
    if (world.patrolPhase == patrolTurningHome && world.patrolPos >= 0 &&
        turnTo(fullTurnEnd, fullTurnGuard)) {
        world.patrolPhase = patrolOut;
        world.patrolPos = 0;
        world.patrolHeading = 0;
        world.patrolLap += 1;
    }
}

// After the lap: a quarter turn to the left and the last ten units, halted or not.
static void stepAfterLap() {
    if (world.animationRunning != 1) {
        return;
    }
    if (world.patrolPhase == patrolOut && world.patrolPos >= 0 &&
        turnTo(quarterTurnEnd, quarterTurnGuard)) {
        world.patrolPhase = patrolHome;
        world.patrolPos = 0;
    }
    if (world.patrolPhase == patrolHome && world.patrolPos <= lastWalk) {
        walk();
    }
}

void movePatrolAnt() {
    if (world.patrolLap < 1) {
        stepFirstLap();
    }
    if (world.patrolLap >= 1) {
        stepAfterLap();
    }
    if (world.patrolLap == 0 && world.patrolPhase == patrolOut) {
        glTranslatef(0, -world.patrolPos, 0);
    } else if (world.patrolLap == 0 && world.patrolPhase == patrolHome) {
        glTranslatef(0, world.patrolPos, 0);
    } else if (world.patrolLap == 1 && world.patrolPhase == patrolHome) {
        glTranslatef(world.patrolPos, 0, 0);
    }
    glRotatef(world.patrolHeading, 0, 0, 1);
}
