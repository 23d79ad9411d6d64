// The motionless ant: the walking ant's body with every joint held still.
#include "models/limbs.h"
#include "models/models.h"

#include <GL/gl.h>

void drawLeftAntennaB() {
    drawLimb(leftAntennaRods, 2, LimbPose::Motionless);
}
void drawRightAntennaB() {
    drawLimb(rightAntennaRods, 2, LimbPose::Motionless);
}
void drawRightFrontLegB() {
    drawLimb(rightFrontLegRods, 3, LimbPose::Motionless);
}
void drawLeftFrontLegB() {
    drawLimb(leftFrontLegRods, 3, LimbPose::Motionless);
}
void drawLeftMiddleLegB() {
    drawLimb(leftMiddleLegRods, 3, LimbPose::Motionless);
}
void drawRightMiddleLegB() {
    drawLimb(rightMiddleLegRods, 3, LimbPose::Motionless);
}
void drawLeftHindLegB() {
    drawLimb(leftHindLegRods, 3, LimbPose::Motionless);
}
void drawRightHindLegB() {
    drawLimb(rightHindLegRods, 3, LimbPose::Motionless);
}

constexpr AntLimbRoutines motionlessLimbs = {
    {drawLeftAntennaB, drawRightAntennaB},
    {drawRightFrontLegB, drawLeftFrontLegB, drawLeftMiddleLegB, drawRightMiddleLegB},
    {drawLeftHindLegB, drawRightHindLegB},
};

void drawAntModelB() {
    assembleAnt(motionlessLimbs, LimbPose::Motionless);
}
