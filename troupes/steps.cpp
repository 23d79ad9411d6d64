// The step helpers that every mover shares: walking, turning and the running test.
#include "app/world_state.h"
#include "troupes/troupes.h"

bool animationRuns() {
    return world.animationRunning == 1;
}

void walk(float &pos, double step) {
    pos = static_cast<float>(static_cast<double>(pos) + step);
}

// The guard lies one step's worth or more beyond the end, on the side the turn goes to.
bool turnTo(float &heading, float step, const Turn &turn) {
    if (turn.guard > turn.end && heading < turn.guard) {
        heading += step;
    } else if (turn.guard < turn.end && heading > turn.guard) {
        heading -= step;
    }
    return heading == turn.end;
}

bool walkThenTurn(float &pos, double limit, double step, float &heading, float turnStep,
                  const Turn &turn) {
    bool shortOfLimit = step > 0 ? pos < limit : pos > limit;
    if (shortOfLimit) {
        walk(pos, step);
        return false;
    }
    return turnTo(heading, turnStep, turn);
}
