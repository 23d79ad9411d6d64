// The clip recorder: every kept frame is read back before its swap and fed through a pipe to
// ffmpeg, which writes the clip under a name of its own until the clip is complete.
#include "program/program.h"
#include "program/program_state.h"
#include "app/world_state.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

constexpr size_t frameRowBytes = static_cast<size_t>(frameWidth) * 3;
constexpr size_t frameBytes = frameRowBytes * frameHeight;
constexpr char partialEnding[] = ".part";

// ffmpeg reads raw RGB frames of frameWidth by frameHeight from its standard input, at 60
// frames a second for an MP4. A GIF's frames last 2/100 s, the shortest delay that GIF
// viewers keep, so that no frame is dropped to reach 60.
constexpr const char *rawInput[] = {"ffmpeg", "-hide_banner", "-loglevel", "error",
                                    "-y",     "-f",           "rawvideo",  "-pixel_format",
                                    "rgb24",  "-video_size"};
constexpr const char *mp4Output[] = {"-c:v",      "libx264",    "-preset",  "veryfast",
                                     "-crf",      "18",         "-pix_fmt", "yuv420p",
                                     "-movflags", "+faststart", "-f",       "mp4"};
// One palette made for the whole clip, applied with a mild ordered dither.
constexpr const char *gifOutput[] = {
    "-vf", "split[a][b];[a]palettegen[p];[b][p]paletteuse=dither=bayer:bayer_scale=5", "-f", "gif"};

static std::vector<const char *> encoderCommand() {
    static const std::string frameSize =
        std::to_string(frameWidth) + "x" + std::to_string(frameHeight);
    std::vector<const char *> command(std::begin(rawInput), std::end(rawInput));
    command.insert(command.end(), {frameSize.c_str(), "-framerate",
                                   program.options.recordGif == 1 ? "50" : "60", "-i", "-"});
    if (program.options.recordGif == 1) {
        command.insert(command.end(), std::begin(gifOutput), std::end(gifOutput));
    } else {
        command.insert(command.end(), std::begin(mp4Output), std::end(mp4Output));
    }
    command.push_back(program.run.partialPath);
    command.push_back(nullptr);
    return command;
}

// Ends the encoder's input and waits for it; true when it finished its file.
static bool closeEncoder() {
    FrameRun &run = program.run;
    if (run.encoderInput >= 0) {
        close(run.encoderInput);
        run.encoderInput = -1;
    }
    int status = 0;
    while (waitpid(run.encoderPid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

[[noreturn]] static void failRecording(const std::string &problem) {
    closeEncoder();
    unlink(program.run.partialPath);
    std::fprintf(stderr, "%sbemo-world: recording %s failed: %s; no clip written\n",
                 progressBreak(), program.options.recordPath, problem.c_str());
    std::exit(failedStatus);
}

void startRecording() {
    FrameRun &run = program.run;
    if (program.options.recordPath == nullptr) {
        return;
    }
    std::string partial = std::string(program.options.recordPath) + partialEnding;
    run.partialPath = strdup(partial.c_str());
    run.pixels = static_cast<unsigned char *>(std::malloc(frameBytes));
    std::vector<const char *> command = encoderCommand();
    int ends[2];
    if (run.partialPath == nullptr || run.pixels == nullptr || pipe(ends) != 0) {
        std::perror("bemo-world: recording");
        std::exit(failedStatus);
    }
    // Ctrl-C waits, pending, for the next tick from here on; the encoder, in a process group
    // of its own, never sees it and finishes the clip once its input is closed.
    sigset_t interrupt;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    sigprocmask(SIG_BLOCK, &interrupt, nullptr);
    run.encoderPid = fork();
    if (run.encoderPid == 0) {
        setpgid(0, 0);
        sigprocmask(SIG_UNBLOCK, &interrupt, nullptr);
        dup2(ends[0], STDIN_FILENO);
        close(ends[0]);
        close(ends[1]);
        execvp(command[0], const_cast<char *const *>(command.data()));
        _exit(127);
    }
    close(ends[0]);
    run.encoderInput = ends[1];
    if (run.encoderPid < 0) {
        failRecording(std::strerror(errno));
    }
    setpgid(run.encoderPid, run.encoderPid); // whichever of the two runs first
    fcntl(run.encoderInput, F_SETFD, FD_CLOEXEC);
    // A dead encoder shows as a failed write.
    std::signal(SIGPIPE, SIG_IGN);
}

bool recording() {
    return program.options.recordPath != nullptr;
}

bool interruptPending() {
    sigset_t pending;
    sigpending(&pending);
    return sigismember(&pending, SIGINT) == 1;
}

void keepFrame() {
    FrameRun &run = program.run;
    readBackFrame(run.pixels);
    // GL gives the bottom row first; the video wants the top row first.
    for (int top = 0, bottom = frameHeight - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(run.pixels + top * frameRowBytes, run.pixels + (top + 1) * frameRowBytes,
                         run.pixels + bottom * frameRowBytes);
    }
    size_t written = 0;
    while (written < frameBytes) {
        ssize_t count = write(run.encoderInput, run.pixels + written, frameBytes - written);
        if (count < 0 && errno != EINTR) {
            failRecording("ffmpeg stopped taking frames");
        }
        written += count > 0 ? static_cast<size_t>(count) : 0;
    }
}

void endRecording(int status) {
    long kept = std::max(0L, program.run.framesDrawn - program.options.skipFrames);
    if (kept == 0) {
        closeEncoder();
        unlink(program.run.partialPath);
        std::fprintf(stderr, "%sbemo-world: ended before the first kept frame; no clip written\n",
                     progressBreak());
        std::exit(status == doneStatus ? failedStatus : status);
    }
    if (!closeEncoder()) {
        failRecording("ffmpeg did not finish the clip");
    }
    if (std::rename(program.run.partialPath, program.options.recordPath) != 0) {
        failRecording(std::strerror(errno));
    }
    if (kept < program.options.recordFrames) {
        std::fprintf(stderr, "%sbemo-world: ended early: %s holds %ld frames\n", progressBreak(),
                     program.options.recordPath, kept);
    }
    std::exit(status);
}
