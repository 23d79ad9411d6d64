// The three copies of every troupe: one at the centre nest, one at each side nest.
#pragma once

// Which rotation about the centre nest carries a copy to its place.
enum class CopyBearing {
    Scout,           // the scout's centre copy: the scout's swinging bearing
    Food,            // the other centre copies: the food's bearing
    SideNest,        // side copy A: the side-nest bearing
    OppositeSideNest // side copy B: the side-nest bearing negated
};

// Which skin a copy's ant wears.
enum class CopySkin {
    Scout,   // the scout at the centre nest
    Column,  // carriers and porters at the centre nest
    SideNest // every troupe at the side nests
};

// Where a copy starts in its rotated frame: (nestX, startY), the troupe walking out along -y.
struct CopyPlacement {
    CopyBearing bearing;
    float nestX;
    float startY;
    CopySkin skin;
};

inline constexpr CopyPlacement scoutCopies[3] = {
    {CopyBearing::Scout, 0, -2, CopySkin::Scout},
    {CopyBearing::SideNest, -148, -2, CopySkin::SideNest},
    {CopyBearing::OppositeSideNest, -148, -2, CopySkin::SideNest},
};
// Carriers and porters; a porter walks 1.9 to its own side of the copy's start point.
inline constexpr CopyPlacement columnCopies[3] = {
    {CopyBearing::Food, 0, -2, CopySkin::Column},
    {CopyBearing::SideNest, -150, -2, CopySkin::SideNest},
    {CopyBearing::OppositeSideNest, -150, -2, CopySkin::SideNest},
};
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
