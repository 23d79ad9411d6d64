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
