// Routines of the scene director: the frame, targets, placements, relay and round reset.
#pragma once

#include <GL/glu.h>

// The three copies of a troupe (enterCopy ... leaveCopy, isCentreCopy, bindCopySkin) are
// listed with their tables in scene/copies.h.

// Display callback: draws one whole frame and swaps buffers.
void displayScene();
// Rolls this round's food distance and bearing, side-nest bearing and forager pause.
void chooseTargets();
// Ten candy pieces on the ground between the nests, while the foragers have not taken them.
void drawSideFood(GLUquadric *quadric);
// The scout's bearing swing, its three copies and its hand-off to the carrier column.
void placeScout();
// The carriers' copies with carrier 5's dwell count and the column's second trip.
void placeCarriers();
// The porters' delay count and their three copies.
void placePorters();
// Ends the round once the left porter has finished.
void endRoundIfOver();
// Puts every animation field back to its initial value.
void resetWorld();
// The ten side-nest foragers.
void placeForagers();
// Shared mover of the ten foragers: one step, the carried piece, the placement.
void moveForager();
// The ten patrol ants, turned over onto their backs late in the round.
void placePatrolAnts();
