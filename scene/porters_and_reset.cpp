// The porters' start after the column's second trip, and the reset that ends a round.
#include "app/world_state.h"
#include "models/models.h"
#include "scene/copies.h"
#include "scene/scene.h"
#include "troupes/troupes.h"

// The porters set out this many frames' count after carrier 5's second dwell.
constexpr int porterStart = 30;
// A porter past its dive is no longer moved or drawn.
constexpr float lastPorterPhase = 5;

// One porter of a pair: its side and its mover.
struct PorterSide {
    float side;
    const float *phase;
    void (*move)();
};

void placePorters() {
    if (world.porterDelay >= 1 && world.porterDelay < porterStart &&
        world.carrier5Phase == dwellEnd) {
        world.porterDelay += 1;
    }
    if (world.porterDelay != porterStart || world.carrier5Phase != dwellEnd) {
        return;
    }
    const PorterSide pair[2] = {
        {1, &world.rightPorterPhase, moveRightPorter},
        {-1, &world.leftPorterPhase, moveLeftPorter},
    };
    for (const CopyPlacement &copy : columnCopies) {
        for (const PorterSide &porter : pair) {
            enterPorterCopy(copy, porter.side);
            if (*porter.phase <= lastPorterPhase) {
                porter.move();
                bindCopySkin(copy);
                drawAntModelA();
            }
            leaveCopy();
        }
    }
}

void endRoundIfOver() {
    if (world.leftPorterPhase > lastPorterPhase) {
        world.roundOver = 1;
    }
    if (world.roundOver == 1) {
        resetWorld();
    }
}

// What belongs to the run rather than to a round: the camera where the user left it, and the
// texture names that start-up made once. The window and the host's choices stay too.
constexpr float WorldState::*keptCamera[] = {&WorldState::cameraPanX, &WorldState::cameraPanY,
                                             &WorldState::cameraZoom, &WorldState::cameraPitch,
                                             &WorldState::cameraYaw};
constexpr GLuint WorldState::*keptTextures[] = {&WorldState::texFire2, &WorldState::texCandy,
                                                &WorldState::texWood,  &WorldState::texFire,
                                                &WorldState::texHole,  &WorldState::texYant};

// Everything of the animation starts afresh; what belongs to the run stays.
void resetWorld() {
    const WorldState kept = world;
    world = WorldState{};
    for (float WorldState::*field : keptCamera) {
        world.*field = kept.*field;
    }
    for (GLuint WorldState::*field : keptTextures) {
        world.*field = kept.*field;
    }
    world.windowed = kept.windowed;
    world.host = kept.host;
}
