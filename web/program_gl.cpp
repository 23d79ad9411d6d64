// The program's own GL calls in a page: reading a frame back, and swaps the browser paces itself.
#include "app/app.h"
#include "app/world_state.h"

#include <GL/gl.h>

void readBackFrame(unsigned char *rgb) {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, frameWidth, frameHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb);
}

// The page draws once per frame of the browser's; there is no swap interval to change.
void unpaceSwaps() {}
