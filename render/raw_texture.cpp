// The raw texture loader: headerless RGB files into mipmapped texture objects.
#include "app/world_state.h"
#include "render/render.h"

#include <GL/glu.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

// The six images of the world, in the order of their texture names.
struct RawImage {
    GLuint WorldState::*texture; // where the texture object's name is kept
    const char *fileName;        // in the texture folder: the working directory, or --data
    int width;                   // pixels
    int height;                  // pixels
};

constexpr RawImage rawImages[] = {
    {&WorldState::texFire2, "fire2.raw", 640, 320}, {&WorldState::texCandy, "candy.raw", 500, 500},
    {&WorldState::texWood, "wood.raw", 650, 320},   {&WorldState::texFire, "fire.raw", 640, 320},
    {&WorldState::texHole, "hole.raw", 400, 300},   {&WorldState::texYant, "yant.raw", 640, 320},
};
constexpr int rawImageCount = sizeof rawImages / sizeof rawImages[0];
constexpr int rgbChannels = 3;

void loadRawTexture(const char *fileName, int width, int height, int channels, GLenum format,
                    GLenum filter) {
    // Only a regular file can be read: a folder would read as empty and a named pipe
    // would block start-up, so both count as missing.
    struct stat info {};
    if (stat(fileName, &info) != 0 || !S_ISREG(info.st_mode)) {
        std::exit(1);
    }
    FILE *file = std::fopen(fileName, "rb");
    if (file == nullptr) {
        std::exit(1);
    }
    size_t size = static_cast<size_t>(width) * height * channels;
    auto *pixels = static_cast<unsigned char *>(std::malloc(size));
    if (pixels == nullptr) {
        std::fclose(file);
        std::exit(1);
    }
    // A short file leaves black pixels behind its end; bytes beyond the image are ignored.
    size_t got = std::fread(pixels, 1, size, file);
    std::memset(pixels + got, 0, size - got);
    std::fclose(file);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(filter));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(filter));
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(format), width, height, format,
                      GL_UNSIGNED_BYTE, pixels);
    std::free(pixels);
}

void loadTextures() {
    GLuint names[rawImageCount];
    glGenTextures(rawImageCount, names);
    for (int i = 0; i < rawImageCount; ++i) {
        const RawImage &image = rawImages[i];
        world.*image.texture = names[i];
        glBindTexture(GL_TEXTURE_2D, names[i]);
        std::string path = image.fileName;
        if (world.host.textureFolder != nullptr) {
            path = std::string(world.host.textureFolder) + "/" + image.fileName;
        }
        loadRawTexture(path.c_str(), image.width, image.height, rgbChannels, GL_RGB, GL_LINEAR);
    }
}
