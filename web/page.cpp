// The C library's random numbers as the desktop's, and what the page calls in the program.
#include "web.h"

#include <cstdlib>
#include <emscripten.h>

int rand() {
    return nextRandom();
}

void srand(unsigned seed) {
    seedRandom(seed);
}

// Frames only stepped through, for setting the page to a frame of the desktop's recording: 0 while
// they are, 1 after.
extern "C" EMSCRIPTEN_KEEPALIVE void webDrawShapes(int drawn) {
    drawShapes(drawn != 0);
}
