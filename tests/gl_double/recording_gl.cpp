// Recording stand-ins for the GL, GLU and GLUT entry points the bemo world calls.
#include "recording_gl.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <initializer_list>

// The double's quadric: its draw style, and whether it is live (made and not yet deleted).
struct GLUquadric {
    GLenum drawStyle = GLU_FILL;
    bool live = false;
};

namespace gldouble {
namespace {
constexpr double degreesToRadians = 3.14159265358979323846 / 180.0;
// A rotation axis shorter than this leaves the matrix unchanged, as in common GL builds.
constexpr float minimumAxisLength = 1.0e-4f;
// Deepest stacks a conforming GL guarantees; room is reserved so that pushes never allocate.
constexpr std::size_t maxModelviewStackDepth = 32, maxProjectionStackDepth = 2;
constexpr int menuId = 1; // the one menu the double hands out
constexpr GLint unpackAlignments[] = {1, 2, 4, 8};
// Light and material parameters of one value; GL_SPOT_DIRECTION and GL_COLOR_INDEXES take 3.
constexpr GLenum scalarParameters[] = {GL_SHININESS,          GL_SPOT_EXPONENT,
                                       GL_SPOT_CUTOFF,        GL_CONSTANT_ATTENUATION,
                                       GL_LINEAR_ATTENUATION, GL_QUADRATIC_ATTENUATION};
// The 8-bit pixel formats the double reads, with their bytes per pixel.
constexpr std::pair<GLenum, int> pixelFormats[] = {
    {GL_RGB, 3}, {GL_RGBA, 4}, {GL_LUMINANCE_ALPHA, 2}, {GL_LUMINANCE, 1}, {GL_ALPHA, 1}};

Recorder recorder;
// Every quadric made since the last reset; the latest deleted is reused first (no allocation).
std::deque<GLUquadric> quadrics;
std::vector<GLUquadric *> freeQuadrics;
template <typename T, std::size_t N> bool contains(const T (&table)[N], T value) {
    return std::find(table, table + N, value) != table + N;
}
void logCall(const char *name) {
    if (recorder.logCalls) {
        recorder.calls.emplace_back(name);
    }
}
std::vector<Matrix> &currentStack() {
    return recorder.matrixMode == GL_PROJECTION ? recorder.projection : recorder.modelview;
}
// GL ignores a call whose enum or value it rejects: the field changes only when accepted.
template <typename T> void setIf(bool accepted, T &field, T value) {
    if (accepted) {
        field = value;
    }
}
void setCapability(GLenum cap, bool on) {
    if (cap < capabilitySlots) {
        recorder.enabled[cap] = on;
    }
}
std::vector<float> parameterValues(GLenum pname, const GLfloat *params) {
    bool triple = pname == GL_SPOT_DIRECTION || pname == GL_COLOR_INDEXES;
    std::size_t count = contains(scalarParameters, pname) ? 1 : triple ? 3 : 4;
    return std::vector<float>(params, params + count);
}
void setMaterial(GLenum face, GLenum pname, std::vector<float> values) {
    if (face == GL_FRONT || face == GL_FRONT_AND_BACK) { // only the front face is kept
        recorder.materialFront[pname] = std::move(values);
    }
}
// A quadric may be used (or drawn with) when non-null and live; any other use is an error.
bool usable(const GLUquadric *q) {
    recorder.quadricErrors += q != nullptr && q->live ? 0 : 1;
    return q != nullptr && q->live;
}
// Counts a primitive; when logging, keeps it and its state (args become a vector only then).
void recordPrimitive(Prim kind, std::initializer_list<double> args, const GLUquadric *q) {
    ++recorder.primitiveCounts[static_cast<std::size_t>(kind)];
    if (!recorder.logPrimitives) {
        return;
    }
    recorder.primitives.push_back({kind, args, recorder.modelview.back(), recorder.boundTexture,
                                   recorder.enabled[GL_LIGHTING], recorder.shadeModel,
                                   q != nullptr && q->drawStyle == GLU_FILL});
}
void drawQuadric(const GLUquadric *q, Prim kind, std::initializer_list<double> args) {
    if (usable(q)) {
        recordPrimitive(kind, args, q);
    }
}
} // namespace
Recorder &rec() {
    return recorder;
}
bool isEnabled(GLenum cap) {
    return cap < capabilitySlots && recorder.enabled[cap];
}
long primitiveCount(Prim kind) {
    return recorder.primitiveCounts[static_cast<std::size_t>(kind)];
}
void resetRecorder() {
    recorder = Recorder{};
    recorder.modelview.reserve(maxModelviewStackDepth + 1);
    recorder.projection.reserve(maxModelviewStackDepth + 1);
    quadrics.clear();
    freeQuadrics.clear();
}
Matrix multiply(const Matrix &a, const Matrix &b) {
    Matrix p{};
    for (int c = 0; c < 16; c += 4) {
        for (int r = 0; r < 4; ++r) {
            p[c + r] =
                a[r] * b[c] + a[4 + r] * b[c + 1] + a[8 + r] * b[c + 2] + a[12 + r] * b[c + 3];
        }
    }
    return p;
}
std::array<double, 3> transformPoint(const Matrix &m, double x, double y, double z) {
    return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
            m[2] * x + m[6] * y + m[10] * z + m[14]};
}
} // namespace gldouble
using namespace gldouble;
// An entry point running the statements given; a LOGGED one first logs its name. Each keeps the
// C linkage the GL, GLU and GLUT headers declare it with.
#define ENTRY(type, name, params, ...)                                                             \
    type name params {                                                                             \
        __VA_ARGS__;                                                                               \
    }
#define LOGGED(type, name, params, ...) ENTRY(type, name, params, logCall(#name); __VA_ARGS__)

// ---- GL: frame, capabilities, textures, materials, light and fog ----
LOGGED(void, glTexParameteri, (GLenum, GLenum, GLint), )
LOGGED(void, glTexEnvf, (GLenum, GLenum, GLfloat), )
LOGGED(void, glGenTextures, (GLsizei n, GLuint *textures),
       std::generate_n(textures, std::max(n, 0), [] { return recorder.nextTextureName++; }))
LOGGED(void, glBindTexture, (GLenum target, GLuint texture),
       setIf(target == GL_TEXTURE_2D, recorder.boundTexture, texture))
LOGGED(void, glPixelStorei, (GLenum pname, GLint param),
       setIf(pname == GL_UNPACK_ALIGNMENT && contains(unpackAlignments, param),
             recorder.unpackAlignment, param))
ENTRY(void, glClear, (GLbitfield), ++recorder.clears)
ENTRY(void, glShadeModel, (GLenum mode), recorder.shadeModel = mode)
LOGGED(void, glClearColor, (GLclampf, GLclampf, GLclampf, GLclampf), )
LOGGED(void, glColorMaterial, (GLenum, GLenum), )
LOGGED(void, glEnable, (GLenum cap), setCapability(cap, true))
LOGGED(void, glDisable, (GLenum cap), setCapability(cap, false))
LOGGED(void, glFogf, (GLenum pname, GLfloat param), recorder.fog[pname] = param)
LOGGED(void, glMaterialfv, (GLenum face, GLenum pname, const GLfloat *params),
       setMaterial(face, pname, parameterValues(pname, params)))
LOGGED(void, glMaterialf, (GLenum face, GLenum pname, GLfloat v), setMaterial(face, pname, {v}))
LOGGED(void, glViewport, (GLint x, GLint y, GLsizei w, GLsizei h), const int box[] = {x, y, w, h};
       std::copy_n(box, 4, recorder.viewport))
void glLightfv(GLenum light, GLenum pname, const GLfloat *params) {
    logCall("glLightfv");
    if (light == GL_LIGHT0) {
        std::vector<float> &values = recorder.light0[pname] = parameterValues(pname, params);
        for (int r = 0; r < 4 && pname == GL_POSITION; ++r) { // kept in eye space, as GL does
            const Matrix &m = recorder.modelview.back();
            values[r] = m[r] * params[0] + m[4 + r] * params[1] + m[8 + r] * params[2] +
                        m[12 + r] * params[3];
        }
    }
}

// ---- GL: matrices ----
LOGGED(void, glLoadIdentity, (), currentStack().back() = identityMatrix)
LOGGED(void, glMatrixMode, (GLenum mode),
       setIf(mode == GL_MODELVIEW || mode == GL_PROJECTION, recorder.matrixMode, mode))
void glPushMatrix() {
    std::vector<Matrix> &stack = currentStack();
    bool modelview = &stack == &recorder.modelview;
    if (stack.size() >= (modelview ? maxModelviewStackDepth : maxProjectionStackDepth)) {
        ++recorder.stackErrors;
        return;
    }
    stack.push_back(stack.back());
    recorder.maxModelviewDepth = std::max(recorder.maxModelviewDepth, modelview ? stack.size() : 0);
}
void glPopMatrix() {
    std::vector<Matrix> &stack = currentStack();
    if (stack.size() > 1) {
        stack.pop_back();
    } else {
        ++recorder.stackErrors; // the last matrix stays
    }
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    if (recorder.trackMatrices) {
        Matrix &m = currentStack().back();
        for (int r = 0; r < 4; ++r) {
            m[12 + r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
        }
    }
}
void glScalef(GLfloat x, GLfloat y, GLfloat z) {
    if (recorder.trackMatrices) {
        Matrix &m = currentStack().back();
        for (int r = 0; r < 4; ++r) {
            m[r] *= x;
            m[4 + r] *= y;
            m[8 + r] *= z;
        }
    }
}
// Rotation by angle degrees about (x, y, z), built as common GL builds do: a rotation about a
// coordinate axis gets exact zeros and ones, any other axis is normalised first.
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    if (!recorder.trackMatrices) {
        return;
    }
    float s = static_cast<float>(std::sin(angle * degreesToRadians));
    float c = static_cast<float>(std::cos(angle * degreesToRadians)), t = 1.0f - c;
    Matrix m = identityMatrix; // m[j * 4 + i] is row i, column j
    int axis = x != 0 ? (y == 0 && z == 0 ? 0 : -1) : y != 0 ? (z == 0 ? 1 : -1) : z != 0 ? 2 : -1;
    if (axis >= 0) { // the next axis turns toward the one after; x + y + z is its component
        int i = (axis + 1) % 3, j = (axis + 2) % 3;
        float turn = x + y + z < 0 ? -s : s;
        m[i * 5] = m[j * 5] = c;
        m[j * 4 + i] = -turn;
        m[i * 4 + j] = turn;
    } else {
        float length = std::sqrt(x * x + y * y + z * z);
        if (length <= minimumAxisLength) {
            return;
        }
        const float n[3] = {x / length, y / length, z / length};
        for (int i = 0; i < 3; ++i) { // each cyclic pair of axes (i, j) turns about the third, k
            int j = (i + 1) % 3, k = (i + 2) % 3;
            float pair = t * n[i] * n[j], turn = n[k] * s;
            m[i * 5] = t * n[i] * n[i] + c;
            m[j * 4 + i] = pair - turn;
            m[i * 4 + j] = pair + turn;
        }
    }
    currentStack().back() = multiply(currentStack().back(), m); // GL post-multiplies transforms
}

// ---- GLU: projection, quadrics and mipmaps ----
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    logCall("gluPerspective");
    // GLU builds the matrix in double and hands it to GL, which keeps floats.
    double half = fovy / 2 * degreesToRadians, depth = zFar - zNear, sine = std::sin(half);
    if (!recorder.trackMatrices || depth == 0 || sine == 0 || aspect == 0) {
        return;
    }
    double cot = std::cos(half) / sine;
    auto f = [](double value) { return static_cast<float>(value); };
    Matrix &top = currentStack().back();
    top = multiply(top, {f(cot / aspect), 0, 0, 0, 0, f(cot), 0, 0, 0, 0,
                         f(-(zFar + zNear) / depth), -1, 0, 0, f(-2 * zNear * zFar / depth), 0});
}
GLUquadric *gluNewQuadric() {
    if (recorder.failQuadrics) {
        return nullptr;
    }
    ++recorder.quadricsMade;
    GLUquadric *q = freeQuadrics.empty() ? &quadrics.emplace_back() : freeQuadrics.back();
    if (!freeQuadrics.empty()) {
        freeQuadrics.pop_back();
    }
    *q = GLUquadric{GLU_FILL, true};
    return q;
}
void gluDeleteQuadric(GLUquadric *quad) {
    if (quad != nullptr && usable(quad)) {
        ++recorder.quadricsDeleted;
        quad->live = false;
        freeQuadrics.push_back(quad);
    }
}
void gluQuadricDrawStyle(GLUquadric *quad, GLenum draw) {
    if (usable(quad)) {
        quad->drawStyle = draw;
    }
}
ENTRY(void, gluQuadricNormals, (GLUquadric * quad, GLenum), usable(quad))
ENTRY(void, gluQuadricTexture, (GLUquadric * quad, GLboolean), usable(quad))
ENTRY(void, gluDisk, (GLUquadric * quad, GLdouble in, GLdouble out, GLint slices, GLint loops),
      drawQuadric(quad, Prim::Disk, {in, out, double(slices), double(loops)}))
ENTRY(void, gluSphere, (GLUquadric * quad, GLdouble radius, GLint slices, GLint stacks),
      drawQuadric(quad, Prim::GluSphere, {radius, double(slices), double(stacks)}))
GLint gluBuild2DMipmaps(GLenum target, GLint, GLsizei width, GLsizei height, GLenum format,
                        GLenum type, const void *data) {
    logCall("gluBuild2DMipmaps");
    if (target != GL_TEXTURE_2D || width < 1 || height < 1) {
        return GLU_INVALID_VALUE;
    }
    Upload &upload = recorder.uploads.emplace_back(
        Upload{recorder.boundTexture, width, height, format, recorder.unpackAlignment, {}});
    for (const auto &[known, components] : pixelFormats) {
        // Each row starts on the next multiple of the unpack alignment, as GL reads it.
        std::size_t rowBytes = std::size_t(width) * components, align = recorder.unpackAlignment;
        std::size_t stride = (rowBytes + align - 1) / align * align;
        for (int row = 0; row < height && known == format && type == GL_UNSIGNED_BYTE; ++row) {
            upload.pixels.reserve(rowBytes * height);
            const auto *start = static_cast<const unsigned char *>(data) + stride * row;
            upload.pixels.insert(upload.pixels.end(), start, start + rowBytes);
        }
    }
    return 0;
}

// ---- GLUT: start-up, window, frame, callbacks, menu and shapes ----
LOGGED(void, glutInit, (int *, char **), )
LOGGED(void, glutInitDisplayString, (const char *mode), recorder.displayString = mode)
LOGGED(void, glutGameModeString, (const char *mode), recorder.gameModeString = mode)
LOGGED(int, glutGameModeGet, (GLenum query),
       return query == GLUT_GAME_MODE_POSSIBLE && recorder.gameModePossible ? 1 : 0)
LOGGED(int, glutEnterGameMode, (), return recorder.enterGameModeResult)
LOGGED(void, glutInitWindowPosition, (int, int), )
LOGGED(void, glutInitWindowSize, (int w, int h), recorder.initWindowSizes.emplace_back(w, h))
LOGGED(int, glutCreateWindow, (const char *title), recorder.windowsCreated.emplace_back(title);
       return static_cast<int>(recorder.windowsCreated.size()))
LOGGED(void, glutReshapeWindow, (int w, int h), recorder.reshapeRequests.emplace_back(w, h))
LOGGED(void, glutFullScreen, (), ++recorder.fullScreenRequests)
LOGGED(void, glutMainLoop, (), )
LOGGED(void, glutPostRedisplay, (), ++recorder.redisplays)
LOGGED(void, glutSwapBuffers, (), ++recorder.swaps)
LOGGED(int, glutGet, (GLenum query), return query == GLUT_ELAPSED_TIME ? recorder.elapsedMs : 0)
LOGGED(void, glutDisplayFunc, (void (*f)()), recorder.display = f)
LOGGED(void, glutReshapeFunc, (void (*f)(int, int)), recorder.reshape = f)
LOGGED(void, glutKeyboardFunc, (void (*f)(unsigned char, int, int)), recorder.keyboard = f)
LOGGED(void, glutSpecialFunc, (void (*f)(int, int, int)), recorder.special = f)
LOGGED(void, glutIdleFunc, (void (*f)()), recorder.idle = f)
LOGGED(int, glutCreateMenu, (void (*f)(int)), recorder.menu = f; return menuId)
LOGGED(void, glutAddMenuEntry, (const char *s, int v), recorder.menuEntries.emplace_back(s, v))
LOGGED(void, glutAttachMenu, (int button), recorder.attachedButton = button)
ENTRY(void, glutSolidCube, (double size), recordPrimitive(Prim::SolidCube, {size}, nullptr))
ENTRY(void, glutWireCube, (double size), recordPrimitive(Prim::WireCube, {size}, nullptr))
ENTRY(void, glutSolidSphere, (double r, GLint slices, GLint stacks),
      recordPrimitive(Prim::SolidSphere, {r, double(slices), double(stacks)}, nullptr))
ENTRY(void, glutWireSphere, (double r, GLint slices, GLint stacks),
      recordPrimitive(Prim::WireSphere, {r, double(slices), double(stacks)}, nullptr))
