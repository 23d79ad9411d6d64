// Behaviour tests of the two ant models: primitive inventory, gait fold-back, pose, geometry.
#include "app/world_state.h"
#include "gl_double/recording_gl.h"
#include "models/models.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace gldouble;

struct AntModels : ::testing::Test {
    void SetUp() override {
        resetRecorder();
        world = WorldState{};
    }
};
static auto oscillators() {
    return std::make_tuple(world.antennaAngle, world.antennaDir, world.legSwingAngle,
                           world.legSwingDir, world.legLiftAngle, world.legLiftDir, world.jawAngle,
                           world.jawDir);
}
// Same primitives of the same sizes under the same matrices.
static void expectSameDraw(const std::vector<Primitive> &a, const std::vector<Primitive> &b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(std::tie(a[i].kind, a[i].args, a[i].modelview),
                  std::tie(b[i].kind, b[i].args, b[i].modelview));
    }
}

// Spheres in drawing order (head, left eye, right eye, thorax, abdomen) and their solid kind.
const std::vector<double> sphereSizes[] = {
    {0.3, 7, 10}, {0.12, 80, 5}, {0.12, 80, 5}, {0.2, 50, 10}, {0.24, 50, 10}};
constexpr Prim solidSphereKinds[] = {Prim::GluSphere, Prim::SolidSphere, Prim::SolidSphere,
                                     Prim::GluSphere, Prim::GluSphere};

TEST_F(AntModels, InventoryFollowsTheSolidWireRuleAndRestoresState) {
    for (int run = 0; run < 4; ++run) {
        void (*model)() = run < 2 ? drawAntModelA : drawAntModelB;
        const int wire = run % 2;
        SCOPED_TRACE(testing::Message() << "model A " << (run < 2) << " wire " << wire);
        SetUp();
        world.wireframe = wire, world.flatShading = 1 - wire;
        const GLenum shade = wire ? GL_SMOOTH : GL_FLAT;
        glShadeModel(wire ? GL_FLAT : GL_SMOOTH); // the opposite of what the model sets
        glBindTexture(GL_TEXTURE_2D, 7);
        glTranslatef(1, 2, 3);
        const Matrix before = rec().modelview.back();
        model();
        std::map<double, int> rodsByEdge;         // edge rounded to 0.01 -> rods
        std::vector<std::vector<double>> spheres; // radius, slices, stacks
        for (const Primitive &p : rec().primitives) {
            EXPECT_EQ(std::make_tuple(p.texture, p.shadeModel), std::make_tuple(7u, shade));
            if (p.kind == Prim::SolidCube || p.kind == Prim::WireCube) {
                EXPECT_EQ(p.kind, wire ? Prim::WireCube : Prim::SolidCube);
                ++rodsByEdge[std::round(p.args[0] * 100) / 100];
            } else {
                EXPECT_EQ(p.kind, wire ? Prim::WireSphere : solidSphereKinds[spheres.size() % 5]);
                spheres.push_back(p.args);
            }
        }
        EXPECT_EQ(spheres, std::vector<std::vector<double>>(sphereSizes, sphereSizes + 5));
        // Mandibles and outer front and hind leg rods at 0.08, other leg rods at 0.09, two
        // rods per antenna at 0.05 (model B may leave out its outer antenna rods).
        const int antennaRods = run >= 2 && rodsByEdge[0.05] == 2 ? 2 : 4;
        EXPECT_EQ(rodsByEdge, (std::map<double, int>{{0.05, antennaRods}, {0.08, 6}, {0.09, 14}}));
        EXPECT_EQ(std::make_tuple(rec().quadricsMade, rec().quadricsDeleted, rec().modelview,
                                  rec().boundTexture, rec().shadeModel, rec().stackErrors),
                  std::make_tuple(3L, 3L, std::vector<Matrix>{before}, 7u, shade, 0L));
    }
}

// An oscillator's value and direction before drawing model A, and as the drawing leaves them.
enum Oscillator { Jaw, Antenna, Lift, Swing };
constexpr int WorldState::*angleOf[] = {&WorldState::jawAngle, &WorldState::antennaAngle,
                                        &WorldState::legLiftAngle, &WorldState::legSwingAngle};
constexpr int WorldState::*dirOf[] = {&WorldState::jawDir, &WorldState::antennaDir,
                                      &WorldState::legLiftDir, &WorldState::legSwingDir};
constexpr int foldCases[][5] = {
    {Jaw, 86, 0, 85, 1},         {Jaw, 85, 0, 85, 0},         {Jaw, 39, 1, 40, 0},
    {Antenna, -129, 0, -130, 1}, {Antenna, -130, 0, -130, 0}, {Antenna, -180, 1, -180, 1},
    {Antenna, -201, 1, -200, 0}, {Antenna, -120, 0, -130, 1}, {Lift, 5, 0, 5, 1},
    {Lift, -5, 1, -5, 0},        {Lift, 6, 0, 5, 1},          {Swing, 30, 0, 30, 0},
    {Swing, 33, 0, 30, 1},       {Swing, -28, 1, -28, 1},     {Swing, -31, 1, -28, 0}};
TEST_F(AntModels, ModelAFoldsEachOscillatorBackBeforeDrawingIt) {
    for (auto [which, value, dir, foldedValue, foldedDir] : foldCases) {
        SCOPED_TRACE(testing::Message() << "oscillator " << which << " value " << value);
        auto draw = [&, which = which](int angle, int direction) {
            SetUp();
            world.*angleOf[which] = angle, world.*dirOf[which] = direction;
            drawAntModelA();
            return std::make_tuple(oscillators(), rec().primitives);
        };
        const auto [expected, expectedPose] = draw(foldedValue, foldedDir);
        const auto [got, pose] = draw(value, dir);
        EXPECT_EQ(got, expected);
        expectSameDraw(pose, expectedPose); // drawn as the folded value
    }
}

// Primitive of model A at rest, point on its local y axis, and where that lies in the model frame:
// centres of head, thorax, abdomen; thorax front; abdomen tail; left inner antenna rod's tip.
constexpr double modelFramePoints[][5] = {
    {0, 0, 0, -1, 0},      {9, 0, 0, -0.4, 0},     {22, 0, 0, 0.3, 0},
    {9, -0.2, 0, -0.8, 0}, {22, 0.24, 0, 0.66, 0}, {5, -0.025, 0.4603, -1.6972, 0.15}};
TEST_F(AntModels, RestingPoseMatchesTheModelFrameAndModelBFollowsIt) {
    drawAntModelA();
    const std::vector<Primitive> restingA = rec().primitives;
    ASSERT_EQ(restingA.size(), 29u);
    for (const auto &p : modelFramePoints) {
        std::array<double, 3> got = transformPoint(restingA[int(p[0])].modelview, 0, p[1], 0);
        EXPECT_LT(std::hypot(got[0] - p[2], got[1] - p[3], got[2] - p[4]), 1e-4) << p[0];
    }
    // Model B draws the same whatever the oscillators hold, and changes none of them.
    SetUp();
    drawAntModelB();
    const std::vector<Primitive> restingB = rec().primitives;
    SetUp();
    world.antennaAngle = 99, world.legSwingAngle = -99, world.legLiftAngle = 77, world.jawAngle = 9;
    world.antennaDir = world.legSwingDir = world.legLiftDir = world.jawDir = 1;
    const auto before = oscillators();
    drawAntModelB();
    EXPECT_EQ(oscillators(), before);
    expectSameDraw(rec().primitives, restingB);
    // From the thorax on both models draw the same: thorax, 12 leg rods, abdomen, 6 leg rods.
    ASSERT_GE(restingB.size(), 20u);
    expectSameDraw({restingB.end() - 20, restingB.end()}, {restingA.end() - 20, restingA.end()});
}
