// Limb tables of the ant models: every antenna and leg rod with its transform sequence.
#pragma once

// One transform of a rod's sequence, applied in table order. A rotation's angle is in x;
// an oscillator rotation turns by the oscillator's value times the sign in x.
enum class LimbStep {
    End,     // the sequence ends (the value of every unused entry)
    RotX,    // rotation about +x by x degrees
    RotY,    // rotation about +y by x degrees
    RotZ,    // rotation about +z by x degrees
    Move,    // translation by (x, y, z)
    Lift,    // rotation about +x by sign x times legLiftAngle
    Swing,   // rotation about +x by sign x times legSwingAngle
    Antenna, // rotation about +z by sign x times antennaAngle
};

struct LimbTransform {
    LimbStep step;
    float x, y, z;
};

// A rod of a limb: a cube of edge `edge` stretched along its own y axis, placed by its
// transform sequence.
constexpr int maxLimbTransforms = 6;
struct LimbRod {
    float edge;    // cube edge
    float stretch; // scale along the rod's own y axis
    LimbTransform sequence[maxLimbTransforms];
};

constexpr LimbTransform rotX(float a) {
    return {LimbStep::RotX, a, 0, 0};
}
constexpr LimbTransform rotY(float a) {
    return {LimbStep::RotY, a, 0, 0};
}
constexpr LimbTransform rotZ(float a) {
    return {LimbStep::RotZ, a, 0, 0};
}
constexpr LimbTransform move(float x, float y, float z) {
    return {LimbStep::Move, x, y, z};
}
constexpr LimbTransform lift(float sign) {
    return {LimbStep::Lift, sign, 0, 0};
}
constexpr LimbTransform swing(float sign) {
    return {LimbStep::Swing, sign, 0, 0};
}
constexpr LimbTransform antenna(float sign) {
    return {LimbStep::Antenna, sign, 0, 0};
}

// Rods per limb.
constexpr int antennaRods = 2;
constexpr int legRods = 3;

// clang-format off
// Each rod: edge, stretch, {transform sequence}.
// Antennae: inner segment from the head forward and outward, outer segment from its tip.
inline constexpr LimbRod leftAntennaRods[antennaRods] = {
    {0.05f, 20, {rotZ(30), move(-0.45f, -1.2f, 0.15f)}},
    {0.05f, 15, {rotZ(30), move(-0.45f, -1.7f, 0.15f), antenna(1), move(0, 0.3f, 0)}},
};
inline constexpr LimbRod rightAntennaRods[antennaRods] = {
    {0.05f, 20, {rotZ(-30), move(0.45f, -1.2f, 0.15f)}},
    {0.05f, 15, {rotZ(-30), move(0.45f, -1.7f, 0.15f), antenna(-1), move(0, 0.3f, 0)}},
};

// Legs: inner, middle and outer segment, each placed from the leg's entry matrix.
inline constexpr LimbRod rightFrontLegRods[legRods] = {
    {0.09f, 7, {rotZ(-40), move(0.1f, -0.7f, 0)}},
    {0.09f, 7, {rotX(9), move(-0.59f, -1.1f, 0.12f), lift(1)}},
    {0.08f, 11, {rotX(30), rotZ(-40), move(0.35f, -1.35f, 0.6f), swing(1), move(0, -0.3f, 0)}},
};
inline constexpr LimbRod leftFrontLegRods[legRods] = {
    {0.09f, 7, {rotZ(40), move(-0.1f, -0.7f, 0)}},
    {0.09f, 7, {rotX(9), move(0.59f, -1.1f, 0.12f), lift(-1)}},
    {0.08f, 11, {rotX(30), rotZ(40), move(-0.35f, -1.35f, 0.6f), swing(-1), move(0, -0.3f, 0)}},
};
inline constexpr LimbRod leftMiddleLegRods[legRods] = {
    {0.09f, 7, {move(0.4f, -0.15f, 0), rotZ(80)}},
    {0.09f, 7, {move(0.87f, -0.022f, -0.1f), rotZ(-50), rotY(-180), rotX(20), lift(-1)}},
    {0.09f, 8, {move(1.07f, 0.2f, -0.23f), rotZ(-20), rotY(-180), rotX(28), swing(-1), move(0, 0.3f, 0)}},
};
inline constexpr LimbRod rightMiddleLegRods[legRods] = {
    {0.09f, 7, {move(-0.4f, -0.15f, 0), rotZ(-80)}},
    {0.09f, 7, {move(-0.87f, -0.022f, -0.1f), rotZ(50), rotY(-180), rotX(20), lift(1)}},
    {0.09f, 8, {move(-1.07f, 0.2f, -0.23f), rotZ(20), rotY(-180), rotX(28), swing(1), move(0, 0.3f, 0)}},
};
inline constexpr LimbRod leftHindLegRods[legRods] = {
    {0.09f, 7, {move(0.35f, 0.1f, 0), rotZ(-60)}},
    {0.09f, 12, {move(0.65f, 0.7f, -0.17f), rotZ(-10), rotX(-20)}},
    {0.08f, 6, {move(0.65f, 1.1f, -0.32f), rotX(-20), rotZ(-50), swing(1), move(0, 0.3f, 0)}},
};
inline constexpr LimbRod rightHindLegRods[legRods] = {
    {0.09f, 7, {move(-0.35f, 0.1f, 0), rotZ(60)}},
    {0.09f, 12, {move(-0.65f, 0.7f, -0.17f), rotZ(10), rotX(-20)}},
    {0.08f, 6, {move(-0.65f, 1.1f, -0.32f), rotX(-20), rotZ(50), swing(-1), move(0, 0.3f, 0)}},
};
// clang-format on

// How a limb's oscillator steps are drawn.
enum class LimbPose {
    Walking,   // each oscillator rotation turns by the oscillator's current value
    Motionless // leg oscillator rotations are left out; the antenna stands at its rest angle
};

// Draws the rods of one limb, each inside its own matrix bracket.
void drawLimb(const LimbRod *rods, int count, LimbPose pose);

// Mandible placement in front of the head, stretched along the model's y axis.
constexpr float mandibleOffsetX = 0.04f;
constexpr float mandibleOffsetY = -1.25f;
constexpr float mandibleStretchY = 1.4f;

// Sides of the model: the left side is +x.
constexpr float leftSide = 1;
constexpr float rightSide = -1;

// The limb routines of one ant model, in drawing order.
struct AntLimbRoutines {
    void (*antennae[2])();           // left, right
    void (*frontAndMiddleLegs[4])(); // right front, left front, left middle, right middle
    void (*hindLegs[2])();           // left hind, right hind
};

// Assembles a whole ant in the model frame from the shared body parts and the given limbs,
// its mandibles posed as `pose` says; sets the shade model from the flat-shading toggle.
void assembleAnt(const AntLimbRoutines &limbs, LimbPose pose);
