// The patrol ants' shared mover: one lap out and back, a quarter turn, ten units on.
#include "app/world_state.h"
#include "troupes/troupes.h"

#include <GL/gl.h>

constexpr double walkStep = 0.01;
constexpr float turnStep = 0.25f;
// The far end of the lap, tested in double precision; the way home starts from its float.
constexpr double lapEnd = 44.7;
constexpr float homewardStart = -44.7f;
constexpr Turn halfTurn = {180, 181};
constexpr Turn fullTurn = {360, 361};
constexpr Turn quarterTurn = {90, 91};
// After the lap and the quarter turn the ants walk on to the first position past this.
constexpr float lastWalk = 10;

enum PatrolPhase { patrolOut = 0, patrolHome = 1, patrolTurningHome = 2 };

// One call of the turn that ends `phase` once the ants are `from` or further along; true when
// this call ends it.
static bool patrolTurnEnds(PatrolPhase phase, double from, const Turn &turn) {
    return world.patrolPhase == phase && world.patrolPos >= from &&
           turnTo(world.patrolHeading, turnStep, turn);
}

// The first lap: out, a half turn, home, a second half turn; halted ants stand still.
static void stepFirstLap() {
    if (world.antsHalted == 1 || !animationRuns()) {
        return;
    }
    if (world.patrolPhase == patrolOut && world.patrolPos < lapEnd) {
        walk(world.patrolPos, walkStep);
    }
    if (patrolTurnEnds(patrolOut, lapEnd, halfTurn)) {
        world.patrolPhase = patrolHome;
        world.patrolPos = homewardStart;
    }
    if (world.patrolPhase == patrolHome && world.patrolPos < 0) {
        walk(world.patrolPos, walkStep);
        if (world.patrolPos >= 0) {
            world.patrolPhase = patrolTurningHome;
        }
    }
    if (patrolTurnEnds(patrolTurningHome, 0, fullTurn)) {
        world.patrolPhase = patrolOut;
        world.patrolPos = 0;
        world.patrolHeading = 0;
        world.patrolLap += 1;
    }
}

// After the lap: a quarter turn to the left and the last ten units, halted or not.
static void stepAfterLap() {
    if (!animationRuns()) {
        return;
    }
    if (patrolTurnEnds(patrolOut, 0, quarterTurn)) {
        world.patrolPhase = patrolHome;
        world.patrolPos = 0;
    }
    if (world.patrolPhase == patrolHome && world.patrolPos <= lastWalk) {
        walk(world.patrolPos, walkStep);
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
