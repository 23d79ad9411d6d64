// The ten patrol ants in two rows beside the centre nest, turned over late in the round.
#include "app/world_state.h"
#include "models/models.h"
#include "scene/scene.h"
#include "troupes/troupes.h"

#include <GL/gl.h>

// Start points in drawing order; the row at -85 walks out toward -x, the row at +85 to +x.
struct PatrolStart {
    float x, y;
};
constexpr PatrolStart patrolStarts[10] = {
    {0, -85}, {0, 85},   {5, -85}, {5, 85},    {-5, -85},
    {-5, 85}, {10, -85}, {10, 85}, {-10, -85}, {-10, 85},
};
constexpr float rowTurn = 90;

// Once the foragers have paused this long the patrol ants lie on their backs, path and all:
// lowered a little and turned half over and ten degrees more.
constexpr int turnOverCount = 1400;
constexpr float turnedOverDrop = -0.68f;
constexpr float turnedOverAngle = -190;

void placePatrolAnts() {
    const bool turnedOver = world.foragerWaitCount >= turnOverCount;
    for (const PatrolStart &start : patrolStarts) {
        glPushMatrix();
        glTranslatef(start.x, start.y, 0);
        glRotatef(start.y < 0 ? -rowTurn : rowTurn, 0, 0, 1);
        if (turnedOver) {
            glTranslatef(0, 0, turnedOverDrop);
            glRotatef(turnedOverAngle, 1, 0, 0);
        }
        movePatrolAnt();
        glBindTexture(GL_TEXTURE_2D, world.texFire);
        if (turnedOver) {
            drawAntModelB();
        } else {
            drawAntModelA();
        }
        glPopMatrix();
    }
}
