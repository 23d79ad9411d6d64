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

// Deepest stacks a conforming GL guarantees; a push beyond them is a stack error.
inline constexpr std::size_t maxModelviewStackDepth = 32;
inline constexpr std::size_t maxProjectionStackDepth = 2;
// Capabilities are kept in a flat table indexed by their enum value.
inline constexpr std::size_t capabilitySlots = 0x10000;

enum class Prim { Disk, GluSphere, SolidCube, WireCube, SolidSphere, WireSphere, Count };
inline constexpr std::size_t primKinds = static_cast<std::size_t>(Prim::Count);

// One primitive as drawn, with the state it was drawn under.
struct Primitive {
    Prim kind;
    // gluSphere, glutSolidSphere, glutWireSphere: radius, slices, stacks;
    // gluDisk: inner, outer, slices, loops; glutSolidCube, glutWireCube: edge.
    std::vector<double> args;
    Matrix modelview;      // top of the modelview stack when drawn
    GLuint texture;        // texture bound to GL_TEXTURE_2D when drawn
    bool lighting;         // GL_LIGHTING enabled when drawn
    GLenum shadeModel;     // shade model when drawn
    bool quadricFill;      // gluSphere and gluDisk only: the quadric's draw style is GLU_FILL
    GLenum quadricNormals; // gluSphere and gluDisk only: the quadric's normals setting
    bool quadricTexture;   // gluSphere and gluDisk only: the quadric generates texture coordinates
};

// One gluBuild2DMipmaps call.
struct Upload {
    GLuint texture; // texture bound to GL_TEXTURE_2D at the call
    GLint internalFormat;
    int width, height;
    GLenum format, type;
    int unpackAlignment; // GL_UNPACK_ALIGNMENT at the call
    // The image as GL reads it from the caller's buffer: rows of width * components bytes
    // each, taken at the row stride the unpack alignment implies. Empty for formats or
    // types other than 8-bit GL_RGB, GL_RGBA, GL_LUMINANCE, GL_ALPHA, GL_LUMINANCE_ALPHA.
    std::vector<unsigned char> pixels;
    std::map<GLenum, GLint> params; // the texture's glTexParameteri values at the call
};

// Everything the double has seen since the last resetRecorder().
struct Recorder {
    // GL matrices: one stack per mode, back() is the current matrix.
    std::vector<Matrix> modelview{identityMatrix}, projection{identityMatrix};
    GLenum matrixMode = GL_MODELVIEW;
    std::size_t maxModelviewDepth = 1;
    long stackErrors = 0; // pushes beyond the maximum depth, pops of the last matrix

    // GL state; capabilities are indexed by enum value, see isEnabled().
    std::array<bool, capabilitySlots> enabled{};
    GLuint boundTexture = 0; // on GL_TEXTURE_2D
    GLenum shadeModel = GL_SMOOTH;
    int viewport[4] = {0, 0, 0, 0};
    float clearColor[4] = {0, 0, 0, 0};
    GLbitfield lastClearMask = 0;
    int unpackAlignment = 4;
    GLuint nextTextureName = 1;
    std::map<GLuint, std::map<GLenum, GLint>> textureParams; // per texture name
    std::vector<Upload> uploads;
    // Values as the program set them (empty maps and zero enums until set). GL_POSITION of
    // a light holds the eye-space position, transformed by the modelview as GL does.
    std::map<GLenum, std::vector<float>> materialFront, materialBack, light0;
    std::map<GLenum, float> texEnv, fog;
    GLenum colorMaterialFace = 0, colorMaterialMode = 0;
    long invalidEnums = 0; // matrix modes, capabilities or alignments GL would reject

    // Primitives: always counted; logged with their state when logPrimitives.
    std::vector<Primitive> primitives;
    std::array<long, primKinds> primitiveCounts{};
    bool logPrimitives = true;
    // false: matrix stacks still push and pop, but transforms are not computed (speed).
    bool trackMatrices = true;

    // GLU quadrics. failQuadrics makes gluNewQuadric return nullptr. quadricErrors counts
    // uses of a null or deleted quadric and deletes of a deleted one.
    long quadricsMade = 0, quadricsDeleted = 0, quadricErrors = 0;
    bool failQuadrics = false;

    long clears = 0, swaps = 0;

    // Names of the calls in order, when logCalls: every GLUT call except the four shape
    // calls, and every GL and GLU call except glClear, glPushMatrix, glPopMatrix,
    // glTranslatef, glRotatef, glScalef, glShadeModel, the quadric calls, gluSphere and
    // gluDisk. Long runs turn it off.
    std::vector<std::string> calls;
    bool logCalls = true;

    // GLUT callbacks as registered (nullptr when none).
    void (*display)() = nullptr;
    void (*reshape)(int, int) = nullptr;
    void (*keyboard)(unsigned char, int, int) = nullptr;
    void (*special)(int, int, int) = nullptr;
    void (*idle)() = nullptr;
    void (*menu)(int) = nullptr;
    std::vector<std::pair<std::string, int>> menuEntries; // label, value
    int attachedButton = -1;
    long redisplays = 0;
    std::vector<std::pair<int, int>> reshapeRequests; // width, height
    long fullScreenRequests = 0;
    // What glutGameModeGet(GLUT_GAME_MODE_POSSIBLE) and glutEnterGameMode answer.
    bool gameModePossible = true;
    int enterGameModeResult = 1;
    std::string displayString, gameModeString;
    std::vector<std::pair<int, int>> initWindowSizes;
    std::vector<std::string> windowsCreated; // titles
    int elapsedMs = 0;                       // what glutGet(GLUT_ELAPSED_TIME) answers
    int initArgcSeen = -1;                   // *argc at glutInit
    char **initArgvSeen = nullptr;           // argv at glutInit
};

// The one recorder that every entry point writes.
Recorder &rec();
// Back to the defaults above; frees every quadric the double made.
void resetRecorder();

bool isEnabled(GLenum cap);
Matrix multiply(const Matrix &a, const Matrix &b); // a * b, in float as GL does
std::array<double, 3> transformPoint(const Matrix &m, double x, double y, double z); // m*(x,y,z,1)
long primitiveCount(Prim kind);

} // namespace gldouble
