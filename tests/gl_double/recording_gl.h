// Test-facing view of the recording stand-in for GL, GLU and GLUT that the behaviour tests link.
#pragma once

#include <GL/gl.h>

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace gldouble {
// A 4x4 matrix in GL's column-major order: element (row r, column c) is at [c * 4 + r].
using Matrix = std::array<float, 16>;
inline constexpr Matrix identityMatrix = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
inline constexpr std::size_t capabilitySlots = 0x10000; // capabilities are indexed by enum value

enum class Prim { Disk, GluSphere, SolidCube, WireCube, SolidSphere, WireSphere, Count };
// One primitive as drawn, with the state it was drawn under; a cube's one arg is its edge.
struct Primitive {
    Prim kind;
    std::vector<double> args; // spheres: radius, slices, stacks; disk: inner, outer, slices, loops
    Matrix modelview;         // top of the modelview stack
    GLuint texture;           // bound to GL_TEXTURE_2D
    bool lighting;            // GL_LIGHTING enabled
    GLenum shadeModel;
    bool quadricFill; // gluSphere and gluDisk only: the quadric's draw style is GLU_FILL
};

// One gluBuild2DMipmaps call. pixels: the image as GL reads it, rows of width * components
// bytes at the stride the unpack alignment implies; empty unless 8-bit RGB, RGBA, L, LA or A.
struct Upload {
    GLuint texture; // bound to GL_TEXTURE_2D
    int width, height;
    GLenum format;
    int unpackAlignment;
    std::vector<unsigned char> pixels;
};

struct Recorder { // everything the double has seen since the last resetRecorder()
    std::vector<Matrix> modelview{identityMatrix}, projection{identityMatrix}; // back() is current
    std::size_t maxModelviewDepth = 1;
    long stackErrors = 0; // pushes beyond GL's depth (32 modelview, 2 projection), last-matrix pops
    GLenum matrixMode = GL_MODELVIEW, shadeModel = GL_SMOOTH;
    std::array<bool, capabilitySlots> enabled{};  // see isEnabled()
    GLuint boundTexture = 0, nextTextureName = 1; // on GL_TEXTURE_2D; glGenTextures' next
    int viewport[4] = {0, 0, 0, 0}, unpackAlignment = 4;
    std::vector<Upload> uploads;
    std::map<GLenum, std::vector<float>> materialFront, light0; // light0's GL_POSITION: eye space
    std::map<GLenum, float> fog;
    std::vector<Primitive> primitives; // logged when logPrimitives; always counted below
    std::array<long, static_cast<std::size_t>(Prim::Count)> primitiveCounts{};
    bool logPrimitives = true;
    bool trackMatrices = true; // false: stacks still push and pop, transforms are skipped (speed)
    bool failQuadrics = false; // gluNewQuadric returns nullptr
    long quadricsMade = 0, quadricsDeleted = 0, clears = 0, swaps = 0;
    long quadricErrors = 0; // uses of a null or deleted quadric, and deletes of a deleted one
    // Call names in order, when logCalls: every call except glClear, glShadeModel, glPushMatrix,
    // glPopMatrix, glTranslatef, glRotatef, glScalef, the quadric calls and the six shapes.
    std::vector<std::string> calls;
    bool logCalls = true;
    // GLUT: callbacks as registered (nullptr when none), what it was asked for, what it answers.
    void (*display)() = nullptr;
    void (*reshape)(int, int) = nullptr;
    void (*keyboard)(unsigned char, int, int) = nullptr;
    void (*special)(int, int, int) = nullptr;
    void (*idle)() = nullptr;
    void (*menu)(int) = nullptr;
    std::vector<std::pair<std::string, int>> menuEntries; // label, value
    int attachedButton = -1;
    long redisplays = 0, fullScreenRequests = 0;
    std::vector<std::pair<int, int>> reshapeRequests, initWindowSizes; // width, height
    std::vector<std::string> windowsCreated;                           // titles
    std::string displayString, gameModeString;
    bool gameModePossible = true;               // glutGameModeGet(GLUT_GAME_MODE_POSSIBLE)
    int enterGameModeResult = 1, elapsedMs = 0; // glutEnterGameMode(), glutGet(GLUT_ELAPSED_TIME)
};

Recorder &rec();      // the one recorder that every entry point writes
void resetRecorder(); // back to the defaults above; frees every quadric the double made
bool isEnabled(GLenum cap);
Matrix multiply(const Matrix &a, const Matrix &b); // a * b, in float as GL does
std::array<double, 3> transformPoint(const Matrix &m, double x, double y, double z); // m*(x,y,z,1)
long primitiveCount(Prim kind);
} // namespace gldouble
