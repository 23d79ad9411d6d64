// Start-up of the bemo world: call order, window, key menu, render state and the six textures.
#include "app/app.h"
#include "app/world_state.h"
#include "gl_double/recording_gl.h"
#include "render/render.h"
#include "scene/scene.h"

#include <GL/freeglut.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {
using namespace gldouble;
using Calls = std::vector<std::string>;

// The six images in load order; the test makes candy.raw stop mid-image and fire.raw run past it.
constexpr const char *files[] = {"fire2.raw", "candy.raw", "wood.raw",
                                 "fire.raw",  "hole.raw",  "yant.raw"};
constexpr int widths[] = {640, 500, 650, 640, 400, 640}, heights[] = {320, 500, 320, 320, 300, 320};
constexpr size_t fileSizes[] = {614400, 375007, 624000, 619400, 360000, 614400};

constexpr char menuEntryLines[] =
    "Key Assignments\nTab : Tongle between windowed or fullsize screen\n"
    "w : Press and hold to see the walking animation\nd : Press to make the ants do a short walk\n"
    "    (works only when the patrol ants are walking away from their nest\n"
    "     and when they are not very far from their nest)\nArrow Keys : Camera navigation\n"
    "i : Zoom in\no : Zoom out\ns : Start or stop the animation\nEsc : Exit the bemo world\n"
    "r : Rotate camera up\nR : Rotate camera down\nv : Rotate camera left\n"
    "V : Rotate camera right\nm : Change between wireframe or solid\n"
    "M : Change between smoothshaded or flatshaded\n1 : Reset camera\n";

// The first `size` bytes of file `f`: every byte of image row r is the marker r + f (mod 256).
std::string fileBytes(int f, size_t size) {
    std::string bytes(size, 0);
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = char(i / (widths[f] * 3) + f);
    }
    return bytes;
}

// The projection that gluPerspective(fovy, aspect, n, f) makes, worked out by hand.
void expectPerspective(double fovy, double aspect, double n, double f) {
    const double c = 1 / std::tan(fovy / 2 * M_PI / 180), d = n - f;
    const double m[16] = {c / aspect,   0, 0, 0, 0, c, 0, 0, 0, 0, (f + n) / d, -1, 0, 0,
                          2 * f * n / d};
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(rec().projection.back()[i], m[i], 1e-6 * std::max(1.0, std::fabs(m[i]))) << i;
    }
}

int argc = 1;
char arg0[] = "bemo", *argv[] = {arg0, nullptr};

struct Startup : ::testing::Test {
    std::filesystem::path home = std::filesystem::current_path(), dir;
    void SetUp() override {
        char pattern[] = "/tmp/startup_test.XXXXXX";
        std::filesystem::current_path(dir = mkdtemp(pattern));
        for (int f = 0; f < 6; ++f) {
            std::ofstream(files[f]) << fileBytes(f, fileSizes[f]);
        }
        resetRecorder();
        world = WorldState{};
    }
    void TearDown() override {
        std::filesystem::current_path(home);
        std::filesystem::remove_all(dir);
    }
};

TEST_F(Startup, StartsUpAlikeWhicheverWayTheWindowOpens) {
    const Calls want{
        "glutInit",       "glutInitDisplayString", "glutGameModeString", "glutSpecialFunc",
        "initRender",     "glutDisplayFunc",       "glutReshapeFunc",    "glutKeyboardFunc",
        "glutCreateMenu", "glutAddMenuEntry",      "glutAttachMenu",     "glutMainLoop"};
    for (auto [possible, entered, window] :
         {std::tuple{true, 1, false}, {false, 1, true}, {true, 0, true}}) {
        SCOPED_TRACE(testing::Message() << "possible " << possible << ", entered " << entered);
        resetRecorder();
        rec().gameModePossible = possible, rec().enterGameModeResult = entered;
        startWorld(&argc, argv);
        const Recorder &r = rec();
        // GLUT calls, runs merged, each GL/GLU run as "initRender", window opening calls left out.
        Calls shape;
        for (const std::string &c : r.calls) {
            if (shape.size() != 3 || (c.find("GameMode") == c.npos && c.find("Window") == c.npos)) {
                shape.push_back(c.rfind("glut", 0) == 0 ? c : "initRender");
            }
        }
        shape.erase(std::unique(shape.begin(), shape.end()), shape.end());
        EXPECT_EQ(shape, want);
        EXPECT_TRUE(window || std::count(r.calls.begin(), r.calls.end(), "glutEnterGameMode"));
        EXPECT_EQ(r.windowsCreated, Calls(window, "the bemo world"));
        EXPECT_EQ(r.initWindowSizes, (std::vector<std::pair<int, int>>(window, {1024, 768})));
        EXPECT_EQ(r.displayString + " " + r.gameModeString, "rgb double depth>=16 1024x768:16@60");
        EXPECT_TRUE(r.special == handleSpecialKey && r.display == displayScene && !r.idle &&
                    r.reshape == reshapeView && r.keyboard == handleKey && r.menu == handleMenu);
        std::string texts;
        for (const auto &[text, value] : r.menuEntries) {
            texts += text + (value == 1 ? "\n" : " (value not 1)\n");
        }
        EXPECT_EQ(texts, menuEntryLines);
        EXPECT_EQ(r.attachedButton, GLUT_RIGHT_BUTTON);
        EXPECT_TRUE(isEnabled(GL_LIGHTING) && isEnabled(GL_LIGHT0) && isEnabled(GL_CULL_FACE) &&
                    isEnabled(GL_TEXTURE_2D) && isEnabled(GL_DEPTH_TEST));
        EXPECT_FALSE(isEnabled(GL_FOG) || isEnabled(GL_COLOR_MATERIAL));
        EXPECT_EQ(r.materialFront.at(GL_SPECULAR), (std::vector<float>{10, 1, 1, 1}));
        EXPECT_EQ(r.materialFront.at(GL_SHININESS), std::vector<float>{30});
        EXPECT_EQ(r.light0.at(GL_POSITION), (std::vector<float>{1, 1, 1, 5}));
        EXPECT_EQ(std::count(r.calls.begin(), r.calls.end(), "glGenTextures"), 1);
        const GLuint names[] = {world.texFire2, world.texCandy, world.texWood,
                                world.texFire,  world.texHole,  world.texYant};
        ASSERT_EQ(r.uploads.size(), 6u);
        for (int f = 0; f < 6; ++f) {
            const Upload &up = r.uploads[f];
            EXPECT_EQ(
                std::make_tuple(up.texture, up.width, up.height, up.format, up.unpackAlignment),
                std::make_tuple(names[f], widths[f], heights[f], GLenum(GL_RGB), 1));
            const size_t size = widths[f] * 3 * heights[f];
            std::string want = fileBytes(f, std::min(size, fileSizes[f]));
            want.resize(size, 0); // a short file reads as zeros past its end
            EXPECT_TRUE(std::string(up.pixels.begin(), up.pixels.end()) == want) << files[f];
        }
        EXPECT_EQ(r.boundTexture, world.texYant);
        const std::vector<int> screen{0, 0, 1024, 768};
        EXPECT_EQ(std::vector<int>(r.viewport, r.viewport + 4), screen);
        expectPerspective(20, 4.0 / 3, 50, 5000);
        reshapeView(300, 200);
        EXPECT_EQ(std::vector<int>(r.viewport, r.viewport + 4), screen);
        expectPerspective(20, 1, 20, 5000);
    }
    // Any entry, even the one naming Esc, only asks for one more frame.
    const WorldState before = world;
    resetRecorder();
    handleMenu(1), handleMenu(11), handleMenu(0);
    EXPECT_EQ(rec().calls, Calls(3, "glutPostRedisplay"));
    EXPECT_EQ(std::memcmp(&before, &world, sizeof world), 0);
}

TEST_F(Startup, MissingImageEndsWithStatusOneSilently) {
    std::filesystem::remove("hole.raw");
    EXPECT_EXIT(startWorld(&argc, argv), ::testing::ExitedWithCode(1), "^$");
}

} // namespace
