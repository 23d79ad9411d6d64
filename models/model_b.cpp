// The motionless ant: the walking ant's body with every joint held still.
#include "models/limbs.h"
#include "models/models.h"

#include <GL/gl.h>

void drawLeftAntennaB() {
    drawLimb(leftAntennaRods, antennaRods, LimbPose::Motionless);
}
void drawRightAntennaB() {
    drawLimb(rightAntennaRods, antennaRods, LimbPose::Motionless);
}
void drawRightFrontLegB() {
    drawLimb(rightFrontLegRods, legRods, LimbPose::Motionless);
}
void drawLeftFrontLegB() {
    drawLimb(leftFrontLegRods, legRods, LimbPose::Motionless);
}
void drawLeftMiddleLegB() {
    drawLimb(leftMiddleLegRods, legRods, LimbPose::Motionless);
}
void drawRightMiddleLegB() {
    drawLimb(rightMiddleLegRods, legRods, LimbPose::Motionless);
}
void drawLeftHindLegB() {
    drawLimb(leftHindLegRods, legRods, LimbPose::Motionless);
}
void drawRightHindLegB() {
    drawLimb(rightHindLegRods, legRods, LimbPose::Motionless);
}

constexpr AntLimbRoutines motionlessLimbs = {
    {drawLeftAntennaB, drawRightAntennaB},
    {drawRightFrontLegB, drawLeftFrontLegB, drawLeftMiddleLegB, drawRightMiddleLegB},
    {drawLeftHindLegB, drawRightHindLegB},
};

void drawAntModelB() {
    assembleAnt(motionlessLimbs, LimbPose::Motionless);
}
