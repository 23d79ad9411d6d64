// Process entry of the bemo world: the command line, the colony's start-up, the run of frames.
#include "app/app.h"
#include "program/program.h"
#include "program/program_state.h"

#include <GL/freeglut.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

// A standard stream closed by the caller reads and writes /dev/null, so that no file the
// program opens (the display's connection, the encoder's pipe) takes its number.
static void openStandardStreams() {
    for (int stream = STDIN_FILENO; stream <= STDERR_FILENO; ++stream) {
        if (fcntl(stream, F_GETFD) < 0 && errno == EBADF) {
            open("/dev/null", O_RDWR);
        }
    }
}

// At the end, output that could not be written (a full disk, a closed pipe) is a failure.
static void checkOutput() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fprintf(stderr, "bemo-world: cannot write the output: %s\n", std::strerror(errno));
        _exit(failedStatus);
    }
}

int main(int argc, char **argv) {
    openStandardStreams();
    std::atexit(checkOutput);
    answerHelpOrVersion(argc, argv);
    // The program's own options are checked before GLUT opens the display.
    readOptions(argc, argv);
    if (recording()) {
        claimClip();
    }
    glutInit(&argc, argv);
    openWorld();
    // The encoder starts once the window is up.
    startRecording();
    startFrameRun();
    glutMainLoop();
    return 0;
}
