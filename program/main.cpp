// Process entry of the bemo world: the command line, the colony's start-up, the run of frames.
#include "app/app.h"
#include "program/program.h"

#include <GL/freeglut.h>

int main(int argc, char **argv) {
    answerHelpOrVersion(argc, argv);
    glutInit(&argc, argv);
    readOptions(argc, argv);
    openWorld();
    // The encoder starts only now: a start-up that ends early leaves no clip behind.
    startRecording();
    startFrameRun();
    glutMainLoop();
    return 0;
}
