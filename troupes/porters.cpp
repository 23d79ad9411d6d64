// The two food porters: out around the food pile and home with it between them.
#include "app/world_state.h"
#include "render/render.h"
#include "troupes/troupes.h"

constexpr double walkStep = 0.025;
constexpr float turnStep = 0.375f;
// The porters part two units to either side of the food and walk on 5.3 units past it.
constexpr float sideStep = 2;
constexpr double pastFood = 5.3;
// The carried pile is drawn from 3.3 past the food home to the start point.
constexpr double carriedFrom = 3.3;
// The homeward leg ends at the first position in (0, 0.1].
constexpr double homeReached = 0.1;
// In the dive the porters move forward and down until past 2 units.
constexpr float diveDepth = 2;
// The carried pile: between the porters, 1.7 ahead.
constexpr float pileAheadX = 1.9f;
constexpr float pileAheadY = -1.7f;

// Turn ends and their guards: out at the food, back to face out, inward behind the pile,
// home-facing, and the dive's pitch.
constexpr Turn outwardTurn = {90, 91};
constexpr Turn forwardTurn = {0, -1};
constexpr Turn inwardTurn = {-90, -91};
constexpr Turn homewardTurn = {-180, -181};
constexpr Turn diveTurn = {90, 91};
constexpr float diveFacing = 180;

// The path state of one porter; `side` is +1 for the right porter, -1 for the left.
struct Porter {
    float &phase;
    float &pos;
    float &heading;
    float side;
};

static void stepPorter(const Porter &p) {
    const double beyondFood = static_cast<double>(world.foodDistance) + pastFood;
    if (p.phase == 0) {
        if (world.antsHalted != 1 && animationRuns() && p.pos < world.foodDistance) {
            walk(p.pos, walkStep);
        }
        if (animationRuns() && p.pos >= world.foodDistance &&
            turnTo(p.heading, turnStep, outwardTurn)) {
            p.phase = 1;
            p.pos = 0;
        }
    }
    if (p.phase == 1 && animationRuns() &&
        walkThenTurn(p.pos, sideStep, walkStep, p.heading, turnStep, forwardTurn)) {
        p.pos = world.foodDistance;
        p.phase = 2;
    }
    if (p.phase == 2 && animationRuns() &&
        walkThenTurn(p.pos, beyondFood, walkStep, p.heading, turnStep, inwardTurn)) {
        p.phase = 3;
        p.pos = sideStep;
    }
    if (p.phase == 3 && animationRuns() &&
        walkThenTurn(p.pos, 0, -walkStep, p.heading, turnStep, homewardTurn)) {
        p.phase = 4;
        p.pos = static_cast<float>(-beyondFood);
    }
    if (p.phase == 4 && animationRuns() && p.pos < 0) {
        walk(p.pos, walkStep);
        if (p.pos > 0 && p.pos <= homeReached) {
            p.heading = 0;
            p.phase = 5;
            p.pos = 0;
        }
    } else if (p.phase == 5 && animationRuns() && p.pos >= 0) {
        // The porter sinks while it tips, until the tip is done or it is deep enough.
        if (p.heading < diveTurn.guard && p.pos < diveDepth) {
            walk(p.pos, walkStep);
        }
        if (turnTo(p.heading, turnStep, diveTurn)) {
            p.phase = 6;
        }
    }
}

// Multiplies in the porter's placement; the left porter mirrors the right one in x.
static void placePorter(const Porter &p) {
    const float beyondFood = static_cast<float>(-(world.foodDistance + pastFood));
    if (p.phase == 0) {
        glTranslatef(0, -p.pos, 0);
    } else if (p.phase == 1) {
        glTranslatef(p.side * p.pos, -world.foodDistance, 0);
    } else if (p.phase == 2) {
        glTranslatef(p.side * sideStep, -p.pos, 0);
    } else if (p.phase == 3) {
        glTranslatef(p.side * p.pos, beyondFood, 0);
    } else if (p.phase == 4) {
        glTranslatef(0, p.pos, 0);
    } else if (p.phase == 5) {
        glTranslatef(0, p.pos, -p.pos);
    }
    if (p.phase == 5) {
        glRotatef(diveFacing, 0, 0, 1);
        glRotatef(p.heading, 1, 0, 0);
    } else {
        glRotatef(p.side * p.heading, 0, 0, 1);
    }
}

void moveRightPorter() {
    Porter right{world.rightPorterPhase, world.rightPorterPos, world.rightPorterHeading, 1};
    stepPorter(right);
    placePorter(right);
    const double carriedSince = -(static_cast<double>(world.foodDistance) + carriedFrom);
    if (right.phase == 4 && carriedSince <= right.pos && right.pos <= 0) {
        world.foodLifted = 1;
        drawCarriedCandy(pileAheadX, pileAheadY, foodStretchX, 1, bittenFoodRadius);
    }
}

void moveLeftPorter() {
    Porter left{world.leftPorterPhase, world.leftPorterPos, world.leftPorterHeading, -1};
    stepPorter(left);
    placePorter(left);
}
