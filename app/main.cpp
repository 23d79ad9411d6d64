// Process entry of the bemo world.
#include "app/app.h"
#include "app/world_state.h"

int main(int argc, char **argv) {
    world.run.readFrame = readBackFrame;
    world.run.unpaceSwaps = unpaceSwaps;
    startWorld(&argc, argv);
    return 0;
}
