// Recording stand-ins for the GL, GLU and GLUT entry points the bemo world calls.
#include "recording_gl.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cmath>
#include <initializer_list>
#include <memory>

// The double's quadric: GLU's settings with their GLU defaults, and whether it is in use.
class GLUquadric {
  public:
    GLenum drawStyle = GLU_FILL;
    GLenum normals = GLU_SMOOTH;
    bool texture = false;
    bool live = false;
};

namespace gldouble {
namespace {

constexpr double degreesToRadians = 3.14159265358979323846 / 180.0;
// A rotation axis shorter than this leaves the matrix unchanged, as in common GL builds.
constexpr float minimumAxisLength = 1.0e-4f;
// GLUT's identifier for the one menu the double hands out.
constexpr int menuId = 1;
// Stack room reserved up front so that pushes never allocate.
constexpr std::size_t reservedStackDepth = maxModelviewStackDepth + 1;

Recorder recorder;
// Every quadric made since the last reset; deleted ones wait in freeQuadrics for reuse so
// that a per-frame make and delete costs no allocation.
std::vector<std::unique_ptr<GLUquadric>> quadricPool;
std::vector<GLUquadric *> freeQuadrics;

void logCall(const char *name) {
    if (recorder.logCalls) {
        recorder.calls.emplace_back(name);
    }
}

std::vector<Matrix> &currentStack() {
    return recorder.matrixMode == GL_PROJECTION ? recorder.projection : recorder.modelview;
}

// Post-multiplies the current matrix by m, as every GL transform does.
void multiplyCurrent(const Matrix &m) {
    Matrix &top = currentStack().back();
    top = multiply(top, m);
}

// Values glMaterialfv and glLightfv read for a parameter.
std::size_t parameterCount(GLenum pname) {
    switch (pname) {
    case GL_SHININESS:
    case GL_SPOT_EXPONENT:
    case GL_SPOT_CUTOFF:
    case GL_CONSTANT_ATTENUATION:
    case GL_LINEAR_ATTENUATION:
    case GL_QUADRATIC_ATTENUATION:
        return 1;
    case GL_COLOR_INDEXES:
    case GL_SPOT_DIRECTION:
        return 3;
    default:
        return 4;
    }
}

// Bytes per pixel of an 8-bit format, 0 for formats the double does not read.
int componentCount(GLenum format) {
    switch (format) {
    case GL_RGB:
        return 3;
    case GL_RGBA:
        return 4;
    case GL_LUMINANCE_ALPHA:
        return 2;
    case GL_LUMINANCE:
    case GL_ALPHA:
        return 1;
    default:
        return 0;
    }
}

// A quadric that may be used: non-null and not deleted.
bool usable(const GLUquadric *q) {
    if (q == nullptr || !q->live) {
        ++recorder.quadricErrors;
        return false;
    }
    return true;
}

// Counts a primitive and, when logging, keeps it with the state it is drawn under; the
// arguments become a vector only then, so a counting run allocates nothing.
void recordPrimitive(Prim kind, std::initializer_list<double> args, const GLUquadric *q) {
    ++recorder.primitiveCounts[static_cast<std::size_t>(kind)];
    if (!recorder.logPrimitives) {
        return;
    }
    Primitive p{kind,
                args,
                recorder.modelview.back(),
                recorder.boundTexture,
                recorder.enabled[GL_LIGHTING],
                recorder.shadeModel,
                q != nullptr && q->drawStyle == GLU_FILL,
                q != nullptr ? q->normals : 0,
                q != nullptr && q->texture};
    recorder.primitives.push_back(std::move(p));
}

} // namespace

Recorder &rec() {
    return recorder;
}

void resetRecorder() {
    recorder = Recorder{};
    recorder.modelview.reserve(reservedStackDepth);
    recorder.projection.reserve(reservedStackDepth);
    freeQuadrics.clear();
    quadricPool.clear();
}

bool isEnabled(GLenum cap) {
    return cap < capabilitySlots && recorder.enabled[cap];
}

Matrix multiply(const Matrix &a, const Matrix &b) {
    Matrix p{};
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            p[c * 4 + r] = a[r] * b[c * 4] + a[4 + r] * b[c * 4 + 1] + a[8 + r] * b[c * 4 + 2] +
                           a[12 + r] * b[c * 4 + 3];
        }
    }
    return p;
}

std::array<double, 3> transformPoint(const Matrix &m, double x, double y, double z) {
    std::array<double, 3> out{};
    for (int r = 0; r < 3; ++r) {
        out[r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
    }
    return out;
}

long primitiveCount(Prim kind) {
    return recorder.primitiveCounts[static_cast<std::size_t>(kind)];
}

} // namespace gldouble

using gldouble::Matrix;
using gldouble::recorder;

extern "C" {

// ---- GL: frame and state ----

void glClear(GLbitfield mask) {
    ++recorder.clears;
    recorder.lastClearMask = mask;
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    gldouble::logCall("glClearColor");
    recorder.clearColor[0] = red;
    recorder.clearColor[1] = green;
    recorder.clearColor[2] = blue;
    recorder.clearColor[3] = alpha;
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    gldouble::logCall("glViewport");
    recorder.viewport[0] = x;
    recorder.viewport[1] = y;
    recorder.viewport[2] = width;
    recorder.viewport[3] = height;
}

void glEnable(GLenum cap) {
    gldouble::logCall("glEnable");
    if (cap < gldouble::capabilitySlots) {
        recorder.enabled[cap] = true;
    } else {
        ++recorder.invalidEnums;
    }
}

void glDisable(GLenum cap) {
    gldouble::logCall("glDisable");
    if (cap < gldouble::capabilitySlots) {
        recorder.enabled[cap] = false;
    } else {
        ++recorder.invalidEnums;
    }
}

void glShadeModel(GLenum mode) {
    recorder.shadeModel = mode;
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat *params) {
    gldouble::logCall("glMaterialfv");
    std::vector<float> values(params, params + gldouble::parameterCount(pname));
    if (face == GL_FRONT || face == GL_FRONT_AND_BACK) {
        recorder.materialFront[pname] = values;
    }
    if (face == GL_BACK || face == GL_FRONT_AND_BACK) {
        recorder.materialBack[pname] = values;
    }
}

void glMaterialf(GLenum face, GLenum pname, GLfloat param) {
    gldouble::logCall("glMaterialf");
    if (face == GL_FRONT || face == GL_FRONT_AND_BACK) {
        recorder.materialFront[pname] = {param};
    }
    if (face == GL_BACK || face == GL_FRONT_AND_BACK) {
        recorder.materialBack[pname] = {param};
    }
}

void glLightfv(GLenum light, GLenum pname, const GLfloat *params) {
    gldouble::logCall("glLightfv");
    if (light != GL_LIGHT0) {
        return;
    }
    std::vector<float> values(params, params + gldouble::parameterCount(pname));
    if (pname == GL_POSITION) {
        // GL keeps the position in eye space: the modelview at the call applies to it.
        const Matrix &m = recorder.modelview.back();
        for (int r = 0; r < 4; ++r) {
            values[r] = m[r] * params[0] + m[4 + r] * params[1] + m[8 + r] * params[2] +
                        m[12 + r] * params[3];
        }
    }
    recorder.light0[pname] = values;
}

void glColorMaterial(GLenum face, GLenum mode) {
    gldouble::logCall("glColorMaterial");
    recorder.colorMaterialFace = face;
    recorder.colorMaterialMode = mode;
}

void glFogf(GLenum pname, GLfloat param) {
    gldouble::logCall("glFogf");
    recorder.fog[pname] = param;
}

// ---- GL: matrices ----

void glMatrixMode(GLenum mode) {
    gldouble::logCall("glMatrixMode");
    if (mode == GL_MODELVIEW || mode == GL_PROJECTION) {
        recorder.matrixMode = mode;
    } else {
        ++recorder.invalidEnums;
    }
}

void glLoadIdentity() {
    gldouble::logCall("glLoadIdentity");
    gldouble::currentStack().back() = gldouble::identityMatrix;
}

void glPushMatrix() {
    std::vector<Matrix> &stack = gldouble::currentStack();
    bool modelview = recorder.matrixMode != GL_PROJECTION;
    std::size_t limit =
        modelview ? gldouble::maxModelviewStackDepth : gldouble::maxProjectionStackDepth;
    if (stack.size() >= limit) {
        ++recorder.stackErrors;
        return;
    }
    stack.push_back(stack.back());
    if (modelview && stack.size() > recorder.maxModelviewDepth) {
        recorder.maxModelviewDepth = stack.size();
    }
}

void glPopMatrix() {
    std::vector<Matrix> &stack = gldouble::currentStack();
    if (stack.size() <= 1) {
        ++recorder.stackErrors;
        return;
    }
    stack.pop_back();
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    if (!recorder.trackMatrices) {
        return;
    }
    Matrix &m = gldouble::currentStack().back();
    for (int r = 0; r < 4; ++r) {
        m[12 + r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
    }
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) {
    if (!recorder.trackMatrices) {
        return;
    }
    Matrix &m = gldouble::currentStack().back();
    for (int r = 0; r < 4; ++r) {
        m[r] *= x;
        m[4 + r] *= y;
        m[8 + r] *= z;
    }
}

// Rotation by angle degrees about the axis (x, y, z), built as common GL builds do: a rotation
// about a coordinate axis gets exact zeros and ones, any other axis is normalised first.
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    if (!recorder.trackMatrices) {
        return;
    }
    float s = static_cast<float>(std::sin(angle * gldouble::degreesToRadians));
    float c = static_cast<float>(std::cos(angle * gldouble::degreesToRadians));
    Matrix m = gldouble::identityMatrix;
    auto at = [&m](int row, int col) -> float & { return m[col * 4 + row]; };
    if (x == 0 && y == 0 && z != 0) {
        s = z < 0 ? -s : s;
        at(0, 0) = c;
        at(1, 1) = c;
        at(0, 1) = -s;
        at(1, 0) = s;
    } else if (x == 0 && z == 0 && y != 0) {
        s = y < 0 ? -s : s;
        at(0, 0) = c;
        at(2, 2) = c;
        at(0, 2) = s;
        at(2, 0) = -s;
    } else if (y == 0 && z == 0 && x != 0) {
        s = x < 0 ? -s : s;
        at(1, 1) = c;
        at(2, 2) = c;
        at(1, 2) = -s;
        at(2, 1) = s;
    } else {
        float length = std::sqrt(x * x + y * y + z * z);
        if (length <= gldouble::minimumAxisLength) {
            return;
        }
        x /= length;
        y /= length;
        z /= length;
        float oneMinusC = 1.0f - c;
        at(0, 0) = oneMinusC * x * x + c;
        at(0, 1) = oneMinusC * x * y - z * s;
        at(0, 2) = oneMinusC * z * x + y * s;
        at(1, 0) = oneMinusC * x * y + z * s;
        at(1, 1) = oneMinusC * y * y + c;
        at(1, 2) = oneMinusC * y * z - x * s;
        at(2, 0) = oneMinusC * z * x - y * s;
        at(2, 1) = oneMinusC * y * z + x * s;
        at(2, 2) = oneMinusC * z * z + c;
    }
    gldouble::multiplyCurrent(m);
}

// ---- GL: textures ----

void glGenTextures(GLsizei n, GLuint *textures) {
    gldouble::logCall("glGenTextures");
    for (GLsizei i = 0; i < n; ++i) {
        textures[i] = recorder.nextTextureName++;
    }
}

void glBindTexture(GLenum target, GLuint texture) {
    gldouble::logCall("glBindTexture");
    if (target == GL_TEXTURE_2D) {
        recorder.boundTexture = texture;
    }
}

void glTexParameteri(GLenum target, GLenum pname, GLint param) {
    gldouble::logCall("glTexParameteri");
    if (target == GL_TEXTURE_2D) {
        recorder.textureParams[recorder.boundTexture][pname] = param;
    }
}

void glTexEnvf(GLenum target, GLenum pname, GLfloat param) {
    gldouble::logCall("glTexEnvf");
    if (target == GL_TEXTURE_ENV) {
        recorder.texEnv[pname] = param;
    }
}

void glPixelStorei(GLenum pname, GLint param) {
    gldouble::logCall("glPixelStorei");
    if (pname != GL_UNPACK_ALIGNMENT) {
        return;
    }
    if (param == 1 || param == 2 || param == 4 || param == 8) {
        recorder.unpackAlignment = param;
    } else {
        ++recorder.invalidEnums;
    }
}

// ---- GLU ----

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    gldouble::logCall("gluPerspective");
    if (!recorder.trackMatrices) {
        return;
    }
    // GLU builds the matrix in double and hands it to GL, which keeps floats.
    double half = fovy / 2 * gldouble::degreesToRadians;
    double depth = zFar - zNear;
    double sine = std::sin(half);
    if (depth == 0 || sine == 0 || aspect == 0) {
        return;
    }
    double cotangent = std::cos(half) / sine;
    Matrix m{};
    m[0] = static_cast<float>(cotangent / aspect);
    m[5] = static_cast<float>(cotangent);
    m[10] = static_cast<float>(-(zFar + zNear) / depth);
    m[11] = -1;
    m[14] = static_cast<float>(-2 * zNear * zFar / depth);
    gldouble::multiplyCurrent(m);
}

GLUquadric *gluNewQuadric() {
    if (recorder.failQuadrics) {
        return nullptr;
    }
    ++recorder.quadricsMade;
    GLUquadric *q;
    if (gldouble::freeQuadrics.empty()) {
        gldouble::quadricPool.push_back(std::make_unique<GLUquadric>());
        q = gldouble::quadricPool.back().get();
    } else {
        q = gldouble::freeQuadrics.back();
        gldouble::freeQuadrics.pop_back();
        *q = GLUquadric{};
    }
    q->live = true;
    return q;
}

void gluDeleteQuadric(GLUquadric *quad) {
    if (quad == nullptr) {
        return;
    }
    if (!gldouble::usable(quad)) {
        return;
    }
    ++recorder.quadricsDeleted;
    quad->live = false;
    gldouble::freeQuadrics.push_back(quad);
}

void gluQuadricDrawStyle(GLUquadric *quad, GLenum draw) {
    if (gldouble::usable(quad)) {
        quad->drawStyle = draw;
    }
}

void gluQuadricNormals(GLUquadric *quad, GLenum normal) {
    if (gldouble::usable(quad)) {
        quad->normals = normal;
    }
}

void gluQuadricTexture(GLUquadric *quad, GLboolean texture) {
    if (gldouble::usable(quad)) {
        quad->texture = texture != GL_FALSE;
    }
}

void gluDisk(GLUquadric *quad, GLdouble inner, GLdouble outer, GLint slices, GLint loops) {
    if (gldouble::usable(quad)) {
        gldouble::recordPrimitive(gldouble::Prim::Disk,
                                  {inner, outer, double(slices), double(loops)}, quad);
    }
}

void gluSphere(GLUquadric *quad, GLdouble radius, GLint slices, GLint stacks) {
    if (gldouble::usable(quad)) {
        gldouble::recordPrimitive(gldouble::Prim::GluSphere,
                                  {radius, double(slices), double(stacks)}, quad);
    }
}

GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                        GLenum format, GLenum type, const void *data) {
    gldouble::logCall("gluBuild2DMipmaps");
    if (target != GL_TEXTURE_2D || width < 1 || height < 1) {
        return GLU_INVALID_VALUE;
    }
    gldouble::Upload upload{recorder.boundTexture,
                            internalFormat,
                            width,
                            height,
                            format,
                            type,
                            recorder.unpackAlignment,
                            {},
                            recorder.textureParams[recorder.boundTexture]};
    int components = gldouble::componentCount(format);
    if (components > 0 && type == GL_UNSIGNED_BYTE) {
        // Each row starts on the next multiple of the unpack alignment, as GL reads it.
        std::size_t rowBytes = std::size_t(width) * components;
        std::size_t alignment = recorder.unpackAlignment;
        std::size_t stride = (rowBytes + alignment - 1) / alignment * alignment;
        const auto *bytes = static_cast<const unsigned char *>(data);
        upload.pixels.reserve(rowBytes * height);
        for (int row = 0; row < height; ++row) {
            const unsigned char *start = bytes + stride * row;
            upload.pixels.insert(upload.pixels.end(), start, start + rowBytes);
        }
    }
    recorder.uploads.push_back(std::move(upload));
    return 0;
}

// ---- GLUT: start-up and window ----

void glutInit(int *pargc, char **argv) {
    gldouble::logCall("glutInit");
    recorder.initArgcSeen = *pargc;
    recorder.initArgvSeen = argv;
}

void glutInitDisplayString(const char *displayMode) {
    gldouble::logCall("glutInitDisplayString");
    recorder.displayString = displayMode;
}

void glutGameModeString(const char *string) {
    gldouble::logCall("glutGameModeString");
    recorder.gameModeString = string;
}

int glutGameModeGet(GLenum query) {
    gldouble::logCall("glutGameModeGet");
    return query == GLUT_GAME_MODE_POSSIBLE && recorder.gameModePossible ? 1 : 0;
}

int glutEnterGameMode() {
    gldouble::logCall("glutEnterGameMode");
    return recorder.enterGameModeResult;
}

void glutInitWindowSize(int width, int height) {
    gldouble::logCall("glutInitWindowSize");
    recorder.initWindowSizes.emplace_back(width, height);
}

int glutCreateWindow(const char *title) {
    gldouble::logCall("glutCreateWindow");
    recorder.windowsCreated.emplace_back(title);
    return static_cast<int>(recorder.windowsCreated.size());
}

void glutReshapeWindow(int width, int height) {
    gldouble::logCall("glutReshapeWindow");
    recorder.reshapeRequests.emplace_back(width, height);
}

void glutFullScreen() {
    gldouble::logCall("glutFullScreen");
    ++recorder.fullScreenRequests;
}

void glutMainLoop() {
    gldouble::logCall("glutMainLoop");
}

void glutPostRedisplay() {
    gldouble::logCall("glutPostRedisplay");
    ++recorder.redisplays;
}

void glutSwapBuffers() {
    gldouble::logCall("glutSwapBuffers");
    ++recorder.swaps;
}

int glutGet(GLenum query) {
    gldouble::logCall("glutGet");
    return query == GLUT_ELAPSED_TIME ? recorder.elapsedMs : 0;
}

// ---- GLUT: callbacks and menu ----

void glutDisplayFunc(void (*callback)()) {
    gldouble::logCall("glutDisplayFunc");
    recorder.display = callback;
}

void glutReshapeFunc(void (*callback)(int, int)) {
    gldouble::logCall("glutReshapeFunc");
    recorder.reshape = callback;
}

void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) {
    gldouble::logCall("glutKeyboardFunc");
    recorder.keyboard = callback;
}

void glutSpecialFunc(void (*callback)(int, int, int)) {
    gldouble::logCall("glutSpecialFunc");
    recorder.special = callback;
}

void glutIdleFunc(void (*callback)()) {
    gldouble::logCall("glutIdleFunc");
    recorder.idle = callback;
}

int glutCreateMenu(void (*callback)(int)) {
    gldouble::logCall("glutCreateMenu");
    recorder.menu = callback;
    return gldouble::menuId;
}

void glutAddMenuEntry(const char *label, int value) {
    gldouble::logCall("glutAddMenuEntry");
    recorder.menuEntries.emplace_back(label, value);
}

void glutAttachMenu(int button) {
    gldouble::logCall("glutAttachMenu");
    recorder.attachedButton = button;
}

// ---- GLUT: shapes ----

void glutSolidCube(double size) {
    gldouble::recordPrimitive(gldouble::Prim::SolidCube, {size}, nullptr);
}

void glutWireCube(double size) {
    gldouble::recordPrimitive(gldouble::Prim::WireCube, {size}, nullptr);
}

void glutSolidSphere(double radius, GLint slices, GLint stacks) {
    gldouble::recordPrimitive(gldouble::Prim::SolidSphere, {radius, double(slices), double(stacks)},
                              nullptr);
}

void glutWireSphere(double radius, GLint slices, GLint stacks) {
    gldouble::recordPrimitive(gldouble::Prim::WireSphere, {radius, double(slices), double(stacks)},
                              nullptr);
}

} // extern "C"
