// Behaviour tests of web/ against a recorder of the few GL calls it makes, and the C library.
#include "../../web/web.h"

#include <gtest/gtest.h>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

using Vertex = std::array<float, 8>; // position, normal, texture coordinate, as GL reads them
static std::vector<std::pair<GLenum, std::vector<Vertex>>> draws;
static std::vector<std::vector<Vertex>> buffers(1); // by name; 0 is none
static GLuint bound = 0;

void glEnableClientState(GLenum) {}
void glDisableClientState(GLenum) {}
void glVertexPointer(GLint, GLenum, GLsizei, const void *) {}
void glNormalPointer(GLenum, GLsizei, const void *) {}
void glTexCoordPointer(GLint, GLenum, GLsizei, const void *) {}
void glGenBuffers(GLsizei, GLuint *name) {
    *name = GLuint(buffers.size());
    buffers.emplace_back();
}
void glBindBuffer(GLenum, GLuint name) {
    bound = name;
}
void glBufferData(GLenum, GLsizeiptr size, const void *data, GLenum) {
    const Vertex *vertices = static_cast<const Vertex *>(data);
    buffers[bound].assign(vertices, vertices + size / sizeof(Vertex));
}
void glGetFloatv(GLenum, GLfloat *) {} // matrices of zeros: no shape lies outside the view
void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    auto vertices = buffers[bound].begin() + first;
    draws.push_back({mode, std::vector<Vertex>(vertices, vertices + count)});
}
void glutInitDisplayMode(unsigned) {}

// The one draw since the last: COUNT vertices of MODE, each triangle facing where its normals do.
static std::vector<Vertex> drawn(GLenum mode, size_t count) {
    auto [m, v] = draws.at(0);
    EXPECT_TRUE(draws.size() == 1 && m == mode && v.size() == count) << m << " " << v.size();
    draws.clear();
    for (size_t i = 2; mode == GL_TRIANGLES && i < v.size(); i += 3) {
        const Vertex &a = v[i - 2], &b = v[i - 1], &c = v[i];
        float facing = 0; // (b - a) x (c - a) against the normals' sum
        float area = 0;
        for (int k = 0; k < 3; ++k) {
            const int j = (k + 1) % 3, l = (k + 2) % 3;
            float cross = (b[j] - a[j]) * (c[l] - a[l]) - (b[l] - a[l]) * (c[j] - a[j]);
            facing += cross * (a[k + 3] + b[k + 3] + c[k + 3]);
            area += std::fabs(cross);
        }
        EXPECT_TRUE(area < 1e-6f || facing > 0) << "triangle " << i / 3 << " faces inward";
    }
    return v;
}

TEST(WebPlatform, QuadricsAndGlutShapesAreOneOutwardDrawEach) {
    GLUquadric *q = gluNewQuadric();
    gluQuadricTexture(q, GL_TRUE);
    gluSphere(q, 2, 7, 10); // a head: 7 slices, 10 stacks, two triangles per facet
    for (const Vertex &v : drawn(GL_TRIANGLES, 7 * 10 * 6)) {
        // t falls from 1 at the top pole; s from 1 at +y turning toward +x (0 or 1 on the seam).
        EXPECT_NEAR(v[7], 1 - std::acos(v[2] / 2) / M_PI, 1e-5);
        const double turned = std::atan2(v[0], v[1]) / (2 * M_PI); // 0 on a pole
        EXPECT_NEAR(std::remainder(v[6] + turned, 1), 0, std::hypot(v[0], v[1]) < 1e-3 ? 1 : 1e-5);
    }
    glutSolidCube(2); // six faces
    drawn(GL_TRIANGLES, 6 * 6);
    glutWireSphere(1, 6, 4); // 6 meridians of 4 lines from pole to pole, then 3 rings of 6
    std::vector<Vertex> lines = drawn(GL_LINES, 2 * (6 * 4 + 3 * 6));
    EXPECT_EQ(lines[7][2], -1); // the first meridian's end
    glShadeModel(GL_FLAT); // each triangle takes the normal of its last vertex, as on the desktop
    gluSphere(q, 1, 5, 4);
    glShadeModel(GL_SMOOTH);
    std::vector<Vertex> flat = drawn(GL_TRIANGLES, 5 * 4 * 6);
    for (size_t i = 0; i < flat.size(); ++i) {
        const Vertex &last = flat[i / 3 * 3 + 2]; // its normal, smooth, is where it lies
        EXPECT_TRUE(std::equal(&flat[i][3], &flat[i][6], &last[0])) << "flat vertex " << i;
    }
    gluDeleteQuadric(q);
}

// The page's rand draws what the desktop's C library draws, unseeded as the program leaves it.
TEST(WebPlatform, RandomNumbersAreTheDesktopLibrarys) {
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(nextRandom(), std::rand()) << "draw " << i;
    }
}
