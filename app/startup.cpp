// Program start-up: GLUT, the one window, render set-up, callbacks and the key menu.
#include "app/app.h"
#include "app/world_state.h"
#include "render/render.h"
#include "scene/scene.h"

#include <GL/freeglut.h>

// Display and game-mode requests: RGB, double-buffered, depth of at least 16 bits;
// 1024 by 768 at 16 bits and 60 Hz.
constexpr char displayString[] = "rgb double depth>=16";
constexpr char gameModeString[] = "1024x768:16@60";

// Where the X server cannot switch modes, one window of the game mode's size (frameWidth by
// frameHeight) stands in.
constexpr char windowTitle[] = "the bemo world";

// The right-button menu documents the keys; every entry has the value 1.
constexpr const char *menuTexts[] = {
    "Key Assignments",
    "Tab : Tongle between windowed or fullsize screen",
    "w : Press and hold to see the walking animation",
    "d : Press to make the ants do a short walk",
    "    (works only when the patrol ants are walking away from their nest",
    "     and when they are not very far from their nest)",
    "Arrow Keys : Camera navigation",
    "i : Zoom in",
    "o : Zoom out",
    "s : Start or stop the animation",
    "Esc : Exit the bemo world",
    "r : Rotate camera up",
    "R : Rotate camera down",
    "v : Rotate camera left",
    "V : Rotate camera right",
    "m : Change between wireframe or solid",
    "M : Change between smoothshaded or flatshaded",
    "1 : Reset camera",
};
constexpr int menuEntryValue = 1;

// Opens the full-screen game-mode window, or the stand-in window where game mode is
// impossible, cannot be entered or is not wanted, so that a GL context always exists afterwards.
static void openWindow() {
    if (world.host.windowOnly == 0 && glutGameModeGet(GLUT_GAME_MODE_POSSIBLE) &&
        glutEnterGameMode()) {
        return;
    }
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(frameWidth, frameHeight);
    glutCreateWindow(windowTitle);
}

void openWorld() {
    glutInitDisplayString(displayString);
    glutGameModeString(gameModeString);
    openWindow();
    glutSpecialFunc(handleSpecialKey);
    initRender();
    glutDisplayFunc(displayScene);
    glutReshapeFunc(reshapeView);
    glutKeyboardFunc(handleKey);
    glutCreateMenu(handleMenu);
    for (const char *text : menuTexts) {
        glutAddMenuEntry(text, menuEntryValue);
    }
    glutAttachMenu(GLUT_RIGHT_BUTTON);
}

void handleMenu(int) {
    glutPostRedisplay();
}
