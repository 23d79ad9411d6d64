// Recording stand-ins for the GL, GLU and GLUT entry points the running world calls.
#include "recording_gl.h"
#include <GL/freeglut.h>
#include <GL/glu.h>
#include <cmath>

// The double's quadric: how it draws. Misuse after deletion is left to the sanitizer build.
struct GLUquadric {
    GLenum style = GLU_FILL;
    bool textured = false;
};

gldouble::Recorder gldouble::recorder;
using namespace gldouble;

namespace {
// Post-multiplies the current matrix by m, as GL does with every transform; while logging only.
void multiply(const Matrix &m) {
    Matrix &top = recorder.modelview.back();
    const Matrix a = top;
    for (int c = 0; c < 16 && recorder.logging; c += 4) {
        for (int r = 0; r < 4; ++r) {
            top[c + r] =
                a[r] * m[c] + a[4 + r] * m[c + 1] + a[8 + r] * m[c + 2] + a[12 + r] * m[c + 3];
        }
    }
}
void record(Prim kind, std::array<double, 4> args, const GLUquadric *q = nullptr) {
    ++recorder.counts[static_cast<int>(kind)];
    if (recorder.logging) {
        recorder.primitives.push_back({kind, args, recorder.modelview.back(), recorder.boundTexture,
                                       recorder.shadeModel, q && q->style == GLU_FILL,
                                       q && q->textured});
    }
}
const auto request = [](const std::string &what) { recorder.requests.push_back(what); };
} // namespace

// An entry point running the statements given, with the C linkage its header declares.
#define ENTRY(type, name, params, ...)                                                             \
    type name params {                                                                             \
        __VA_ARGS__;                                                                               \
    }
// ---- GL ----
ENTRY(void, glTexParameteri, (GLenum, GLenum name, GLint value),
      recorder.textures[recorder.boundTexture].parameters[name] = value)
ENTRY(void, glTexEnvf, (GLenum, GLenum, GLfloat), )
ENTRY(void, glGenTextures, (GLsizei n, GLuint *names), for (; n > 0; --n) names[n - 1] = 10 + n)
ENTRY(void, glPixelStorei, (GLenum name, GLint value), recorder.pixelStore[name] = value)
ENTRY(void, glClearColor, (GLclampf, GLclampf, GLclampf, GLclampf), )
ENTRY(void, glColorMaterial, (GLenum, GLenum), )
ENTRY(void, glFogf, (GLenum, GLfloat), )
ENTRY(void, glMaterialfv, (GLenum, GLenum, const GLfloat *), )
ENTRY(void, glLightfv, (GLenum, GLenum, const GLfloat *), )
ENTRY(void, glViewport, (GLint, GLint, GLsizei, GLsizei), )
ENTRY(void, glClear, (GLbitfield), )
ENTRY(void, glMatrixMode, (GLenum), )
ENTRY(void, glBindTexture, (GLenum, GLuint texture), recorder.boundTexture = texture)
ENTRY(void, glShadeModel, (GLenum model), recorder.shadeModel = model)
ENTRY(void, glEnable, (GLenum cap), recorder.lighting |= cap == GL_LIGHTING)
ENTRY(void, glDisable, (GLenum cap), recorder.lighting &= cap != GL_LIGHTING)
ENTRY(void, glLoadIdentity, (), recorder.modelview.back() = Recorder{}.modelview[0])
ENTRY(void, glPushMatrix, (), recorder.modelview.push_back(recorder.modelview.back()))
void glPopMatrix() { // a pop of the last matrix is an error, and leaves it
    if (recorder.modelview.size() == 1) {
        ++recorder.stackErrors;
        return;
    }
    recorder.modelview.pop_back();
}
ENTRY(void, glTranslatef, (GLfloat x, GLfloat y, GLfloat z),
      multiply({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}))
ENTRY(void, glScalef, (GLfloat x, GLfloat y, GLfloat z),
      multiply({x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1}))
// Rotation by `angle` degrees about the axis (x, y, z), normalised first.
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    const float length = std::sqrt(x * x + y * y + z * z), t = 1 - std::cos(angle * M_PI / 180);
    const float s = std::sin(angle * M_PI / 180), c = 1 - t;
    x /= length;
    y /= length;
    z /= length;
    multiply({t * x * x + c, t * x * y + s * z, t * x * z - s * y, 0, t * x * y - s * z,
              t * y * y + c, t * y * z + s * x, 0, t * x * z + s * y, t * y * z - s * x,
              t * z * z + c, 0, 0, 0, 0, 1});
}
// ---- GLU ----
ENTRY(void, gluPerspective, (GLdouble, GLdouble, GLdouble, GLdouble), )
// Keeps the texels as GL unpacks them: rows of `width` RGB texels, each starting at the unpack
// alignment; rows that would run past the buffer of width * height texels are left out.
GLint gluBuild2DMipmaps(GLenum, GLint, GLsizei width, GLsizei height, GLenum, GLenum,
                        const void *data) {
    const auto *bytes = static_cast<const unsigned char *>(data);
    const long row = width * 3L, align = recorder.pixelStore[GL_UNPACK_ALIGNMENT];
    Texture &texture = recorder.textures[recorder.boundTexture];
    texture.size = {width, height};
    for (long at = 0; at + row <= row * height; at += (row + align - 1) / align * align) {
        texture.rgb.insert(texture.rgb.end(), bytes + at, bytes + at + row);
    }
    return 0;
}
ENTRY(GLUquadric *, gluNewQuadric, (), ++recorder.quadricsMade; return new GLUquadric)
ENTRY(void, gluDeleteQuadric, (GLUquadric * q), ++recorder.quadricsDeleted; delete q)
ENTRY(void, gluQuadricDrawStyle, (GLUquadric * q, GLenum style), q->style = style)
ENTRY(void, gluQuadricNormals, (GLUquadric *, GLenum), )
ENTRY(void, gluQuadricTexture, (GLUquadric * q, GLboolean on), q->textured = on == GL_TRUE)
ENTRY(void, gluDisk, (GLUquadric * q, GLdouble in, GLdouble out, GLint slices, GLint loops),
      record(Prim::Disk, {in, out, double(slices), double(loops)}, q))
ENTRY(void, gluSphere, (GLUquadric * q, GLdouble radius, GLint slices, GLint stacks),
      record(Prim::GluSphere, {radius, double(slices), double(stacks)}, q))
// ---- GLUT ----
ENTRY(void, glutReshapeWindow, (int w, int h), request(std::to_string(w) + "x" + std::to_string(h)))
ENTRY(void, glutFullScreen, (), request("full screen"))
ENTRY(void, glutInitDisplayString, (const char *text), request(text))
ENTRY(void, glutGameModeString, (const char *text), request(text))
ENTRY(void, glutAddMenuEntry, (const char *text, int value),
      request(text + (" = " + std::to_string(value))))
ENTRY(int, glutCreateMenu, (void (*f)(int)), recorder.menu = f; return 1)
ENTRY(int, glutGameModeGet, (GLenum), return 1)
ENTRY(int, glutEnterGameMode, (), return 0) // possible, the display says, but it fails
ENTRY(void, glutAttachMenu, (int), )
ENTRY(void, glutInit, (int *, char **), )
ENTRY(void, glutSpecialFunc, (void (*)(int, int, int)), )
ENTRY(void, glutDisplayFunc, (void (*)()), )
ENTRY(void, glutReshapeFunc, (void (*)(int, int)), )
ENTRY(void, glutMainLoop, (), ) // returns at once
ENTRY(void, glutInitWindowPosition, (int, int), )
ENTRY(void, glutInitWindowSize, (int w, int h), glutReshapeWindow(w, h)) // as its size
ENTRY(int, glutCreateWindow, (const char *), request("window"); return 1)
ENTRY(void, glutPostRedisplay, (), ++recorder.redisplays)
ENTRY(void, glutSwapBuffers, (), )
ENTRY(int, glutGet, (GLenum query), return query == GLUT_ELAPSED_TIME ? recorder.elapsedMs : 0)
ENTRY(void, glutIdleFunc, (void (*f)()), recorder.idle = f)
ENTRY(void, glutKeyboardFunc, (void (*f)(unsigned char, int, int)), recorder.keyboard = f)
ENTRY(void, glutSolidCube, (double edge), record(Prim::SolidCube, {edge}))
ENTRY(void, glutWireCube, (double edge), record(Prim::WireCube, {edge}))
ENTRY(void, glutSolidSphere, (double r, GLint slices, GLint stacks),
      record(Prim::SolidSphere, {r, double(slices), double(stacks)}))
ENTRY(void, glutWireSphere, (double r, GLint slices, GLint stacks),
      record(Prim::WireSphere, {r, double(slices), double(stacks)}))
