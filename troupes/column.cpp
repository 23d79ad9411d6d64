// The scout and the five carriers: one walking machine with per-troupe steps and duties.
#include "app/world_state.h"
#include "render/render.h"
#include "troupes/troupes.h"

// The route in the troupe frame: out along -y to the food, three units across to the
// return lane, home past the start point, then across toward the nest tipping nose down.
constexpr float returnLaneX = 3;
constexpr float pastStart = -1.5f;
constexpr float nestLaneY = 1.6f;
constexpr float nestFacing = 270;
// Headings that end the three quarter turns, and the guards that stop each turn.
constexpr Turn firstTurn = {90, 91};
constexpr Turn secondTurn = {180, 181};
constexpr Turn thirdTurn = {270, 271};
// The wait at the food: calls counted with the others halted, and the count that ends it.
constexpr int lastWaitingCount = 30;
constexpr int waitOverCount = 31;
// The scout's stay in the nest counts on to one past the end of the stay.
constexpr int nestStayGuard = scoutNestStayEnd + 1;
// A carrier this far out releases the next one.
constexpr float releaseDistance = 15;

// A crumb is drawn unlit 1.3 units ahead of the ant: a candy sphere under a stretch.
constexpr float crumbAhead = -1.3f;
constexpr double crumbRadius = 0.05;

// How one troupe of the column walks, turns, pitches and carries.
struct ColumnRules {
    double walkStep;      // per call, added in double precision
    float turnStep;       // per call in the three turns (an exact binary fraction)
    float pitchStep;      // per call while tipping into the nest
    bool haltsOthers;     // sets antsHalted while it counts its wait at the food
    bool stopsWhenHalted; // skips its step stage while antsHalted is 1
    bool countsBites;     // counts foodBites on each turning call at the food
    bool staysInNest;     // the scout: counts its nest stay in phase 4
    bool leads;           // carrier 1: marks the column started, releases again after each step out
    float crumbScale[2];  // crumb stretch across and along the ant
};

// clang-format off
//                                         walk      turn    pitch   halts  stops  bites  nest   leads  crumb
constexpr ColumnRules scoutRules       = {1.0 / 60, 0.25f,  0.25f,  true,  false, false, true,  false, {1, 3}};
constexpr ColumnRules leadCarrierRules = {0.025,    0.375f, 0.625f, true,  false, false, false, true,  {2, 10}};
constexpr ColumnRules carrierRules     = {0.025,    0.375f, 0.625f, true,  true,  false, false, false, {2, 10}};
constexpr ColumnRules lastCarrierRules = {0.025,    0.375f, 0.625f, false, true,  true,  false, false, {2, 10}};
// clang-format on

// The five carriers in drawing order. Carrier 1 runs once the scout has handed over; each
// carrier 15 units out releases the one behind it. Only carrier 5 dwells once home.
constexpr ColumnCarrier columnCarriers[columnCarrierCount] = {
    {moveCarrier1, &WorldState::carrier1Phase, &WorldState::carrier1Pos,
     &WorldState::carrier1Heading, &WorldState::carrier1Loaded, nullptr,
     &WorldState::carrier2Released, false, &leadCarrierRules},
    {moveCarrier2, &WorldState::carrier2Phase, &WorldState::carrier2Pos,
     &WorldState::carrier2Heading, &WorldState::carrier2Loaded, &WorldState::carrier2Released,
     &WorldState::carrier3Released, false, &carrierRules},
    {moveCarrier3, &WorldState::carrier3Phase, &WorldState::carrier3Pos,
     &WorldState::carrier3Heading, &WorldState::carrier3Loaded, &WorldState::carrier3Released,
     &WorldState::carrier4Released, false, &carrierRules},
    {moveCarrier4, &WorldState::carrier4Phase, &WorldState::carrier4Pos,
     &WorldState::carrier4Heading, &WorldState::carrier4Loaded, &WorldState::carrier4Released,
     &WorldState::carrier5Released, false, &carrierRules},
    {moveCarrier5, &WorldState::carrier5Phase, &WorldState::carrier5Pos,
     &WorldState::carrier5Heading, &WorldState::carrier5Loaded, &WorldState::carrier5Released,
     nullptr, true, &lastCarrierRules},
};

// The path state of one troupe. The scout keeps its phase in an int, the carriers in floats.
// `nextReleased` is the release flag of the carrier behind it, null for the scout and carrier 5.
template <typename Phase> struct ColumnAnt {
    Phase &phase;
    float &pos;
    float &heading;
    int &crumb;
    int *nextReleased;
};

// A carrier far enough out releases the one behind it.
template <typename Phase> static void releaseNext(const ColumnAnt<Phase> &ant) {
    if (ant.nextReleased != nullptr && ant.pos >= releaseDistance) {
        *ant.nextReleased = 1;
    }
}

// One call's step stage. Each phase's stage sees the phase that the stage before left.
template <typename Phase>
static void stepColumnAnt(const ColumnAnt<Phase> &ant, const ColumnRules &rules) {
    if (ant.phase == 0) {
        if (animationRuns() && ant.pos < world.foodDistance) {
            walk(ant.pos, rules.walkStep);
            if (rules.leads) {
                releaseNext(ant);
            }
        } else if (animationRuns()) {
            if (world.waitCount <= lastWaitingCount) {
                world.antsHalted = rules.haltsOthers ? 1 : 0;
                world.waitCount += 1;
            }
            if (world.waitCount == waitOverCount) {
                world.antsHalted = 0;
                ant.crumb = 1;
                if (rules.countsBites) {
                    world.foodBites += 1;
                }
                if (turnTo(ant.heading, rules.turnStep, firstTurn)) {
                    ant.pos = 0;
                    ant.phase = 1;
                }
            }
        }
    }
    if (ant.phase == 1 && animationRuns() &&
        walkThenTurn(ant.pos, returnLaneX, rules.walkStep, ant.heading, rules.turnStep,
                     secondTurn)) {
        ant.pos = world.foodDistance;
        ant.phase = 2;
    }
    if (ant.phase == 2 && animationRuns() &&
        walkThenTurn(ant.pos, pastStart, -rules.walkStep, ant.heading, rules.turnStep, thirdTurn)) {
        ant.pos = returnLaneX;
        ant.phase = 3;
        ant.heading = 0;
    }
    if (ant.phase == 3 && animationRuns() && ant.pos > 0) {
        world.waitCount = 0;
        walk(ant.pos, -rules.walkStep);
        ant.heading += rules.pitchStep;
        if (ant.pos <= 0) {
            ant.phase = 4;
        }
    }
    if (ant.phase == 4 && rules.staysInNest && world.waitCount < nestStayGuard) {
        world.waitCount += 1;
    }
}

// Multiplies in the troupe's placement for its phase and draws its crumb.
template <typename Phase>
static void placeColumnAnt(const ColumnAnt<Phase> &ant, const ColumnRules &rules) {
    if (ant.phase == 0) {
        glTranslatef(0, -ant.pos, 0);
    } else if (ant.phase == 1) {
        glTranslatef(ant.pos, -world.foodDistance, 0);
    } else if (ant.phase == 2) {
        glTranslatef(returnLaneX, -ant.pos, 0);
    } else if (ant.phase == 3) {
        glTranslatef(ant.pos, nestLaneY, 0);
        glRotatef(nestFacing, 0, 0, 1);
    }
    if (ant.phase == 3) {
        glRotatef(ant.heading, 1, 0, 0);
    } else {
        glRotatef(ant.heading, 0, 0, 1);
    }
    if (ant.crumb == 1 && ant.phase <= 3) {
        drawCarriedCandy(0, crumbAhead, rules.crumbScale[0], rules.crumbScale[1], crumbRadius);
    }
}

template <typename Phase>
static void moveColumnAnt(const ColumnAnt<Phase> &ant, const ColumnRules &rules) {
    if (rules.leads) {
        world.columnStarted = 1;
    }
    releaseNext(ant);
    if (!(rules.stopsWhenHalted && world.antsHalted == 1)) {
        stepColumnAnt(ant, rules);
    }
    placeColumnAnt(ant, rules);
}

void drawCarriedCandy(float aheadX, float aheadY, float stretchX, float stretchY, double radius) {
    beginUnlit();
    glTranslatef(aheadX, aheadY, 0);
    GLUquadric *quadric = newTexturedQuadric();
    glBindTexture(GL_TEXTURE_2D, world.texCandy);
    glScalef(stretchX, stretchY, 1);
    drawSceneSphere(quadric, radius);
    deleteQuadric(quadric);
    endUnlit();
}

static void moveCarrier(const ColumnCarrier &carrier) {
    int *nextReleased = carrier.releases == nullptr ? nullptr : &(world.*carrier.releases);
    moveColumnAnt(ColumnAnt<float>{world.*carrier.phase, world.*carrier.pos, world.*carrier.heading,
                                   world.*carrier.loaded, nextReleased},
                  *carrier.rules);
}

void moveScout() {
    moveColumnAnt(ColumnAnt<int>{world.scoutPhase, world.scoutPos, world.scoutHeading,
                                 world.carrier1Loaded, nullptr},
                  scoutRules);
}

void moveCarrier1() {
    moveCarrier(columnCarriers[0]);
}

void moveCarrier2() {
    moveCarrier(columnCarriers[1]);
}

void moveCarrier3() {
    moveCarrier(columnCarriers[2]);
}

void moveCarrier4() {
    moveCarrier(columnCarriers[3]);
}

void moveCarrier5() {
    moveCarrier(columnCarriers[4]);
}
