// Behaviour tests of the keys, the idle callbacks, the animation tick and the short walk.
#include "app/app.h"
#include "app/world_state.h"
#include "gl_double/recording_gl.h"
#include "models/models.h"

#include <GL/freeglut.h>
#include <cstring>
#include <gtest/gtest.h>

using namespace gldouble;

struct Input : ::testing::Test {
    void SetUp() override {
        resetRecorder();
        world = WorldState{};
    }
    static void press(unsigned char key) { handleKey(key, 12, 34); }
    // Whether the record is as it was, bit for bit (it holds only 4-byte fields).
    static bool unchanged(const WorldState &b) { return std::memcmp(&world, &b, sizeof b) == 0; }
    // The fields the keys act on: camera, display toggles, gait angles.
    static std::vector<double> keyFields(const WorldState &w = world) {
        return {w.cameraPanX,     w.cameraPanY,          w.cameraZoom,        w.cameraPitch,
                w.cameraYaw,      1.0 * w.wireframe,     1.0 * w.flatShading, 1.0 * w.antennaAngle,
                1.0 * w.jawAngle, 1.0 * w.legSwingAngle, 1.0 * w.legLiftAngle};
    }
};

// A key (special keys negated), antsHalted, and two key fields a press changes with their changes.
enum KeyField { PanX, PanY, Zoom, Pitch, Yaw, Wire, Flat, Antenna, Jaw, Swing, Lift };
constexpr double left = -GLUT_KEY_LEFT, up = -GLUT_KEY_UP, right = -GLUT_KEY_RIGHT,
                 down = -GLUT_KEY_DOWN, f1 = -GLUT_KEY_F1, home = -GLUT_KEY_HOME;
constexpr double keyCases[][6] = {
    {'R', 0, Pitch, -1, 0, 0},    {'V', 0, Yaw, -1, 0, 0},     {'M', 0, Flat, -1, 0, 0},
    {'m', 0, Wire, -1, 0, 0},     {'i', 0, Zoom, 2, 0, 0},     {'o', 0, Zoom, -1, 0, 0},
    {'r', 0, Pitch, 1, 0, 0},     {'v', 0, Yaw, 1, 0, 0},      {'e', 0, Antenna, 1, Jaw, 1},
    {'e', 1, Antenna, 1, Jaw, 1}, {'w', 0, Swing, 3, Lift, 1}, {'w', 1, Swing, 0, Lift, 0},
    {left, 0, PanX, 0.5, 0, 0},   {up, 0, PanY, 0.5, 0, 0},    {right, 0, PanX, -0.5, 0, 0},
    {down, 0, PanY, -0.5, 0, 0},  {f1, 0, PanX, 0, 0, 0},      {home, 0, PanX, 0, 0, 0}};
TEST_F(Input, KeysFollowTheCommandTable) {
    for (auto [key, halted, field, change, field2, change2] : keyCases) {
        SetUp();
        world.wireframe = world.flatShading = 1, world.antsHalted = int(halted);
        std::vector<double> expected = keyFields();
        expected[int(field)] += change, expected[int(field2)] += change2;
        key < 0 ? handleSpecialKey(int(-key), 12, 34) : press(static_cast<unsigned char>(key));
        EXPECT_EQ(std::make_pair(keyFields(), rec().redisplays), std::make_pair(expected, 1L))
            << "key " << key << " halted " << halted; // every command asks for one frame
    }
    for (unsigned char key : std::string("IOSDEW023456789 x")) { // keys without a command
        SetUp();
        press(key);
        EXPECT_TRUE(unchanged(WorldState{}) && rec().calls.empty()) << key;
    }
    for (unsigned char key : {'i', 'i', 'i', 'o', 'o', 'o', 'r', 'V', 'm', 'M', '\t'}) {
        press(key);
    }
    EXPECT_EQ(std::make_tuple(world.cameraZoom, world.windowed), std::make_tuple(3.0f, 1));
    handleSpecialKey(GLUT_KEY_LEFT, 0, 0), handleSpecialKey(GLUT_KEY_UP, 0, 0);
    press('1');
    EXPECT_EQ(keyFields(), (std::vector<double>{0, 0, 0, 0, 0, 1, 1, -180, 40, 0, 0}));
    press('\t'); // both Tab presses ask for the window first; the second then for full screen
    EXPECT_EQ(std::make_tuple(world.windowed, rec().fullScreenRequests), std::make_tuple(0, 1L));
    EXPECT_EQ(rec().reshapeRequests, (std::vector<std::pair<int, int>>(2, {1000, 768})));
}

TEST(InputDeathTest, EscEndsTheProcessWithStatusZero) {
    EXPECT_EXIT(handleKey(27, 0, 0), ::testing::ExitedWithCode(0), "");
}

// Idle callback and animationRunning before a key, the key, and both after it.
const std::tuple<void (*)(), int, unsigned char, void (*)(), int> idleCases[] = {
    {nullptr, 0, 's', tickAnimation, 0},       {nullptr, 1, 's', nullptr, 0},
    {tickAnimation, 1, 's', nullptr, 0},       {tickShortWalk, 0, 's', tickAnimation, 0},
    {tickShortWalk, 1, 's', nullptr, 0},       {nullptr, 0, 'd', tickShortWalk, 0},
    {tickAnimation, 1, 'd', tickShortWalk, 1}, {tickShortWalk, 0, 'd', tickShortWalk, 0}};
TEST_F(Input, SAndDSwitchTheIdleCallback) {
    for (auto [installed, running, key, installedAfter, runningAfter] : idleCases) {
        SetUp();
        rec().idle = installed, world.animationRunning = running;
        press(key);
        EXPECT_EQ(std::make_tuple(rec().idle, world.animationRunning, rec().redisplays),
                  std::make_tuple(installedAfter, runningAfter, key == 'd' ? 1L : 0L))
            << key << " running " << running; // only `d` asks for a frame
    }
}

// legSwingAngle after each tick of a run, each tick followed by one drawing of a walking ant.
constexpr int swingsDrawn[] = {3,  6,  9,   12,  15,  18,  21,  24,  27,  30, 30,
                               27, 24, 21,  18,  15,  12,  9,   6,   3,   0,  -3,
                               -6, -9, -12, -15, -18, -21, -24, -27, -28, -25};
TEST_F(Input, ATickStepsTheOscillatorsWhichTheDrawingFoldsBack) {
    tickAnimation();
    world.antsHalted = 1; // the legs keep their pose, the antennae and jaws go on
    tickAnimation();
    EXPECT_EQ(std::tie(world.antennaAngle, world.legSwingAngle, world.legLiftAngle, world.jawAngle,
                       world.animationRunning, rec().redisplays),
              std::make_tuple(-178, 3, 1, 42, 1, 2L));
    SetUp();
    for (int swing : swingsDrawn) {
        tickAnimation();
        drawAntModelA();
        ASSERT_EQ(world.legSwingAngle, swing);
    }
}

// Milliseconds since `d` and the antenna and leg swing a tick then sets; then gate closers.
constexpr int walkFrames[][3] = {
    {0, -200, 0}, {50, -185, 5}, {600, -120, 0}, {1299, -199, 9}, {1300, -200, 10}};
void (*const gateClosers[])(WorldState &) = {
    [](WorldState &w) { w.carrier1Phase = 1; }, [](WorldState &w) { w.patrolPhase = 1; },
    [](WorldState &w) { w.scoutPos = 30; }, [](WorldState &w) { w.patrolPos = 30; },
    [](WorldState &w) { w.columnStarted = 1; }};
TEST_F(Input, ShortWalkPlaysItsKeyFramesOverTheAnimationUnlessTheGateIsClosed) {
    press('s');
    tickAnimation(); // the animation runs: antenna -179, swing 3, lift 1, jaw 41
    press('d');
    for (auto [ms, antenna, leg] : walkFrames) {
        rec().elapsedMs = ms;
        tickShortWalk();
        EXPECT_EQ(std::tie(world.antennaAngle, world.legSwingAngle), std::tie(antenna, leg)) << ms;
        drawAntModelA(); // folds the antenna's 0.6 s key back to -130 and turns its direction
    }
    // The walkers took one step per tick; lift, jaw and animationRunning are as they were.
    EXPECT_NEAR(world.scoutPos, 5.0 / 600, 1e-6);
    EXPECT_NEAR(world.patrolPos, 0.05, 1e-6);
    EXPECT_NEAR(world.foragerPos, 5.0 / 230, 1e-6);
    EXPECT_EQ(std::make_tuple(rec().idle, world.animationRunning, world.legLiftAngle,
                              world.jawAngle, world.antennaDir),
              std::make_tuple(nullptr, 1, 1, 41, 1));
    // The walk is over with the flag still set: the first `s` only clears it.
    press('s');
    EXPECT_EQ(std::make_tuple(rec().idle, world.animationRunning), std::make_tuple(nullptr, 0));
    press('s');
    EXPECT_EQ(rec().idle, tickAnimation);
    press('d');
    rec().elapsedMs = 1900; // 0.6 s into that walk, where its antenna key is -120
    press('d');             // starts it over at the first key
    tickShortWalk();
    EXPECT_EQ(std::tie(world.shortWalkStartTime, world.antennaAngle), std::make_tuple(1.9f, -200));
    for (auto closeGate : gateClosers) {
        SetUp();
        press('d');
        closeGate(world);
        const WorldState before = world;
        tickShortWalk(); // stalled: it only asks for a frame
        press('d');      // refused: not even a frame
        EXPECT_TRUE(unchanged(before) && rec().idle == tickShortWalk && rec().redisplays == 2);
    }
}
