// Routines of the articulated ant models and their body parts.
#pragma once

// Shared rigid parts, each in the model frame (ant faces -y, back +z, left side +x).
void drawHead();
void drawMandible();
void drawLeftEye();
void drawRightEye();
void drawThorax();
void drawAbdomen();
// A rod: cube of edge e stretched k times along its own y axis, solid or wire.
void drawRod(float edge, float stretch);

// Walking ant (model A): reads and folds back the gait oscillators.
void drawAntModelA();
void drawLeftAntenna();
void drawRightAntenna();
void drawRightFrontLeg();
void drawLeftFrontLeg();
void drawLeftMiddleLeg();
void drawRightMiddleLeg();
void drawLeftHindLeg();
void drawRightHindLeg();

// Motionless ant (model B): the same ant with every joint at rest.
void drawAntModelB();
void drawLeftAntennaB();
void drawRightAntennaB();
void drawRightFrontLegB();
void drawLeftFrontLegB();
void drawLeftMiddleLegB();
void drawRightMiddleLegB();
void drawLeftHindLegB();
void drawRightHindLegB();
