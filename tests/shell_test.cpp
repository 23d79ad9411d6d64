// The application shell: every key, the short walk, start-up with window and textures, the menu.
#include "world_fixture.h"
#include <GL/freeglut.h>
#include <filesystem>
#include <fstream>

TEST_F(World, EveryKeyChangesTheWorldByItsCommandAndDPlaysTheShortWalk) {
    // Camera keys in pairs, with the field they step and the steps; special keys at 256 + code.
    constexpr std::tuple<int, int, float WorldState::*, float, float> camera[] = {
        {256 + GLUT_KEY_LEFT, 256 + GLUT_KEY_RIGHT, &WorldState::cameraPanX, 0.5f, -0.5f},
        {256 + GLUT_KEY_UP, 256 + GLUT_KEY_DOWN, &WorldState::cameraPanY, 0.5f, -0.5f},
        {'i', 'o', &WorldState::cameraZoom, 2, -1},
        {'r', 'R', &WorldState::cameraPitch, 1, -1},
        {'v', 'V', &WorldState::cameraYaw, 1, -1}};
    // The other commands' fields and steps; '1' brings back the start, which differs only in
    // the camera.
    constexpr std::tuple<int, int WorldState::*, int> steps[] = {
        {'m', &WorldState::wireframe, 1},    {'M', &WorldState::flatShading, 1},
        {'\t', &WorldState::windowed, 1},    {'w', &WorldState::legSwingAngle, 3},
        {'w', &WorldState::legLiftAngle, 1}, {'e', &WorldState::antennaAngle, 1},
        {'e', &WorldState::jawAngle, 1}};
    WorldState start; // the camera moved away from its start
    for (auto [plus, minus, field, up, down] : camera)
        start.*field = 6 * up + down;
    for (int key = 0; key < 256 + GLUT_KEY_INSERT; key += key == 26 ? 2 : 1) { // all but Esc
        WorldState expected = key == '1' ? WorldState{} : start;
        for (auto [k, field, step] : steps)
            expected.*field += k == key ? step : 0;
        for (auto [plus, minus, field, up, down] : camera)
            expected.*field += key == plus ? up : key == minus ? down : 0;
        world = start;
        recorder = Recorder{};
        if (key < 256) {
            handleKey(key, 0, 0);
        } else {
            handleSpecialKey(key - 256, 0, 0);
        }
        EXPECT_TRUE(same(world, expected)) << key; // and one frame asked for by each command:
        EXPECT_EQ(recorder.redisplays, key > 255 || key == 'd' || !same(expected, start)) << key;
    }
    handleKey('\t', 0, 0); // a window
    handleKey('\t', 0, 0); // full screen again
    EXPECT_EQ(recorder.requests, (std::vector<std::string>{"1000x768", "1000x768", "full screen"}));
    // d: milliseconds into the walk, antenna and leg swing angles, between keys cut toward zero.
    SetUp();
    recorder.elapsedMs = 2000;
    handleKey('d', 0, 0);
    constexpr int track[][3] = {{45, -186, 4}, {333, -146, 25}, {777, -137, 17}, {1300, -200, 10}};
    for (int tick = 1; tick <= 4; ++tick) {
        const int *at = track[tick - 1];
        recorder.elapsedMs = 2000 + at[0];
        tickShortWalk();
        EXPECT_EQ(recorder.idle == &tickShortWalk, at[0] < 1300) << "the walk ends at 1.3 s";
        EXPECT_EQ(std::tie(world.antennaAngle, world.legSwingAngle), std::tie(at[1], at[2]));
        const Vec walked = {world.scoutPos, world.patrolPos, world.foragerPos};
        EXPECT_LT(distance(walked, {tick / 600.0, tick / 100.0, tick / 230.0}), 1e-6) << at[0];
    }
    for (float scout : {29.99f, 30.f}) { // allowed, and walking, while the scout is under 30 out
        SetUp();
        world.scoutPos = scout;
        handleKey('d', 0, 0);
        tickShortWalk();
        EXPECT_EQ((recorder.idle == &tickShortWalk) + (world.patrolPos > 0), scout < 30 ? 2 : 0);
    }
}

TEST_F(World, StartUpOpensItsWindowFillsEachTextureAndListsTheKeysInAMenuThatOnlyRedisplays) {
    constexpr std::tuple<GLuint WorldState::*, const char *, int, int> images[] = {
        {&WorldState::texFire2, "fire2", 640, 320}, {&WorldState::texCandy, "candy", 500, 500},
        {&WorldState::texWood, "wood", 650, 320},   {&WorldState::texFire, "fire", 640, 320},
        {&WorldState::texHole, "hole", 400, 300},   {&WorldState::texYant, "yant", 640, 320}};
    const auto byte = [](int k, long at) { return (at + 50 * k) % 251; }; // no two rows alike
    char folder[] = "/tmp/bemo-startXXXXXX";
    world.host.textureFolder = mkdtemp(folder);
    for (int k = 0; k < 6; ++k) {
        const auto [texture, file, width, height] = images[k];
        std::ofstream raw(folder + ("/" + std::string(file)) + ".raw");
        for (long at = 0; at < width * height * 3L + 2; ++at) { // two bytes more, left unread
            raw.put(byte(k, at));
        }
    }
    openWorld(); // game mode reported possible but not entered: a window instead
    std::filesystem::remove_all(folder);
    const std::map<GLenum, GLint> linear = {{GL_TEXTURE_MAG_FILTER, GL_LINEAR},
                                            {GL_TEXTURE_MIN_FILTER, GL_LINEAR}};
    for (int k = 0; k < 6; ++k) { // its size, filters, texels of row 1 and the last
        const auto [texture, file, width, height] = images[k];
        const Texture &t = recorder.textures.at(world.*texture);
        const long second = width * 3L + 5, last = width * height * 3L - 1;
        EXPECT_EQ(std::tie(t.size, t.parameters, t.rgb.at(second), t.rgb.at(last)),
                  std::tuple(std::pair(width, height), linear, byte(k, second), byte(k, last)))
            << file;
    }
    const std::vector<std::string> &r = recorder.requests; // modes, window, 18 menu entries
    ASSERT_EQ(r.size(), 22u);
    EXPECT_EQ(
        (std::vector<std::string>{r[0], r[1], r[2], r[3], r[4], r[5], r[8], r[9], r[21]}),
        (std::vector<std::string>{
            "rgb double depth>=16", "1024x768:16@60", "1024x768", "window", "Key Assignments = 1",
            "Tab : Tongle between windowed or fullsize screen = 1",
            "    (works only when the patrol ants are walking away from their nest = 1",
            "     and when they are not very far from their nest) = 1", "1 : Reset camera = 1"}));
    const WorldState started = world;
    recorder.menu(1);
    EXPECT_TRUE(same(world, started) && recorder.redisplays == 1);
}
