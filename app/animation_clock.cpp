// The continuous animation tick: one step of the gait oscillators per idle call.
#include "app/app.h"
#include "app/world_state.h"

#include <GL/freeglut.h>

void tickAnimation() {
    stepAntennaAndJaw();
    stepLegs();
    world.animationRunning = 1;
    glutPostRedisplay();
}
