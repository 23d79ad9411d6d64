// Keyboard and arrow-key commands: camera, display toggles, window, animation control.
#include "app/app.h"
#include "app/world_state.h"

#include <GL/freeglut.h>
#include <cstdlib>

// Camera steps per key press.
constexpr float panStep = 0.5f;
constexpr float zoomInStep = 2;
constexpr float zoomOutStep = 1;
constexpr float rotateStep = 1;

// The window that Tab asks for.
constexpr int windowedWidth = 1000;
constexpr int windowedHeight = 768;

// Gait steps of one tick or manual step, degrees.
constexpr int antennaStep = 1;
constexpr int legSwingStep = 3;
constexpr int legLiftStep = 1;
constexpr int jawStep = 1;

constexpr unsigned char keyTab = 9;
constexpr unsigned char keyEscape = 27;

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

// The short walk may run only early in a round: patrol ants walking out and near their
// nest, the scout less than 30 units along, the carrier column not yet started.
bool shortWalkAllowed() {
    return world.carrier1Phase == 0 && world.patrolPhase == 0 && world.scoutPos < 30 &&
           world.patrolPos < 30 && world.columnStarted == 0;
}

static void toggle(int &flag) {
    flag = flag == 0 ? 1 : 0;
}

// Tab: the first press asks for the window, the second for full screen again.
static void toggleWindow() {
    glutReshapeWindow(windowedWidth, windowedHeight);
    if (world.windowed == 0) {
        world.windowed = 1;
    } else {
        glutFullScreen();
        world.windowed = 0;
    }
}

// `s`: starts the animation tick, or stops whatever idle callback runs.
static void startOrStopAnimation() {
    if (world.animationRunning == 0) {
        glutIdleFunc(tickAnimation);
    } else {
        glutIdleFunc(nullptr);
        world.animationRunning = 0;
    }
}

// `d`: starts, or restarts, the short walk when it is allowed; returns whether it did.
static bool startShortWalk() {
    if (!shortWalkAllowed()) {
        return false;
    }
    world.shortWalkStartTime = glutGet(GLUT_ELAPSED_TIME) / millisecondsPerSecond;
    glutIdleFunc(tickShortWalk);
    return true;
}

void handleKey(unsigned char key, int, int) {
    bool redisplay = true;
    switch (key) {
    case keyTab:
        toggleWindow();
        break;
    case keyEscape:
        std::exit(0);
    case '1':
        world.cameraPanX = world.cameraPanY = world.cameraZoom = 0;
        world.cameraPitch = world.cameraYaw = 0;
        break;
    case 'M':
        toggle(world.flatShading);
        break;
    case 'R':
        world.cameraPitch -= rotateStep;
        break;
    case 'V':
        world.cameraYaw -= rotateStep;
        break;
    case 'd':
        redisplay = startShortWalk();
        break;
    case 'e':
        stepAntennaAndJaw();
        break;
    case 'i':
        world.cameraZoom += zoomInStep;
        break;
    case 'm':
        toggle(world.wireframe);
        break;
    case 'o':
        world.cameraZoom -= zoomOutStep;
        break;
    case 'r':
        world.cameraPitch += rotateStep;
        break;
    case 's':
        startOrStopAnimation();
        redisplay = false;
        break;
    case 'v':
        world.cameraYaw += rotateStep;
        break;
    case 'w':
        stepLegs();
        break;
    default:
        redisplay = false;
        break;
    }
    if (redisplay) {
        glutPostRedisplay();
    }
}

void handleSpecialKey(int key, int, int) {
    switch (key) {
    case GLUT_KEY_LEFT:
        world.cameraPanX += panStep;
        break;
    case GLUT_KEY_UP:
        world.cameraPanY += panStep;
        break;
    case GLUT_KEY_RIGHT:
        world.cameraPanX -= panStep;
        break;
    case GLUT_KEY_DOWN:
        world.cameraPanY -= panStep;
        break;
    default:
        break;
    }
    glutPostRedisplay();
}
