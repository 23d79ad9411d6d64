// Checks the recording GL double's matrix arithmetic, stacks and pixel reads by hand-worked values.
#include "gl_double/recording_gl.h"

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

using namespace gldouble;
constexpr double tolerance = 1e-5;
static void expectPoint(std::array<double, 3> in, std::array<double, 3> out,
                        const Matrix &m = rec().modelview.back()) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(transformPoint(m, in[0], in[1], in[2])[i], out[i], tolerance) << "axis " << i;
    }
}

TEST(GlDouble, TransformsPostMultiplyInCallOrderIntoTheCurrentMatrix) {
    resetRecorder();
    glTranslatef(1, 2, 3);
    glRotatef(90, 0, 0, 1);
    glTranslatef(1, 0, 0);
    glScalef(2, 3, 4);
    expectPoint({1, 0, 0}, {1, 5, 3}); // it meets the last call first: scale, step, turn, move
    expectPoint({0, 0, 1}, {1, 3, 7});
    glLoadIdentity();
    glRotatef(120, 2, 2, 2); // a third of a turn about the diagonal cycles x to y to z
    expectPoint({0, 0, 3}, {3, 0, 0});
    glRotatef(90, 0, -3, 0); // a quarter turn about -y takes z to -x, then the diagonal one to -y
    glMatrixMode(GL_PROJECTION);
    gluPerspective(90, 2, 1, 3); // cot 45 = 1, so x is halved; depth runs over 2 units
    EXPECT_EQ(rec().projection[0], (Matrix{.5, 0, 0, 0, 0, 1, 0, 0, 0, 0, -2, -1, 0, 0, -3, 0}));
    expectPoint({0, 0, 1}, {0, -1, 0});
}

TEST(GlDouble, PushCopiesTopPopRestoresItAndPrimitivesKeepTheirMatrix) {
    resetRecorder();
    glTranslatef(5, 0, 0);
    glPushMatrix();
    glScalef(2, 2, 2);
    glutSolidCube(0.5);
    glPopMatrix();
    glPopMatrix(); // an error: the last matrix stays
    expectPoint({1, 1, 1}, {6, 1, 1});
    expectPoint({1, 1, 1}, {7, 2, 2}, rec().primitives.at(0).modelview);
    for (int push = 0; push < 40; ++push) { // GL guarantees 32 modelview matrices: 9 too many
        glPushMatrix();
    }
    EXPECT_EQ(rec().stackErrors, 10);
    EXPECT_EQ(rec().maxModelviewDepth, 32u);
}

TEST(GlDouble, UploadsReadEachRowAtTheUnpackAlignment) {
    resetRecorder();
    const unsigned char image[] = {1, 2, 3, 0, 4, 5, 6, 0}; // RGB rows padded to the default 4
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, 1, 2, GL_RGB, GL_UNSIGNED_BYTE, image);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // now read as rows that abut
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, 1, 2, GL_RGB, GL_UNSIGNED_BYTE, image);
    EXPECT_EQ(rec().uploads.at(0).pixels, (std::vector<unsigned char>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(rec().uploads.at(1).pixels, (std::vector<unsigned char>{1, 2, 3, 0, 4, 5}));
}
