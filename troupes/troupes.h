// Routines of the ant troupes: the movers, their shared step helpers and the carried food.
#pragma once

#include "app/world_state.h"

void moveScout();       // the scout: out, wait, across, home, into the nest, nest stay
void moveCarrier1();    // carrier 1, which also marks the column started and releases carrier 2
void moveCarrier2();    // carrier 2, releasing carrier 3
void moveCarrier3();    // carrier 3, releasing carrier 4
void moveCarrier4();    // carrier 4, releasing carrier 5
void moveCarrier5();    // carrier 5, which counts the bites taken from the food pile
void moveRightPorter(); // right porter, which carries the food pile home
void moveLeftPorter();  // left porter, whose end ends the round
void movePatrolAnt();   // shared mover of the ten patrol ants

// How one troupe of the column walks, turns, pitches and carries (kept beside its movers).
struct ColumnRules;
// One carrier of the column: its mover, its path state as fields of `world`, its place in
// the relay and its rules.
struct ColumnCarrier {
    void (*move)();
    float WorldState::*phase;   // 0 to 4; the last carrier counts on to 30 once home
    float WorldState::*pos;     // path coordinate, meaning depends on the phase
    float WorldState::*heading; // heading about z; pitch in phase 3
    int WorldState::*loaded;    // 1 while it carries its crumb
    int WorldState::*released;  // lets it run; null: it runs once the scout has handed over
    int WorldState::*releases;  // set 15 units out, for the carrier behind it; null: none
    bool dwells;                // counts its phase on once home, then sends the column out again
    const ColumnRules *rules;
};
constexpr int columnCarrierCount = 5;
// The phase at which the dwelling carrier's count stops, and the porters wait for.
constexpr float dwellEnd = 30;
// The scout hands over to the column when its stay in the nest has counted this far.
constexpr int scoutNestStayEnd = 80;
// Carriers 1 to 5 in drawing order, one row each.
extern const ColumnCarrier columnCarriers[columnCarrierCount];

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
// One call of a leg that ends in a turn: a walk by `step` while short of `limit` (beyond it,
// for a negative step), else a call of the turn; true once the turn has ended.
bool walkThenTurn(float &pos, double limit, double step, float &heading, float turnStep,
                  const Turn &turn);

// The food pile lies stretched along x; once bitten it is smaller, and so the porters carry it.
constexpr float foodStretchX = 3;
constexpr double bittenFoodRadius = 0.79;

// Food held by an ant: a candy sphere of `radius` under the stretch (stretchX, stretchY, 1),
// drawn unlit at (aheadX, aheadY) in the ant's frame with its own quadric.
void drawCarriedCandy(float aheadX, float aheadY, float stretchX, float stretchY, double radius);
