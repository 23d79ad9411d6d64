// Checks the recording GL double's matrix arithmetic and stacks against hand-worked values.
#include "gl_double/recording_gl.h"

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

using namespace gldouble;

constexpr double tolerance = 1e-5;

static void expectPoint(const Matrix &m, std::array<double, 3> in, std::array<double, 3> out) {
    std::array<double, 3> got = transformPoint(m, in[0], in[1], in[2]);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(got[i], out[i], tolerance) << "component " << i;
    }
}

TEST(GlDouble, TransformsPostMultiplyInCallOrder) {
    resetRecorder();
    glTranslatef(1, 2, 3);
    glRotatef(90, 0, 0, 1);
    glTranslatef(1, 0, 0);
    glScalef(2, 3, 4);
    // A point meets the last call first: scale, step along x, turn x toward y, move.
    expectPoint(rec().modelview.back(), {1, 0, 0}, {1, 5, 3});
    expectPoint(rec().modelview.back(), {0, 1, 0}, {-2, 3, 3});
    expectPoint(rec().modelview.back(), {0, 0, 1}, {1, 3, 7});
}

TEST(GlDouble, RotationNormalisesItsAxis) {
    resetRecorder();
    glRotatef(120, 2, 2, 2); // a third of a turn about the diagonal cycles x to y to z
    expectPoint(rec().modelview.back(), {1, 0, 0}, {0, 1, 0});
    expectPoint(rec().modelview.back(), {0, 0, 3}, {3, 0, 0});
    resetRecorder();
    glRotatef(90, 0, -3, 0); // a quarter turn about -y takes x to z
    expectPoint(rec().modelview.back(), {1, 0, 0}, {0, 0, 1});
}

TEST(GlDouble, PerspectiveMultipliesIntoTheProjectionOnly) {
    resetRecorder();
    glMatrixMode(GL_PROJECTION);
    glTranslatef(0, 0, 1);
    gluPerspective(90, 2, 1, 3); // cot 45 = 1, so x is halved; depth runs over 2 units
    // T * P: the translation adds P's w row to its z row.
    const Matrix expected = {0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, -3, -1, 0, 0, -3, 0};
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(rec().projection.back()[i], expected[i], tolerance) << "element " << i;
    }
    EXPECT_EQ(rec().modelview.back(), identityMatrix);
}

TEST(GlDouble, PushCopiesTopAndPopRestoresIt) {
    resetRecorder();
    glTranslatef(5, 0, 0);
    glPushMatrix();
    glScalef(2, 2, 2);
    glPushMatrix();
    expectPoint(rec().modelview.back(), {1, 1, 1}, {7, 2, 2});
    glPopMatrix();
    glPopMatrix();
    expectPoint(rec().modelview.back(), {1, 1, 1}, {6, 1, 1});
    EXPECT_EQ(rec().maxModelviewDepth, 3u);
    EXPECT_EQ(rec().stackErrors, 0);
    glPopMatrix(); // the last matrix stays
    EXPECT_EQ(rec().stackErrors, 1);
    EXPECT_EQ(rec().modelview.size(), 1u);
}

TEST(GlDouble, PrimitiveKeepsTheMatrixItWasDrawnUnder) {
    resetRecorder();
    glPushMatrix();
    glTranslatef(0, -4, 0);
    glutSolidCube(0.5);
    glPopMatrix();
    ASSERT_EQ(rec().primitives.size(), 1u);
    expectPoint(rec().primitives[0].modelview, {0, 0, 0}, {0, -4, 0});
    EXPECT_EQ(rec().primitives[0].args, std::vector<double>{0.5});
}
