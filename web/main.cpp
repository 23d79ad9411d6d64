// Entry point of the colony in a page: GLUT, the colony's start-up, the browser's frame loop.
#include "app/app.h"

#include <GL/freeglut.h>

int main(int argc, char **argv) {
    glutInit(&argc, argv);
    openWorld();
    glutMainLoop();
    return 0;
}
