// The continuous animation tick and the gait oscillators it steps.
#include "app/app.h"
#include "app/world_state.h"

#include <GL/freeglut.h>

// Gait steps of one tick or manual step, degrees.
constexpr int antennaStep = 1;
constexpr int legSwingStep = 3;
constexpr int legLiftStep = 1;
constexpr int jawStep = 1;

// One step of an oscillator in its direction: up while its flag is 0, down while it is 1.
// The remainder keeps the dividend's sign; the range is kept by the drawing of the ant.
static void stepOscillator(int &angle, int direction, int step) {
    angle = (direction == 0 ? angle + step : angle - step) % 360;
}

// One step of the two leg oscillators, shared by the `w` key and the animation tick.
void stepLegs() {
    if (world.antsHalted != 0) {
        return;
    }
    stepOscillator(world.legSwingAngle, world.legSwingDir, legSwingStep);
    stepOscillator(world.legLiftAngle, world.legLiftDir, legLiftStep);
}

// One step of the antenna and of the mandibles, shared by the `e` key and the tick.
void stepAntennaAndJaw() {
    stepOscillator(world.antennaAngle, world.antennaDir, antennaStep);
    stepOscillator(world.jawAngle, world.jawDir, jawStep);
}

void tickAnimation() {
    stepAntennaAndJaw();
    stepLegs();
    world.animationRunning = 1;
    glutPostRedisplay();
}
