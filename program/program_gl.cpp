// GL calls that only the real program makes: reading frames back, unpacing the swaps.
#include "program/program.h"
#include "program/program_state.h"

#include <GL/glx.h>
#include <cstring>

// A GL or GLX entry point beyond GL 1.1, as the running GL offers it.
template <typename Entry> static Entry glEntry(const char *name) {
    return reinterpret_cast<Entry>(glXGetProcAddressARB(reinterpret_cast<const GLubyte *>(name)));
}

static void bindPackBuffer(unsigned name) {
    static const auto bindBuffer = glEntry<PFNGLBINDBUFFERPROC>("glBindBuffer");
    bindBuffer(GL_PIXEL_PACK_BUFFER, name);
}

// BGRA is the back buffer's own order, so the read-back is a copy; the pixel buffer lets the
// copy run while the next frame is drawn.
void startReadBack(int buffer) {
    unsigned *names = program.clip.readBackNames;
    if (names[0] == 0) {
        glEntry<PFNGLGENBUFFERSPROC>("glGenBuffers")(2, names);
        for (int i = 0; i < 2; ++i) {
            bindPackBuffer(names[i]);
            glEntry<PFNGLBUFFERDATAPROC>("glBufferData")(GL_PIXEL_PACK_BUFFER, frameBytes, nullptr,
                                                         GL_STREAM_READ);
        }
    }
    bindPackBuffer(names[buffer]);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, frameWidth, frameHeight, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    bindPackBuffer(0);
}

void collectReadBack(int buffer, unsigned char *bgra) {
    static const auto getBufferData = glEntry<PFNGLGETBUFFERSUBDATAPROC>("glGetBufferSubData");
    bindPackBuffer(program.clip.readBackNames[buffer]);
    getBufferData(GL_PIXEL_PACK_BUFFER, 0, frameBytes, bgra);
    bindPackBuffer(0);
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
    if (offered("GLX_EXT_swap_control")) {
        glEntry<PFNGLXSWAPINTERVALEXTPROC>("glXSwapIntervalEXT")(display, glXGetCurrentDrawable(),
                                                                 0);
    } else if (offered("GLX_MESA_swap_control")) {
        glEntry<PFNGLXSWAPINTERVALMESAPROC>("glXSwapIntervalMESA")(0);
    }
}
