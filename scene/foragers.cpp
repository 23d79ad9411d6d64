// The side-nest foragers: ten food pieces between the nests and the ten ants that fetch them.
#include "app/world_state.h"
#include "models/models.h"
#include "render/render.h"
#include "scene/scene.h"
#include "troupes/troupes.h"

// Food pieces on the ground: across the line of nests at these x, `pieceBeyond` past the
// side food distance from the centre, on both sides of the centre nest.
constexpr float pieceXs[5] = {0, 5, -5, -10, 10};
constexpr float pieceSideTurns[2] = {0, 180};
constexpr double pieceBeyond = 4.7;
constexpr float pieceZ = -0.6f;
constexpr double pieceRadius = 0.3;
// A carried piece sits this far nestward of its forager's origin.
constexpr float carriedPieceOffset = 1.3f;

// Nest points of the ten foragers, in drawing order; those of the nest at -148 are turned
// round so that every forager walks along its own -y toward the centre nest.
struct ForagerStart {
    float x, y;
};
constexpr ForagerStart foragerStarts[10] = {
    {0, -148}, {0, 148},   {-5, -148}, {-5, 148},   {5, -148},
    {5, 148},  {10, -148}, {10, 148},  {-10, -148}, {-10, 148},
};

// The trip: out to the halfway point, pause, on past the food, turn, home.
constexpr float halfwayPoint = 50;
constexpr double outboundStep = 1.0 / 230;
constexpr double onwardStep = 1.0 / 60;
constexpr float turnStep = 0.25f;
constexpr Turn homeTurn = {180, 181};
constexpr int beyondFood = 25;
constexpr float homePoint = 1;

enum ForagerPhase { outbound = 0, homebound = 1, home = 2 };

void drawSideFood(GLUquadric *quadric) {
    if (world.sideFoodTaken != 0) {
        return;
    }
    for (float turn : pieceSideTurns) {
        for (float x : pieceXs) {
            glPushMatrix();
            if (turn != 0) {
                glRotatef(turn, 0, 0, 1);
            }
            glTranslatef(x, static_cast<float>(-(world.sideFoodDistance + pieceBeyond)), pieceZ);
            glBindTexture(GL_TEXTURE_2D, world.texCandy);
            drawSceneSphere(quadric, pieceRadius);
            glPopMatrix();
        }
    }
}

// One step of the foragers' shared trip; nothing moves while halted or not running.
static void stepForagers() {
    if (world.antsHalted == 1 || !animationRuns()) {
        return;
    }
    const int turnPoint = world.sideFoodDistance + beyondFood;
    const bool paused = world.foragerWaitCount < world.foragerWaitLength;
    if (world.foragerPos < halfwayPoint && world.foragerPhase == outbound) {
        walk(world.foragerPos, outboundStep);
    }
    if (world.foragerPos >= halfwayPoint && world.foragerPhase == outbound && paused) {
        world.foragerPos = halfwayPoint;
        world.foragerWaitCount += 1;
    } else if (world.foragerPhase == outbound && !paused && world.foragerPos < turnPoint) {
        walk(world.foragerPos, onwardStep);
    }
    const bool waited = world.foragerWaitCount >= world.foragerWaitLength;
    if (world.foragerPos >= turnPoint && world.foragerPhase == outbound && waited &&
        turnTo(world.foragerHeading, turnStep, homeTurn)) {
        world.foragerPhase = homebound;
        world.foragerPos = static_cast<float>(turnPoint);
        world.sideFoodTaken = 1;
    }
    if (world.foragerPhase == homebound && waited && world.foragerPos > homePoint) {
        walk(world.foragerPos, -onwardStep);
        if (world.foragerPos <= homePoint) {
            world.foragerPhase = home;
            world.foragerPos = homePoint;
        }
    }
}

void moveForager() {
    stepForagers();
    if (world.sideFoodTaken == 1 && world.foragerPhase < home) {
        glPushMatrix();
        glTranslatef(0, carriedPieceOffset, 0);
        glTranslatef(0, -world.foragerPos, 0);
        GLUquadric *quadric = newTexturedQuadric();
        glBindTexture(GL_TEXTURE_2D, world.texCandy);
        drawSceneSphere(quadric, pieceRadius);
        deleteQuadric(quadric);
        glPopMatrix();
    }
    glTranslatef(0, -world.foragerPos, 0);
    glRotatef(world.foragerHeading, 0, 0, 1);
}

void placeForagers() {
    for (const ForagerStart &start : foragerStarts) {
        glPushMatrix();
        glTranslatef(start.x, start.y, 0);
        if (start.y < 0) {
            glRotatef(-180, 0, 0, 1);
        }
        moveForager();
        glBindTexture(GL_TEXTURE_2D, world.texYant);
        if (world.foragerPhase < home) {
            drawAntModelA();
        }
        glPopMatrix();
    }
}
