// Body parts shared by both ant models, and the solid/wire rule for their primitives.
#include "app/world_state.h"
#include "models/models.h"
#include "render/render.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

// A body sphere: radius and tessellation of a head, thorax or abdomen, or of an eye.
struct SphereSize {
    double radius;
    int slices;
    int stacks;
};

constexpr SphereSize headSphere = {0.3, 7, 10};
constexpr SphereSize eyeSphere = {0.12, 80, 5};
constexpr SphereSize thoraxSphere = {0.2, 50, 10};
constexpr SphereSize abdomenSphere = {0.24, 50, 10};

// Where the parts sit in the model frame (the ant faces -y, its back is +z).
constexpr float headOffsetY = -1;
constexpr float leftEyeOffset[3] = {0.21f, -1, 0.1f};
constexpr float rightEyeOffset[3] = {-0.21f, -1, 0.1f};
constexpr float thoraxStretchY = 2;
constexpr float thoraxOffsetY = -0.2f; // inside the stretch: the centre lies at y = -0.4
constexpr float abdomenStretchY = 1.5f;
constexpr float abdomenOffsetY = 0.2f; // inside the stretch: the centre lies at y = 0.3
constexpr float mandibleEdge = 0.08f;

void drawRod(float edge, float stretch) {
    glScalef(1, stretch, 1);
    if (world.wireframe == 0) {
        glutSolidCube(edge);
    } else {
        glutWireCube(edge);
    }
}

// Draws a head, thorax or abdomen sphere with the part's quadric: the textured quadric
// sphere when solid, the toolkit's wire sphere when wire. Without a quadric the solid
// sphere is left out.
static void drawBodySphere(GLUquadric *quadric, const SphereSize &size) {
    if (world.wireframe != 0) {
        glutWireSphere(size.radius, size.slices, size.stacks);
    } else if (quadric != nullptr) {
        gluSphere(quadric, size.radius, size.slices, size.stacks);
    }
}

static void drawEyeSphere() {
    if (world.wireframe == 0) {
        glutSolidSphere(eyeSphere.radius, eyeSphere.slices, eyeSphere.stacks);
    } else {
        glutWireSphere(eyeSphere.radius, eyeSphere.slices, eyeSphere.stacks);
    }
}

void drawHead() {
    glPushMatrix();
    GLUquadric *quadric = newTexturedQuadric();
    // Lays the sphere's poles along x, so that its few slices run around the x axis.
    glRotatef(90, 0, 1, 0);
    glTranslatef(0, headOffsetY, 0);
    drawBodySphere(quadric, headSphere);
    deleteQuadric(quadric);
    glPopMatrix();
}

void drawMandible() {
    glPushMatrix();
    drawRod(mandibleEdge, 1);
    glPopMatrix();
}

static void drawEyeAt(const float (&offset)[3]) {
    glPushMatrix();
    glTranslatef(offset[0], offset[1], offset[2]);
    drawEyeSphere();
    glPopMatrix();
}

void drawLeftEye() {
    drawEyeAt(leftEyeOffset);
}

void drawRightEye() {
    drawEyeAt(rightEyeOffset);
}

// A body segment: the part's sphere stretched along y, moved inside the stretch.
static void drawBodySegment(float stretchY, float offsetY, const SphereSize &size) {
    glPushMatrix();
    GLUquadric *quadric = newTexturedQuadric();
    glScalef(1, stretchY, 1);
    glTranslatef(0, offsetY, 0);
    drawBodySphere(quadric, size);
    deleteQuadric(quadric);
    glPopMatrix();
}

void drawThorax() {
    drawBodySegment(thoraxStretchY, thoraxOffsetY, thoraxSphere);
}

void drawAbdomen() {
    drawBodySegment(abdomenStretchY, abdomenOffsetY, abdomenSphere);
}
