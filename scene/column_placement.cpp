// The scout and the carrier column in their three copies, with the relay between them.
#include "app/world_state.h"
#include "models/models.h"
#include "scene/copies.h"
#include "scene/scene.h"
#include "troupes/troupes.h"

#include <GL/gl.h>

// The scout's centre copy swings toward the food's bearing once it is this close.
constexpr float bearingSwingReach = 40;
constexpr float bearingSwingStep = 0.125f;
// The scout's stay in the nest ends when the shared count reaches this.
constexpr int nestStayEnd = 80;
constexpr int handedOverPhase = 5;
// The last phase in which a column ant is drawn, and carrier 5's dwell count after it.
constexpr float lastDrawnPhase = 3;
constexpr float dwellStart = 4;
constexpr float dwellEnd = 30;

static void rotateToCopy(const CopyPlacement &copy) {
    float bearing = 0;
    switch (copy.bearing) {
    case CopyBearing::Scout:
        bearing = world.scoutBearing;
        break;
    case CopyBearing::Food:
        bearing = world.foodBearing;
        break;
    case CopyBearing::SideNest:
        bearing = world.sideNestBearing;
        break;
    case CopyBearing::OppositeSideNest:
        bearing = -world.sideNestBearing;
        break;
    }
    glRotatef(bearing, 0, 0, 1);
}

void enterCopy(const CopyPlacement &copy) {
    glPushMatrix();
    rotateToCopy(copy);
    glTranslatef(copy.nestX, copy.startY, 0);
}

void enterPorterCopy(const CopyPlacement &copy, float side) {
    glPushMatrix();
    rotateToCopy(copy);
    if (copy.nestX != 0) {
        glTranslatef(copy.nestX, 0, 0);
    }
    glTranslatef(side * porterSideOffset, copy.startY, 0);
}

bool isCentreCopy(const CopyPlacement &copy) {
    return copy.bearing == CopyBearing::Scout || copy.bearing == CopyBearing::Food;
}

void bindCopySkin(const CopyPlacement &copy) {
    GLuint skin = world.texYant;
    if (copy.skin == CopySkin::Scout) {
        skin = world.texFire;
    } else if (copy.skin == CopySkin::Column) {
        skin = world.texFire2;
    }
    glBindTexture(GL_TEXTURE_2D, skin);
}

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
    if (world.waitCount == nestStayEnd && world.scoutPhase == 4) {
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
        glPopMatrix();
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
            glPopMatrix();
        }
    }
}
