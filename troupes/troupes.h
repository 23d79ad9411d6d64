// Routines of the ant troupes: the movers, their shared step helpers and the carried food.
#pragma once

void moveScout();       // the scout: out, wait, across, home, into the nest, nest stay
void moveCarrier1();    // carrier 1, which also marks the column started and releases carrier 2
void moveCarrier2();    // carrier 2, releasing carrier 3
void moveCarrier3();    // carrier 3, releasing carrier 4
void moveCarrier4();    // carrier 4, releasing carrier 5
void moveCarrier5();    // carrier 5, which counts the bites taken from the food pile
void moveRightPorter(); // right porter, which carries the food pile home
void moveLeftPorter();  // left porter, whose end ends the round
void movePatrolAnt();   // shared mover of the ten patrol ants

// Step helpers shared by every mover and the short walk.
// The end of a turn, and the guard beyond it that no step passes (a whole degree further).
struct Turn {
    float end;
    float guard;
};
// Whether the continuous animation runs: movers take their steps only then.
bool animationRuns();
// Walks a path coordinate by `step`, added in double precision and stored back as a float.
void walk(float &pos, double step);
// One call of a turn: `step` toward `turn.end`, up or down, unless the heading is at the
// guard; true once the heading is exactly at the end (turning steps are binary fractions).
bool turnTo(float &heading, float step, const Turn &turn);

// Food held by an ant: a candy sphere of `radius` under the stretch (stretchX, stretchY, 1),
// drawn unlit at (aheadX, aheadY) in the ant's frame with its own quadric.
void drawCarriedCandy(float aheadX, float aheadY, float stretchX, float stretchY, double radius);
