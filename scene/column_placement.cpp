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

// Sets the carriers, their relay and the shared wait back to their initial values for
// another trip; the scout stays handed over.
static void resetColumn() {
    const WorldState initial{};
    for (const ColumnCarrier &carrier : columnCarriers) {
        world.*carrier.pos = initial.*carrier.pos;
        world.*carrier.phase = initial.*carrier.phase;
        world.*carrier.heading = initial.*carrier.heading;
        world.*carrier.loaded = initial.*carrier.loaded;
        if (carrier.released != nullptr) {
            world.*carrier.released = initial.*carrier.released;
        }
    }
    world.waitCount = initial.waitCount;
    world.antsHalted = initial.antsHalted;
}

// The dwelling carrier (carrier 5), once home, counts its phase on to 30; the first time it
// gets there the column sets out on its second trip.
static void dwell(const ColumnCarrier &carrier, bool centreCopy) {
    float &phase = world.*carrier.phase;
    if (phase >= dwellStart && phase < dwellEnd) {
        phase += 1;
    } else if (centreCopy && phase == dwellEnd && world.porterDelay < 1) {
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
                dwell(carrier, isCentreCopy(copy));
            }
            leaveCopy();
        }
    }
}
