// Movers of the ant troupes: each call steps the troupe, places it and draws its load.
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

// Food held by an ant: a candy sphere of `radius` under the stretch (stretchX, stretchY, 1),
// drawn unlit at (aheadX, aheadY) in the ant's frame with its own quadric.
void drawCarriedCandy(float aheadX, float aheadY, float stretchX, float stretchY, double radius);
