// Shared fixture of the behaviour tests: a fresh world on the recording double, frame by frame.
#pragma once
#include "app/app.h"
#include "app/world_state.h"
#include "gl_double/recording_gl.h"
#include "scene/scene.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

using namespace gldouble;
using Vec = std::array<double, 3>;
constexpr double headRadius = 0.3, degrees = M_PI / 180; // an ant's head sphere stands for it

inline double distance(const Vec &a, const Vec &b) {
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

// Whether two worlds agree before `host`: all 4-byte fields, unlike the padded group after.
inline bool same(const WorldState &a, const WorldState &b) {
    return std::memcmp(&a, &b, offsetof(WorldState, host)) == 0;
}

struct World : ::testing::Test {
    void SetUp() override {
        recorder = Recorder{};
        world = WorldState{};
        GLuint name = 1; // the texture objects start-up makes, 1 to 6 in its order
        for (GLuint WorldState::*texture :
             {&WorldState::texFire2, &WorldState::texCandy, &WorldState::texWood,
              &WorldState::texFire, &WorldState::texHole, &WorldState::texYant})
            world.*texture = name++;
        std::srand(1); // the generator as a process starts
    }
    // One idle tick, when a callback is installed, and one frame; `logged` keeps its primitives,
    // and every quadric among them must be filled and textured.
    static void frame(bool logged = false) {
        recorder.primitives.clear();
        recorder.logging = logged;
        if (recorder.idle != nullptr) {
            recorder.idle();
        }
        displayScene();
        for (const Primitive &p : recorder.primitives)
            EXPECT_TRUE(p.kind > Prim::GluSphere || (p.filled && p.textured)) << p.args[0];
    }
    // World centres of the logged gluSpheres of this radius and texture, in drawing order (the
    // camera panned and zoomed, not turned).
    static std::vector<Vec> spheres(double radius, GLuint texture) {
        std::vector<Vec> found;
        for (const Primitive &p : recorder.primitives) {
            const Matrix &m = p.modelview;
            if (p.kind == Prim::GluSphere && p.args[0] == radius && p.texture == texture) {
                found.push_back({m[12] + 20 - world.cameraPanX, m[13] + 20 - world.cameraPanY,
                                 m[14] + 400 - world.cameraZoom});
            }
        }
        return found;
    }
    static bool anyAt(const std::vector<Vec> &points, const Vec &where, double tolerance = 1e-3) {
        return std::any_of(points.begin(), points.end(),
                           [&](const Vec &p) { return distance(p, where) < tolerance; });
    }
};
