// The display routine: one whole frame of the world, scenery first, then every ant group.
#include "app/world_state.h"
#include "render/render.h"
#include "scene/scene.h"
#include "troupes/troupes.h"

#include <GL/freeglut.h>

// The camera: a fixed offset from the centre nest, then the user's pan, zoom and turns.
constexpr float cameraOffset[3] = {-20, -20, -400};

// The wooden ground disk, just below the ants' feet.
constexpr float groundZ = -0.67f;
constexpr double groundRadius = 200;
constexpr int groundSlices = 20;
constexpr int groundLoops = 4;

// The nests: ellipsoids made from one sphere. The centre nest is moved inside its scale
// (its centre lies at z = -4); the side nests are scaled where they stand.
constexpr double nestRadius = 1.2;
constexpr float centreNestScale[3] = {8, 5, 4};
constexpr float centreNestOffset[3] = {0, 0, -1};
constexpr float sideNestScale[3] = {12.5f, 4, 2};
constexpr float sideNestY = 148;
constexpr float sideNestZ = -1;

// The food pile: `foodBeyond` past the food distance, long across the bearing line.
constexpr double foodBeyond = 3.8;
constexpr float foodHeight = 0.2f;
constexpr double foodRadius = 0.9;
constexpr int bitesToShrink = 2;
// The pile's copies at the side nests lie this far along x in their rotated frame.
constexpr float sideCopyX = -150;

static void applyCamera() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(cameraOffset[0], cameraOffset[1], cameraOffset[2]);
    glTranslatef(world.cameraPanX, world.cameraPanY, world.cameraZoom);
    glRotatef(world.cameraPitch, 1, 0, 0);
    glRotatef(world.cameraYaw, 0, 1, 0);
}

// The ground disk; the frame's quadric is made here and returned.
static GLUquadric *drawGround() {
    beginUnlit();
    glTranslatef(0, 0, groundZ);
    GLUquadric *quadric = newTexturedQuadric();
    glBindTexture(GL_TEXTURE_2D, world.texWood);
    if (quadric != nullptr) {
        gluDisk(quadric, 0, groundRadius, groundSlices, groundLoops);
    }
    endUnlit();
    return quadric;
}

static void drawCentreNest(GLUquadric *quadric) {
    beginUnlit();
    glScalef(centreNestScale[0], centreNestScale[1], centreNestScale[2]);
    glTranslatef(centreNestOffset[0], centreNestOffset[1], centreNestOffset[2]);
    glBindTexture(GL_TEXTURE_2D, world.texHole);
    drawSceneSphere(quadric, nestRadius);
    endUnlit();
}

static void drawSideNest(GLUquadric *quadric, float y) {
    beginUnlit();
    glTranslatef(0, y, sideNestZ);
    glScalef(sideNestScale[0], sideNestScale[1], sideNestScale[2]);
    glBindTexture(GL_TEXTURE_2D, world.texHole);
    drawSceneSphere(quadric, nestRadius);
    endUnlit();
}

// The food pile, or one of its copies, under a rotation about z and at offset x.
static void drawFoodPile(GLUquadric *quadric, float rotation, float x) {
    beginUnlit();
    glRotatef(rotation, 0, 0, 1);
    glTranslatef(x, static_cast<float>(-(world.foodDistance + foodBeyond)), foodHeight);
    glScalef(foodStretchX, 1, 1);
    glBindTexture(GL_TEXTURE_2D, world.texCandy);
    drawSceneSphere(quadric, world.foodBites < bitesToShrink ? foodRadius : bittenFoodRadius);
    endUnlit();
}

void displayScene() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (world.targetsChosen == 0) {
        chooseTargets();
    }
    applyCamera();
    GLUquadric *quadric = drawGround();
    drawCentreNest(quadric);
    drawSideNest(quadric, -sideNestY);
    drawSideNest(quadric, sideNestY);
    if (world.foodLifted == 0) {
        drawFoodPile(quadric, world.foodBearing, 0);
    }
    drawSideFood(quadric);
    if (world.foodLifted == 0) {
        drawFoodPile(quadric, world.sideNestBearing, sideCopyX);
        drawFoodPile(quadric, -world.sideNestBearing, sideCopyX);
    }
    placeScout();
    placeCarriers();
    placePorters();
    endRoundIfOver();
    placeForagers();
    placePatrolAnts();
    deleteQuadric(quadric);
    if (world.host.frameDrawn != nullptr) {
        world.host.frameDrawn();
    }
    glutSwapBuffers();
}
