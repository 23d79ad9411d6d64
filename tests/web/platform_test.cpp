// Behaviour tests of web/platform.cpp against a recorder of the few GL calls it makes.
#include "../../web/web.h"

#include <gtest/gtest.h>
#include <array>
#include <cmath>
#include <vector>

using Vertex = std::array<float, 8>; // position, normal, texture coordinate, as GL reads them
static std::vector<std::pair<GLenum, std::vector<Vertex>>> draws;
static std::pair<const float *, int> arrays[3]; // vertex, normal, texture coordinate: at, stride
static double volume; // enclosed by the last filled shape if closed, > 0 when it faces outward

void glEnableClientState(GLenum) {}
void glDisableClientState(GLenum) {}
void glVertexPointer(GLint, GLenum, GLsizei s, const void *p) {
    arrays[0] = {static_cast<const float *>(p), s / 4};
}
void glNormalPointer(GLenum, GLsizei s, const void *p) {
    arrays[1] = {static_cast<const float *>(p), s / 4};
}
void glTexCoordPointer(GLint, GLenum, GLsizei s, const void *p) {
    arrays[2] = {static_cast<const float *>(p), s / 4};
}
void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    draws.push_back({mode, std::vector<Vertex>(count)});
    for (int i = 0, a = 0; i < count * 3; ++i, a = i % 3)
        std::copy_n(arrays[a].first + (first + i / 3) * arrays[a].second, a < 2 ? 3 : 2,
                    &draws.back().second[i / 3][3 * a]);
}
void glTexImage2D(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void *) {}
void glPixelStorei(GLenum, GLint) {}
void glGetIntegerv(GLenum, GLint *) {}
void glutInitDisplayMode(unsigned) {}

// The one draw since the last: COUNT vertices of MODE, each triangle facing where its normals do.
static std::vector<Vertex> drawn(GLenum mode, size_t count) {
    auto [m, v] = draws.at(0);
    EXPECT_TRUE(draws.size() == 1 && m == mode && v.size() == count) << m << " " << v.size();
    draws.clear(), volume = 0;
    for (size_t i = 0; i < v.size(); ++i) { // b never past c: a strip may end mid-triple
        const Vertex &a = v[i - i % 3], &b = v[i - (i % 3 == 2)], &c = v[i];
        EXPECT_NEAR(std::hypot(c[3], c[4], c[5]), 1, 1e-5);
        EXPECT_TRUE(c[6] >= 0 && c[6] <= 1 && c[7] >= 0 && c[7] <= 1);
        float facing = 0, area = 0; // (b - a) x (c - a) against the normals' sum
        for (int k = 0, j = 1, l = 2; mode == GL_TRIANGLES && i % 3 == 2 && k < 3; j = l, l = k++) {
            float cross = (b[j] - a[j]) * (c[l] - a[l]) - (b[l] - a[l]) * (c[j] - a[j]);
            facing += cross * (a[k + 3] + b[k + 3] + c[k + 3]), area += std::fabs(cross);
            volume += cross * (a[k] + 1) / 6; // cones from (-1, -1, -1)
        }
        EXPECT_TRUE(area < 1e-6f || facing > 0) << "triangle " << i / 3 << " faces inward";
    }
    return v;
}

TEST(WebPlatform, QuadricsAndGlutShapesAreOneOutwardDrawEach) {
    GLUquadric *q = gluNewQuadric();
    gluQuadricTexture(q, GL_TRUE);
    gluSphere(q, 2, 7, 10); // a head: 7 slices, 10 stacks, two triangles per facet
    for (const Vertex &v : drawn(GL_TRIANGLES, 7 * 10 * 6))
        EXPECT_NEAR(std::hypot(v[0], v[1], v[2]), 2, 1e-5);
    gluDisk(q, 0, 200, 20, 4); // the ground, facing +z
    EXPECT_EQ(drawn(GL_TRIANGLES, 20 * 4 * 6).back()[5], 1);
    glutSolidCube(2), drawn(GL_TRIANGLES, 6 * 6); // six faces, closed around 2 x 2 x 2
    EXPECT_NEAR(volume, 8, 1e-5);
    glutWireCube(2), drawn(GL_LINES, 6 * 4 * 2);
    gluDeleteQuadric(q);
}
