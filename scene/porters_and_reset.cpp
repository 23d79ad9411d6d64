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

// Everything of the animation starts afresh; the camera, the window, the textures and the
// program around the animation (options, recording, benchmark) stay.
void resetWorld() {
    const WorldState kept = world;
    world = WorldState{};
    world.cameraPanX = kept.cameraPanX;
    world.cameraPanY = kept.cameraPanY;
    world.cameraZoom = kept.cameraZoom;
    world.cameraPitch = kept.cameraPitch;
    world.cameraYaw = kept.cameraYaw;
    world.windowed = kept.windowed;
    world.texFire2 = kept.texFire2;
    world.texCandy = kept.texCandy;
    world.texWood = kept.texWood;
    world.texFire = kept.texFire;
    world.texHole = kept.texHole;
    world.texYant = kept.texYant;
    world.options = kept.options;
    world.run = kept.run;
}
