// The three copies of every troupe: one at the centre nest, one at each side nest.
#pragma once

#include "app/world_state.h"

// A copy turns about the centre nest by `bearingSign` times one of the world's bearings, then
// starts at (nestX, startY) in that frame, the troupe walking out along -y; its ants wear the
// texture `skin`. The centre copy is the one with nestX 0.
struct CopyPlacement {
    float WorldState::*bearing;
    float bearingSign;
    float nestX;
    float startY;
    GLuint WorldState::*skin;
};

// clang-format off
// Rows: bearing, its sign, nestX, startY, skin; the centre copy first.
inline constexpr CopyPlacement scoutCopies[3] = {
    {&WorldState::scoutBearing,    1,  0,    -2, &WorldState::texFire},
    {&WorldState::sideNestBearing, 1,  -148, -2, &WorldState::texYant},
    {&WorldState::sideNestBearing, -1, -148, -2, &WorldState::texYant},
};
// Carriers and porters; a porter walks 1.9 to its own side of the copy's start point.
inline constexpr CopyPlacement columnCopies[3] = {
    {&WorldState::foodBearing,     1,  0,    -2, &WorldState::texFire2},
    {&WorldState::sideNestBearing, 1,  -150, -2, &WorldState::texYant},
    {&WorldState::sideNestBearing, -1, -150, -2, &WorldState::texYant},
};
// clang-format on
constexpr float porterSideOffset = 1.9f;

// Pushes the matrix, turns to the copy's bearing and moves to its start point.
void enterCopy(const CopyPlacement &copy);
// The same for a porter on `side` (+1 right, -1 left): to the nest, then to its own side.
void enterPorterCopy(const CopyPlacement &copy, float side);
// Closes the bracket that enterCopy or enterPorterCopy opened: pops the matrix.
void leaveCopy();
// Whether the copy is the one at the centre nest.
bool isCentreCopy(const CopyPlacement &copy);
// Binds the texture of the copy's ant.
void bindCopySkin(const CopyPlacement &copy);
