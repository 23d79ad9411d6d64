// Limb tables of the ant models: every antenna and leg rod with its transform sequence.
#pragma once

// One transform of a rod's sequence, applied in table order. A rotation's angle is in x;
// an oscillator rotation turns by the oscillator's value times the sign in x.
enum class LimbStep {
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

// A rod of a limb: its transform sequence, then a cube of edge `edge` stretched along y.
struct LimbRod {
    LimbTransform sequence[6];
    int length;    // transforms used in `sequence`
    float edge;    // cube edge
    float stretch; // scale along the rod's own y axis
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

// Antennae: inner segment from the head forward and outward, outer segment from its tip.
inline constexpr LimbRod leftAntennaRods[2] = {
    {{rotZ(30), move(-0.45f, -1.2f, 0.15f)}, 2, 0.05f, 20},
    {{rotZ(30), move(-0.45f, -1.7f, 0.15f), antenna(1), move(0, 0.3f, 0)}, 4, 0.05f, 15},
};
inline constexpr LimbRod rightAntennaRods[2] = {
    {{rotZ(-30), move(0.45f, -1.2f, 0.15f)}, 2, 0.05f, 20},
    {{rotZ(-30), move(0.45f, -1.7f, 0.15f), antenna(-1), move(0, 0.3f, 0)}, 4, 0.05f, 15},
};

// Legs: inner, middle and outer segment, each placed from the leg's entry matrix.
inline constexpr LimbRod rightFrontLegRods[3] = {
    {{rotZ(-40), move(0.1f, -0.7f, 0)}, 2, 0.09f, 7},
    {{rotX(9), move(-0.59f, -1.1f, 0.12f), lift(1)}, 3, 0.09f, 7},
    {{rotX(30), rotZ(-40), move(0.35f, -1.35f, 0.6f), swing(1), move(0, -0.3f, 0)}, 5, 0.08f, 11},
};
inline constexpr LimbRod leftFrontLegRods[3] = {
    {{rotZ(40), move(-0.1f, -0.7f, 0)}, 2, 0.09f, 7},
    {{rotX(9), move(0.59f, -1.1f, 0.12f), lift(-1)}, 3, 0.09f, 7},
    {{rotX(30), rotZ(40), move(-0.35f, -1.35f, 0.6f), swing(-1), move(0, -0.3f, 0)}, 5, 0.08f, 11},
};
inline constexpr LimbRod leftMiddleLegRods[3] = {
    {{move(0.4f, -0.15f, 0), rotZ(80)}, 2, 0.09f, 7},
    {{move(0.87f, -0.022f, -0.1f), rotZ(-50), rotY(-180), rotX(20), lift(-1)}, 5, 0.09f, 7},
    {{move(1.07f, 0.2f, -0.23f), rotZ(-20), rotY(-180), rotX(28), swing(-1), move(0, 0.3f, 0)},
     6,
     0.09f,
     8},
};
inline constexpr LimbRod rightMiddleLegRods[3] = {
    {{move(-0.4f, -0.15f, 0), rotZ(-80)}, 2, 0.09f, 7},
    {{move(-0.87f, -0.022f, -0.1f), rotZ(50), rotY(-180), rotX(20), lift(1)}, 5, 0.09f, 7},
    {{move(-1.07f, 0.2f, -0.23f), rotZ(20), rotY(-180), rotX(28), swing(1), move(0, 0.3f, 0)},
     6,
     0.09f,
     8},
};
inline constexpr LimbRod leftHindLegRods[3] = {
    {{move(0.35f, 0.1f, 0), rotZ(-60)}, 2, 0.09f, 7},
    {{move(0.65f, 0.7f, -0.17f), rotZ(-10), rotX(-20)}, 3, 0.09f, 12},
    {{move(0.65f, 1.1f, -0.32f), rotX(-20), rotZ(-50), swing(1), move(0, 0.3f, 0)}, 5, 0.08f, 6},
};
inline constexpr LimbRod rightHindLegRods[3] = {
    {{move(-0.35f, 0.1f, 0), rotZ(60)}, 2, 0.09f, 7},
    {{move(-0.65f, 0.7f, -0.17f), rotZ(10), rotX(-20)}, 3, 0.09f, 12},
    {{move(-0.65f, 1.1f, -0.32f), rotX(-20), rotZ(50), swing(-1), move(0, 0.3f, 0)}, 5, 0.08f, 6},
};

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
