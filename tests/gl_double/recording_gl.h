// Test-facing view of the recording stand-in for GL, GLU and GLUT that the behaviour tests link.
#pragma once
#include <GL/gl.h>
#include <array>
#include <map>
#include <string>
#include <vector>

namespace gldouble {
// A 4x4 matrix in GL's column-major order: element (row r, column c) is at [c * 4 + r].
using Matrix = std::array<float, 16>;
enum class Prim { Disk, GluSphere, SolidCube, WireCube, SolidSphere, WireSphere, Count };
struct Primitive { // one primitive as drawn, with the state it was drawn under
    Prim kind;
    std::array<double, 4> args; // sphere: radius, slices, stacks; disk: in, out, slices, loops
    Matrix modelview;
    GLuint texture;        // bound to GL_TEXTURE_2D
    GLenum shadeModel;     // GL_SMOOTH or GL_FLAT
    bool filled, textured; // a quadric's: drawn as GLU_FILL, with texture coordinates
};
struct Texture {                        // one texture object as gluBuild2DMipmaps filled it
    std::map<GLenum, GLint> parameters; // glTexParameteri's, such as the filters
    std::pair<int, int> size;           // width, height
    std::vector<unsigned char> rgb;     // the texels as GL unpacked them, rows back to back
};
struct Recorder { // what the double has seen since the last reset; the projection is not kept
    std::vector<Matrix> modelview{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; // top last
    bool lighting = false; // GL_LIGHTING enabled
    GLuint boundTexture = 0;
    std::map<GLuint, Texture> textures; // by name: glGenTextures gives 11 on, not the fixture's 1-6
    std::map<GLenum, GLint> pixelStore{{GL_UNPACK_ALIGNMENT, 4}}; // glPixelStorei's, GL's defaults
    GLenum shadeModel = GL_SMOOTH;
    bool logging = true; // else transforms are skipped and primitives only counted (speed)
    std::vector<Primitive> primitives;
    std::array<long, static_cast<int>(Prim::Count)> counts{};
    long stackErrors = 0, quadricsMade = 0, quadricsDeleted = 0; // errors: pops of the last
    void (*idle)() = nullptr;                                    // the idle callback installed
    int elapsedMs = 0;                                           // glutGet(GLUT_ELAPSED_TIME)
    long redisplays = 0;                                         // glutPostRedisplay calls
    std::vector<std::string> requests; // window sizes, "window", "full screen", modes, menu entries
    void (*menu)(int) = nullptr;       // the menu callback
    void (*keyboard)(unsigned char, int, int) = nullptr; // the keyboard callback installed
};
extern Recorder recorder; // the one recorder that every entry point writes
} // namespace gldouble
