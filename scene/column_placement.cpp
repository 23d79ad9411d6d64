// The scout and the carrier column in their three copies, with the relay between them.
#include "app/world_state.h"
#include "models/models.h"
#include "scene/copies.h"
#include "scene/scene.h"
#include "troupes/troupes.h"

// The scout's centre copy swings toward the food's bearing once it is this close.
constexpr float bearingSwingReach = 40;
constexpr float bearingSwingStep = 0.125f;
// The scout's phase in its nest, and once it has handed over to the column.
constexpr int inNestPhase = 4;
constexpr int handedOverPhase = 5;
// The last phase in which a column ant is drawn, and carrier 5's dwell count after it.
constexpr float lastDrawnPhase = 3;
constexpr float dwellStart = 4;

static void swingScoutBearing() {
    if (world.foodDistance - world.scoutPos <= bearingSwingReach &&
        world.scoutBearing < world.foodBearing) {
        world.scoutBearing += bearingSwingStep;
    }
    if (world.scoutBearing >= world.foodBearing) {
        world.scoutBearing = world.foodBearing;
    }
}

// After its nest stay the scout hands over to the carrier column.
static void handOverToColumn() {
    if (world.waitCount == scoutNestStayEnd && world.scoutPhase == inNestPhase) {
        world.carrier1Loaded = 0;
        world.waitCount = 0;
        world.scoutPhase = handedOverPhase;
    }
}

void placeScout() {
    swingScoutBearing();
    for (const CopyPlacement &copy : scoutCopies) {
        enterCopy(copy);
        moveScout();
        bindCopySkin(copy);
        if (world.scoutPhase <= lastDrawnPhase) {
            drawAntModelA();
        }
        handOverToColumn();
        leaveCopy();
    }
}

// Sets the carriers back to the start of a trip; the scout stays handed over.
static void resetColumn() {
    world.carrier1Pos = world.carrier2Pos = world.carrier3Pos = -0.5f;
    world.carrier4Pos = world.carrier5Pos = 0;
    world.carrier1Phase = world.carrier2Phase = world.carrier3Phase = 0;
    world.carrier4Phase = world.carrier5Phase = 0;
    world.carrier1Heading = world.carrier2Heading = world.carrier3Heading = 0;
    world.carrier4Heading = world.carrier5Heading = 0;
    world.carrier1Loaded = world.carrier2Loaded = world.carrier3Loaded = 0;
    world.carrier4Loaded = world.carrier5Loaded = 0;
    world.waitCount = 0;
    world.antsHalted = 0;
    world.carrier2Released = world.carrier3Released = 0;
    world.carrier4Released = world.carrier5Released = 0;
}

// Carrier 5, once home, counts its phase on to 30; the first time it gets there the
// column sets out on its second trip.
static void dwellLastCarrier(bool centreCopy) {
    if (world.carrier5Phase >= dwellStart && world.carrier5Phase < dwellEnd) {
        world.carrier5Phase += 1;
    } else if (centreCopy && world.carrier5Phase == dwellEnd && world.porterDelay < 1) {
        world.porterDelay += 1;
        resetColumn();
    }
}

// Carrier 1 runs once the scout has handed over; every other carrier once it is released.
static bool carrierRuns(const ColumnCarrier &carrier) {
    return carrier.released == nullptr ? world.scoutPhase == handedOverPhase
                                       : world.*carrier.released == 1;
}

void placeCarriers() {
    for (const ColumnCarrier &carrier : columnCarriers) {
        for (const CopyPlacement &copy : columnCopies) {
            if (!carrierRuns(carrier)) {
                continue;
            }
            enterCopy(copy);
            carrier.move();
            bindCopySkin(copy);
            if (world.*carrier.phase <= lastDrawnPhase) {
                drawAntModelA();
            } else if (carrier.dwells) {
                dwellLastCarrier(isCentreCopy(copy));
            }
            leaveCopy();
        }
    }
}
