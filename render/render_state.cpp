// Fixed render state, the light and material, and the projection of every frame.
#include "app/world_state.h"
#include "render/render.h"

#include <GL/glu.h>

// Projection until the first reshape: 20 degrees vertical, the screen's 4:3, near 50.
constexpr double startFieldOfView = 20;
constexpr double startAspect = 4.0 / 3.0;
constexpr double startNear = 50;
constexpr double startFar = 5000;

// Projection of every frame: 20 degrees, square aspect (the image is stretched across the
// 4:3 viewport), near 20.
constexpr double frameFieldOfView = 20;
constexpr double frameAspect = 1.0;
constexpr double frameNear = 20;
constexpr double frameFar = 5000;

// Tessellation of the spheres of the scene and of carried food.
constexpr int sceneSlices = 30;
constexpr int sceneStacks = 20;

// Fog is configured but never switched on.
constexpr GLfloat fogDensity = 0.1f;

// The viewport is the game-mode screen's (frameWidth by frameHeight), whatever the window.
static void setProjection(double fieldOfView, double aspect, double zNear, double zFar) {
    glViewport(0, 0, frameWidth, frameHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, aspect, zNear, zFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void initRender() {
    glClearColor(0, 0, 0, 0);
    setProjection(startFieldOfView, startAspect, startNear, startFar);
    glMaterialfv(GL_FRONT, GL_SPECULAR, materialSpecular);
    glMaterialfv(GL_FRONT, GL_SHININESS, &materialShininess);
    // Set under the identity modelview, so the light stays fixed relative to the viewer.
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    // Rows of the raw images are tightly packed, whatever their length.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    loadTextures();
    glFogf(GL_FOG_MODE, GL_EXP2);
    glFogf(GL_FOG_DENSITY, fogDensity);
    glEnable(GL_DEPTH_TEST);
}

void reshapeView(int, int) {
    setProjection(frameFieldOfView, frameAspect, frameNear, frameFar);
}

GLUquadric *newTexturedQuadric() {
    GLUquadric *quadric = gluNewQuadric();
    if (quadric != nullptr) {
        gluQuadricDrawStyle(quadric, GLU_FILL);
        gluQuadricNormals(quadric, GLU_SMOOTH);
        gluQuadricTexture(quadric, GL_TRUE);
    }
    return quadric;
}

void deleteQuadric(GLUquadric *quadric) {
    if (quadric != nullptr) {
        gluDeleteQuadric(quadric);
    }
}

void beginUnlit() {
    glPushMatrix();
    glDisable(GL_LIGHTING);
}

void endUnlit() {
    glEnable(GL_LIGHTING);
    glPopMatrix();
}

void drawSceneSphere(GLUquadric *quadric, double radius) {
    if (quadric != nullptr) {
        gluSphere(quadric, radius, sceneSlices, sceneStacks);
    }
}
