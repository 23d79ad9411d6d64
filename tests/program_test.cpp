// The program around the colony against the recording double and encoder/ffmpeg: options, runs
// of frames and their clips, the benchmark's figures, the pace.
#include "program/program.h"
#include "program/program_state.h"
#include "world_fixture.h"
#include <fstream>
#include <iterator>
#include <unistd.h>

// The desktop program's GL calls; a frame read back holds its number in every byte.
long framesInReadBack[2]; // the frame whose read-back each buffer holds
void startReadBack(int buffer) {
    framesInReadBack[buffer] = program.run.framesDrawn;
}
void collectReadBack(int buffer, unsigned char *bgra) {
    std::memset(bgra, static_cast<int>(framesInReadBack[buffer]), frameBytes);
}
void unpaceSwaps() {
    std::fputs("swaps unpaced\n", stderr);
}

using Words = std::vector<const char *>;

struct Program : World {
    void SetUp() override {
        World::SetUp();
        program = ProgramState{};
        setenv("PATH", ENCODER_FOLDER, 1);
    }
    static void read(Words words) {
        words.insert(words.begin(), "bemo-world");
        readOptions(static_cast<int>(words.size()), const_cast<char **>(words.data()));
    }
    // Draws the run the options ask for as GLUT would, a frame then an idle call, with Esc
    // before frame `escFrame`, until the process ends; stdout goes to stderr.
    static void run(long escFrame = 0) {
        dup2(STDERR_FILENO, STDOUT_FILENO);
        if (recording()) {
            claimClip();
        }
        startRecording();
        startFrameRun();
        recorder.logging = false;
        for (long frame = 1;; ++frame) {
            if (frame == escFrame) {
                recorder.keyboard(keyEscape, 0, 0);
            }
            displayScene();
            recorder.idle();
        }
    }
    static void sumUp() {
        dup2(STDERR_FILENO, STDOUT_FILENO);
        reportBenchmark();
    }
};

// What the options gave: the run's, the camera's X,Y,Z,P,T, the window and the texture folder.
std::string summary() {
    const ProgramOptions &o = program.options;
    std::ostringstream text;
    text << "frames " << o.recordFrames << " skip " << o.skipFrames << " gif " << o.recordGif
         << " benchmark " << o.benchmarkFrames << " pace " << o.pace << " fps " << o.showRate
         << " camera " << world.cameraPanX << ',' << world.cameraPanY << ',' << world.cameraZoom
         << ',' << world.cameraPitch << ',' << world.cameraYaw << " window "
         << world.host.windowOnly << " data "
         << (world.host.textureFolder == nullptr ? "-" : world.host.textureFolder);
    return text.str();
}

TEST_F(Program, EachCommandLineGivesItsOptionsTheLastOfARepeatedOneWholeOrEndsWithStatus2) {
    const std::string refused = "status 2: "; // and the problem named, then the hint
    const std::pair<Words, std::string> lines[] = {
        {{}, "frames 0 skip 0 gif 0 benchmark 0 pace 60 fps 0 camera 0,0,0,0,0 window 0 data -"},
        {{"--record", "c.mp4", "--frames", "100000000", "--skip", "0"}, "100000000 skip 0 gif 0"},
        {{"--skip", "100000000", "--frames", "1", "--record", "c.gif"}, "1 skip 100000000 gif 1"},
        {{"--camera", "9,9,9,9,9", "--camera", "1,2.5,-3,4,5"}, "camera 1,2.5,-3,4,5"},
        {{"--camera", "9,9,9,9,9", "--camera", "1,2,3"}, "camera 1,2,3,0,0"},
        {{"--data", "/none", "--benchmark", "1", "--window", "--data", "/tmp"},
         "benchmark 1 pace 60 fps 0 camera 0,0,0,0,0 window 1 data /tmp"},
        {{"--pace", "1", "--fps", "--pace", "0"}, "pace 0 fps 1"},
        {{"--frames", "0", "--record", "c.mp4"}, refused + "'0' for --frames"},
        {{"--frames", "100000001", "--record", "c.mp4"}, refused + "'100000001' for --frames"},
        {{"--skip", "-1", "--record", "c.mp4", "--frames", "1"}, refused + "'-1' for --skip"},
        {{"--camera", "1,2", "--camera", "1,2,3,4"}, refused + "'1,2,3,4' for --camera"},
        {{"--pace", "-1"}, refused + "'-1' for --pace"},
        {{"--pace", "30", "--benchmark", "5"}, refused + "--pace and --fps go with neither"}};
    for (const auto &[words, gives] : lines) {
        SetUp();
        if (gives.rfind(refused, 0) == 0) {
            EXPECT_EXIT(read(words), testing::ExitedWithCode(2),
                        "^bemo-world: [^\n]*" + gives.substr(refused.size()) + "[^\n]*\nTry 'bemo");
            continue;
        }
        read(words);
        EXPECT_NE(summary().find(gives), std::string::npos) << summary();
        resetWorld(); // a round's end keeps what the options gave
        EXPECT_NE(summary().find(gives), std::string::npos) << summary();
    }
}

TEST_F(Program, ARecordingKeepsTheFramesAfterTheSkippedOnesAtItsKindsRateAndSaysEachTenth) {
    std::string lines = "^swaps unpaced\n"; // off a terminal, a progress line a tenth
    for (int frame = 2; frame <= 20; frame += 2) {
        lines += (frame <= 12 ? "skipping: " : "recording: ") + std::to_string(frame) + "/20 ";
        lines += "frames[^\n]*\n";
    }
    // Frames 13 to 20 kept, no other, at 60 frames a second in an MP4 and at 50 in a GIF.
    const std::string kept = "\n\x0d\x0e\x0f\x10\x11\x12\x13\x14";
    std::string rates;
    for (const char *clip : {"c.mp4", "c.gif"}) {
        SetUp();
        std::remove(clip); // no clip of an earlier run
        read({"--record", clip, "--skip", "12", "--frames", "8"});
        std::string gifPass = clip == std::string("c.gif") ? "making the GIF of 8 frames\n" : "";
        EXPECT_EXIT(run(), testing::ExitedWithCode(0), lines + gifPass + "$");
        std::ifstream file(clip);
        std::string made(std::istreambuf_iterator<char>(file), {});
        EXPECT_EQ(made.substr(made.size() - kept.size()), kept) << clip;
        rates += made.substr(made.find("\n-framerate\n") + 12, 3);
    }
    EXPECT_EQ(rates, "60\n50\n");
}

TEST_F(Program, TheBenchmarkSumsUpItsFrameTimesEvenAfterEscAndSaysWhenItHasNoRoomForThem) {
    // Times 1 to 20 ms, shuffled: the median of an even count is the mean of the middle two,
    // the 95th percentile the 19th of the 20.
    double times[] = {8, 15, 2, 9, 16, 3, 10, 17, 4, 11, 18, 5, 12, 19, 6, 13, 20, 7, 14, 1};
    program.run.framesTotal = 20;
    program.run.frameMilliseconds = times;
    const char figures[] =
        "^frames: 20\nmedian: 10.50 ms\np95: 19.00 ms\nworst: 20.00 ms\nfps: 95.2";
    EXPECT_EXIT(sumUp(), testing::ExitedWithCode(0), figures);
    // Esc while the fourth frame is in hand: four frames summed up.
    SetUp();
    read({"--benchmark", "10"});
    EXPECT_EXIT(run(4), testing::ExitedWithCode(0), "^swaps unpaced\nframes: 4\n");
    program.options.benchmarkFrames = 1L << 58;
    EXPECT_EXIT(startBenchmark(), testing::ExitedWithCode(1),
                "bemo-world: no memory for the benchmark's [0-9]+ frame times\n$");
}

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
