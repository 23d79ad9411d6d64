// The program around the colony: the pace, against the recording double.
#include "program/program.h"
#include "program/program_state.h"
#include "world_fixture.h"

// The desktop program's GL calls. A frame read back holds the count of frames drawn in every
// byte, so that a clip shows which frames it kept.
void readBackFrame(unsigned char *rgb) {
    std::memset(rgb, static_cast<int>(program.run.framesDrawn), frameWidth * frameHeight * 3);
}
void unpaceSwaps() {
    std::fputs("swaps unpaced\n", stderr);
}

using Words = std::vector<const char *>;

struct Program : World {
    void SetUp() override {
        World::SetUp();
        program = ProgramState{};
    }
    static void read(Words words) {
        words.insert(words.begin(), "bemo-world");
        readOptions(static_cast<int>(words.size()), const_cast<char **>(words.data()));
    }
};

TEST_F(Program, FramesKeepThePaceOneASlotALateOneNotMadeUpAndTheirRateIsCounted) {
    program.options.pace = 10; // slots of 0.1 s from 100 s
    program.pace.startSeconds = 100;
    // Drawn at, shown at: two drawn in a slot take two; a late one goes at once, and the next
    // waits for the slot after the late one's.
    constexpr double frames[][2] = {{100.02, 100.02}, {100.05, 100.1}, {100.13, 100.2},
                                    {100.45, 100.45}, {100.47, 100.5}, {100.52, 100.6}};
    for (auto [drawn, shown] : frames) {
        EXPECT_NEAR(paceFrame(drawn), shown, 1e-9) << drawn;
    }
    // --fps: a frame a quarter second, a line each five seconds.
    program.pace.rateSeconds = 100;
    testing::internal::CaptureStderr();
    for (int frame = 1; frame <= 41; ++frame) {
        noteFrameShown(100 + frame * 0.25);
    }
    const std::string line = "20 frames in 5.00 s: 4.0 frames/s\n";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), line + line);
    // Only --pace 0 leaves the frames as the display allows: no hook, no wait.
    for (const Words &words : {Words{}, Words{"--pace", "0"}}) {
        SetUp();
        read(words);
        startFrameRun();
        EXPECT_EQ(world.host.frameDrawn == nullptr, words.size() == 2);
    }
}
