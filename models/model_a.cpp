// The walking ant: articulated limbs posed by the gait oscillators, which it keeps in range.
#include "app/world_state.h"
#include "models/limbs.h"
#include "models/models.h"

#include <GL/gl.h>

// Range of each gait oscillator as drawn. At a bound the value is set to the bound and
// its direction flag turned, so that the clock, which only steps, swings it back.
constexpr int jawMin = 40, jawMax = 85;
constexpr int antennaMin = -200, antennaMax = -130;
constexpr int legLiftMin = -5, legLiftMax = 5;
constexpr int legSwingMin = -28, legSwingMax = 30;

// The antenna rotation of a motionless ant: the antennae's angle at rest.
constexpr float restAntennaAngle = -180;

// Fold-back beyond a bound (a value on the bound is left alone).
static void foldBeyond(int &angle, int &direction, int low, int high) {
    if (angle > high) {
        angle = high;
        direction = 1;
    }
    if (angle < low) {
        angle = low;
        direction = 0;
    }
}

// Fold-back of the leg lift, which turns at its bounds themselves.
static void foldLegLift() {
    if (world.legLiftAngle >= legLiftMax) {
        world.legLiftAngle = legLiftMax;
        world.legLiftDir = 1;
    }
    if (world.legLiftAngle <= legLiftMin) {
        world.legLiftAngle = legLiftMin;
        world.legLiftDir = 0;
    }
}

static void foldJaw() {
    foldBeyond(world.jawAngle, world.jawDir, jawMin, jawMax);
}
static void foldAntenna() {
    foldBeyond(world.antennaAngle, world.antennaDir, antennaMin, antennaMax);
}
static void foldLegSwing() {
    foldBeyond(world.legSwingAngle, world.legSwingDir, legSwingMin, legSwingMax);
}

static void applyLimbTransform(const LimbTransform &t, LimbPose pose) {
    bool walking = pose == LimbPose::Walking;
    switch (t.step) {
    case LimbStep::End:
        break;
    case LimbStep::RotX:
        glRotatef(t.x, 1, 0, 0);
        break;
    case LimbStep::RotY:
        glRotatef(t.x, 0, 1, 0);
        break;
    case LimbStep::RotZ:
        glRotatef(t.x, 0, 0, 1);
        break;
    case LimbStep::Move:
        glTranslatef(t.x, t.y, t.z);
        break;
    case LimbStep::Lift:
        if (walking) {
            glRotatef(t.x * static_cast<float>(world.legLiftAngle), 1, 0, 0);
        }
        break;
    case LimbStep::Swing:
        if (walking) {
            glRotatef(t.x * static_cast<float>(world.legSwingAngle), 1, 0, 0);
        }
        break;
    case LimbStep::Antenna:
        glRotatef(t.x * (walking ? static_cast<float>(world.antennaAngle) : restAntennaAngle), 0, 0,
                  1);
        break;
    }
}

void drawLimb(const LimbRod *rods, int count, LimbPose pose) {
    glPushMatrix();
    for (int r = 0; r < count; ++r) {
        const LimbRod &rod = rods[r];
        glPushMatrix();
        for (int i = 0; i < maxLimbTransforms && rod.sequence[i].step != LimbStep::End; ++i) {
            applyLimbTransform(rod.sequence[i], pose);
        }
        drawRod(rod.edge, rod.stretch);
        glPopMatrix();
    }
    glPopMatrix();
}

void drawLeftAntenna() {
    foldAntenna();
    drawLimb(leftAntennaRods, antennaRods, LimbPose::Walking);
}

void drawRightAntenna() {
    foldAntenna();
    drawLimb(rightAntennaRods, antennaRods, LimbPose::Walking);
}

void drawRightFrontLeg() {
    foldLegLift();
    foldLegSwing();
    drawLimb(rightFrontLegRods, legRods, LimbPose::Walking);
}

void drawLeftFrontLeg() {
    foldLegLift();
    foldLegSwing();
    drawLimb(leftFrontLegRods, legRods, LimbPose::Walking);
}

// The middle legs use the leg swing as the front legs have already folded it.
void drawLeftMiddleLeg() {
    foldLegLift();
    drawLimb(leftMiddleLegRods, legRods, LimbPose::Walking);
}

void drawRightMiddleLeg() {
    foldLegLift();
    drawLimb(rightMiddleLegRods, legRods, LimbPose::Walking);
}

void drawLeftHindLeg() {
    foldLegSwing();
    drawLimb(leftHindLegRods, legRods, LimbPose::Walking);
}

void drawRightHindLeg() {
    foldLegSwing();
    drawLimb(rightHindLegRods, legRods, LimbPose::Walking);
}

// One mandible in front of the head; a walking ant turns it by the jaw angle, mirrored.
static void drawPlacedMandible(float side, LimbPose pose) {
    glPushMatrix();
    glTranslatef(side * mandibleOffsetX, mandibleOffsetY, 0);
    glScalef(1, mandibleStretchY, 1);
    if (pose == LimbPose::Walking) {
        glRotatef(side * static_cast<float>(world.jawAngle), 0, 0, 1);
    }
    drawMandible();
    glPopMatrix();
}

void assembleAnt(const AntLimbRoutines &limbs, LimbPose pose) {
    glShadeModel(world.flatShading == 0 ? GL_SMOOTH : GL_FLAT);
    glPushMatrix();
    drawHead();
    drawPlacedMandible(leftSide, pose);
    drawPlacedMandible(rightSide, pose);
    drawLeftEye();
    drawRightEye();
    for (auto drawAntenna : limbs.antennae) {
        drawAntenna();
    }
    drawThorax();
    for (auto drawLeg : limbs.frontAndMiddleLegs) {
        drawLeg();
    }
    drawAbdomen();
    for (auto drawLeg : limbs.hindLegs) {
        drawLeg();
    }
    glPopMatrix();
}

constexpr AntLimbRoutines walkingLimbs = {
    {drawLeftAntenna, drawRightAntenna},
    {drawRightFrontLeg, drawLeftFrontLeg, drawLeftMiddleLeg, drawRightMiddleLeg},
    {drawLeftHindLeg, drawRightHindLeg},
};

void drawAntModelA() {
    // The mandibles are the first to use the jaw angle; nothing drawn before reads it.
    foldJaw();
    assembleAnt(walkingLimbs, LimbPose::Walking);
}
