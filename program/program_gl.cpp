// GL calls that only the real program makes: reading a frame back, unpacing the swaps.
#include "program/program.h"
#include "app/world_state.h"

#include <GL/glx.h>
#include <cstring>

void readBackFrame(unsigned char *rgb) {
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, frameWidth, frameHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb);
}

// Swap interval 0 through whichever swap-control extension the GLX offers; none: unchanged.
void unpaceSwaps() {
    Display *display = glXGetCurrentDisplay();
    if (display == nullptr) {
        return;
    }
    const char *extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    auto offered = [extensions](const char *name) {
        return extensions != nullptr && std::strstr(extensions, name) != nullptr;
    };
    auto address = [](const char *name) {
        return glXGetProcAddressARB(reinterpret_cast<const GLubyte *>(name));
    };
    if (offered("GLX_EXT_swap_control")) {
        auto setInterval =
            reinterpret_cast<PFNGLXSWAPINTERVALEXTPROC>(address("glXSwapIntervalEXT"));
        setInterval(display, glXGetCurrentDrawable(), 0);
    } else if (offered("GLX_MESA_swap_control")) {
        auto setInterval =
            reinterpret_cast<PFNGLXSWAPINTERVALMESAPROC>(address("glXSwapIntervalMESA"));
        setInterval(0);
    }
}
