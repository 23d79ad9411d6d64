// The clip recorder: FILE.part is claimed before any window, every kept frame is read back a
// frame late and queued for a writer thread that feeds ffmpeg through a pipe, and the clip
// takes its name once ffmpeg has finished it. However the process ends, the clip is whole or
// gone.
#include "program/program.h"
#include "program/program_state.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <initializer_list>
#include <string>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

constexpr char partialEnding[] = ".part";
// Signals that ask a recording to end early, keeping the frames made so far.
constexpr int askingSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int encoderNiceness = 10; // how far ffmpeg stands behind the drawing
// While it waits on the writer or ffmpeg, the program looks at signals this often (50 ms).
constexpr long waitStepNanoseconds = 50000000;
// After a signal, ffmpeg may finish the clip for as long as it keeps working; idle this many
// steps in a row (1 s), it is given up.
constexpr int idleStepsAllowed = 20;
// The pipe holds a third of a frame, so that the writer seldom waits on ffmpeg.
constexpr int pipeBytes = 1 << 20;

// ffmpeg reads raw BGRA frames of frameWidth by frameHeight, bottom row first, and turns them
// upright itself. It writes to the descriptor it inherits as 3 and reads further files as 4
// and 5, so no name of the user's can be read as an option or a protocol. An MP4 is 60
// frames a second. A GIF's frames last 2/100 s, the shortest delay that GIF viewers keep, so
// that no frame is dropped to reach 60.
constexpr int firstEncoderFile = 3;
constexpr int maxEncoderFiles = 3;   // 3 to 5
constexpr int spareDescriptors = 10; // files are moved above this before they are placed
constexpr const char *quietFfmpeg[] = {"ffmpeg",    "-nostdin", "-hide_banner",
                                       "-loglevel", "error",    "-y"};
// x264's cheapest preset on one thread of its own, as the frames are drawn on the same cores;
// the chroma is taken from one pixel of each 2 by 2, which halves the cost of the conversion
// to YUV and leaves the picture as good (SSIM 0.994 against the frames drawn).
constexpr const char *mp4Output[] = {
    "-vf",  "vflip", "-sws_flags",    "neighbor", "-c:v",     "libx264", "-preset",   "ultrafast",
    "-crf", "23",    "-threads",      "1",        "-pix_fmt", "yuv420p", "-movflags", "+faststart",
    "-f",   "mp4",   "file:/dev/fd/3"};
// A GIF is made in three runs, so that its memory stays the same whatever its length: the
// frames go losslessly (H.264 in RGB at QP 0, a few kB a frame where little moves) into an
// unnamed file beside the clip; then one palette is made from all of them; then the frames
// are read again and mapped to it with a mild ordered dither.
constexpr const char *gifFrames[] = {
    "-vf", "vflip",    "-c:v", "libx264rgb", "-preset",  "ultrafast",     "-qp",
    "0",   "-threads", "1",    "-f",         "matroska", "file:/dev/fd/3"};
constexpr const char *gifPalette[] = {
    "-i",  "file:/dev/fd/4", "-vf", "palettegen",    "-f", "image2", "-c:v",
    "png", "-update",        "1",   "file:/dev/fd/3"};
constexpr char gifDither[] = "[0][1]paletteuse=dither=bayer:bayer_scale=5";
constexpr const char *gifOutput[] = {
    "-i",  "file:/dev/fd/4", "-i", "file:/dev/fd/5", "-lavfi", gifDither, "-f",
    "gif", "file:/dev/fd/3"};

// ffmpeg's command line: the quiet start, then the lists of `parts` in order.
template <size_t... Counts>
static std::vector<const char *> ffmpegCommand(const char *const (&...parts)[Counts]) {
    std::vector<const char *> command(std::begin(quietFfmpeg), std::end(quietFfmpeg));
    (command.insert(command.end(), std::begin(parts), std::end(parts)), ...);
    command.push_back(nullptr);
    return command;
}

// The first run, which takes the frames from the pipe.
static std::vector<const char *> encoderCommand() {
    static const std::string frameSize =
        std::to_string(frameWidth) + "x" + std::to_string(frameHeight);
    bool gif = program.options.recordGif == 1;
    const char *rawInput[] = {"-f",         "rawvideo",        "-pixel_format",
                              "bgra",       "-video_size",     frameSize.c_str(),
                              "-framerate", gif ? "50" : "60", "-i",
                              "-"};
    return gif ? ffmpegCommand(rawInput, gifFrames) : ffmpegCommand(rawInput, mp4Output);
}

// Whether `signal` is ignored, as SIGHUP is in a program started by nohup; it stays so.
static bool ignored(int signal) {
    struct sigaction action {};
    sigaction(signal, nullptr, &action);
    return action.sa_handler == SIG_IGN;
}

// The asking signals but those ignored: a blocked signal is kept pending, to be taken, even
// while it is ignored.
static void gatherAskingSignals() {
    sigset_t &set = program.clip.askingSignals;
    sigemptyset(&set);
    for (int signal : askingSignals) {
        if (!ignored(signal)) {
            sigaddset(&set, signal);
        }
    }
}

// The first line ffmpeg wrote on its error output, which names the cause; or "".
static std::string encoderSays() {
    struct stat info {};
    int file = program.clip.encoderErrors;
    if (file < 0 || fstat(file, &info) != 0 || info.st_size == 0) {
        return "";
    }
    std::string text(static_cast<size_t>(info.st_size), '\0');
    text.resize(static_cast<size_t>(std::max<ssize_t>(0, pread(file, &text[0], text.size(), 0))));
    return text.substr(0, text.find('\n'));
}

// The folder the clip goes into, with a slash at its end, or ".".
static std::string clipFolder() {
    std::string file = program.options.recordPath;
    size_t slash = file.rfind('/');
    return slash == std::string::npos ? "." : file.substr(0, slash + 1);
}

// Kills ffmpeg and whatever it started, and collects it; nothing once it is collected.
static void killEncoder() {
    ClipRecording &clip = program.clip;
    if (clip.encoderPid > 0) {
        kill(-clip.encoderPid, SIGKILL);
        while (waitpid(clip.encoderPid, nullptr, 0) < 0 && errno == EINTR) {
        }
        clip.encoderPid = 0;
    }
}

// Ends ffmpeg and removes FILE.part.
static void removeClip() {
    killEncoder();
    unlink(program.clip.partialPath);
}

// Removes the clip for good, saying why.
static void giveUpClip(const std::string &problem) {
    removeClip();
    program.clip.settled = 1;
    std::fprintf(stderr, "%sbemo-world: recording %s %s; no clip written\n", progressBreak(),
                 program.options.recordPath, problem.c_str());
}

// Removes the clip and ends the process with `status`, saying why.
[[noreturn]] static void abandonClip(int status, const std::string &problem) {
    giveUpClip(problem);
    std::exit(status);
}

[[noreturn]] static void failRecording(const std::string &problem) {
    std::string said = encoderSays();
    abandonClip(failedStatus,
                "failed: " + problem + (said.empty() ? "" : " (ffmpeg: " + said + ")"));
}

// Whatever else ends the process (the display lost, a texture missing) leaves no clip.
static void settleOnExit() {
    if (program.clip.settled == 0) {
        giveUpClip("cut short");
    }
}

// SIGQUIT ends the process at once, as it would, but leaves no partial clip behind.
static void abandonOnQuit(int signal) {
    removeClip();
    std::signal(signal, SIG_DFL);
    raise(signal);
}

// FILE.part becomes this recording's when it is created anew and locked: one that another
// recording holds locked is refused; any other (a stale one, a link) is removed first.
static std::string createPartial() {
    ClipRecording &clip = program.clip;
    std::string partial = clip.partialPath;
    int stale = open(clip.partialPath, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (stale >= 0) {
        bool held = flock(stale, LOCK_EX | LOCK_NB) != 0;
        close(stale);
        if (held) {
            return "'" + partial + "' is being recorded by another bemo-world";
        }
    }
    if (unlink(clip.partialPath) != 0 && errno != ENOENT) {
        return "cannot remove the stale '" + partial + "': " + std::strerror(errno);
    }
    clip.partialFile =
        open(clip.partialPath, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (clip.partialFile < 0) {
        return "cannot create '" + partial + "': " + std::strerror(errno);
    }
    flock(clip.partialFile, LOCK_EX);
    return "";
}

// Why the finished clip could not take its name, or "": a folder of that name, or another
// user's file in a sticky folder not ours (where only root may replace it).
static std::string targetProblem(const std::string &file, int folderFile) {
    struct stat target {};
    struct stat place {};
    if (lstat(file.c_str(), &target) != 0 || fstat(folderFile, &place) != 0) {
        return "";
    }
    if (S_ISDIR(target.st_mode)) {
        return "cannot record to '" + file + "': a folder has that name";
    }
    uid_t user = geteuid();
    if ((place.st_mode & S_ISVTX) != 0 && user != 0 && target.st_uid != user &&
        place.st_uid != user) {
        return "cannot record to '" + file + "': another user's file in a sticky folder";
    }
    return "";
}

void claimClip() {
    ClipRecording &clip = program.clip;
    std::string file = program.options.recordPath;
    std::string folder = clipFolder();
    int folderFile = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFile < 0 || access(folder.c_str(), W_OK | X_OK) != 0) {
        rejectCommandLine("cannot record to '" + file + "': its folder cannot be written");
    }
    std::string problem = targetProblem(file, folderFile);
    if (!problem.empty()) {
        rejectCommandLine(problem);
    }
    clip.partialPath = strdup((file + partialEnding).c_str());
    // Recordings that start together in one folder take turns at their FILE.part.
    flock(folderFile, LOCK_EX);
    problem = createPartial();
    close(folderFile);
    if (!problem.empty()) {
        rejectCommandLine(problem);
    }
    // From here the asking signals wait, pending, for the program to take them; the threads
    // the GL starts later inherit that. A signal ignored since the start stays ignored.
    gatherAskingSignals();
    sigprocmask(SIG_BLOCK, &clip.askingSignals, nullptr);
    if (!ignored(SIGQUIT)) {
        std::signal(SIGQUIT, abandonOnQuit);
    }
    std::atexit(settleOnExit);
}

// The writer thread: writes each queued frame whole into the pipe, oldest first, and closes
// the pipe once the queue is closed and empty, or at the first failed write.
static void *writeFrames(void *) {
    ClipQueue &queue = program.clip.queue;
    int pipe = program.clip.encoderInput;
    pthread_mutex_lock(&queue.lock);
    for (;;) {
        while (queue.waiting == 0 && queue.closing == 0) {
            pthread_cond_wait(&queue.changed, &queue.lock);
        }
        if (queue.waiting == 0) {
            break;
        }
        const unsigned char *frame = queue.frames[queue.first];
        pthread_mutex_unlock(&queue.lock);
        size_t written = 0;
        int error = 0;
        while (written < frameBytes && error == 0) {
            ssize_t count = write(pipe, frame + written, frameBytes - written);
            written += count > 0 ? static_cast<size_t>(count) : 0;
            error = count < 0 && errno != EINTR ? errno : 0;
        }
        pthread_mutex_lock(&queue.lock);
        if (error != 0) {
            queue.writeError = error;
            break;
        }
        queue.first = (queue.first + 1) % clipQueueFrames;
        queue.waiting -= 1;
    }
    close(pipe);
    pthread_mutex_unlock(&queue.lock);
    return nullptr;
}

// Starts ffmpeg with `command`, its standard input from `input` (-1: the program's own), its
// error output into the memory file, and `files` as its descriptors 3, 4, ... In a process
// group of its own it never sees a Ctrl-C meant for the program. It runs behind the drawing
// (nice 10): it works while the drawing leaves a core free, and the queue waits for it.
static void startEncoder(const std::vector<const char *> &command, int input,
                         std::initializer_list<int> files) {
    ClipRecording &clip = program.clip;
    clip.encoderPid = fork();
    if (clip.encoderPid == 0) {
        setpgid(0, 0);
        nice(encoderNiceness);
        sigprocmask(SIG_UNBLOCK, &clip.askingSignals, nullptr);
        if (input >= 0) {
            dup2(input, STDIN_FILENO);
        }
        dup2(clip.encoderErrors, STDERR_FILENO);
        int spares[maxEncoderFiles] = {};
        int count = 0;
        for (int file : files) {
            spares[count++] = fcntl(file, F_DUPFD_CLOEXEC, spareDescriptors);
        }
        for (int i = 0; i < count; ++i) {
            dup2(spares[i], firstEncoderFile + i);
        }
        execvp(command[0], const_cast<char *const *>(command.data()));
        _exit(127);
    }
    if (clip.encoderPid < 0) {
        failRecording(std::strerror(errno));
    }
    setpgid(clip.encoderPid, clip.encoderPid); // whichever of the two runs first
}

// An unnamed file in the clip's folder, gone with the process: with O_TMPFILE where the file
// system has it, else a name removed at once.
static int createUnnamedFile() {
    int file = open(clipFolder().c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (file >= 0) {
        return file;
    }
    std::string name = std::string(program.clip.partialPath) + ".frames";
    unlink(name.c_str());
    file = open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    unlink(name.c_str());
    return file;
}

void startRecording() {
    ClipRecording &clip = program.clip;
    if (!recording()) {
        return;
    }
    for (unsigned char *&frame : clip.queue.frames) {
        frame = static_cast<unsigned char *>(std::malloc(frameBytes));
        if (frame == nullptr) {
            failRecording("no memory for the frames");
        }
    }
    clip.encoderErrors = memfd_create("ffmpeg errors", MFD_CLOEXEC);
    bool gif = program.options.recordGif == 1;
    if (gif) {
        clip.framesFile = createUnnamedFile();
        clip.paletteFile = memfd_create("palette", MFD_CLOEXEC);
    }
    int ends[2];
    if (clip.encoderErrors < 0 || (gif && (clip.framesFile < 0 || clip.paletteFile < 0)) ||
        pipe2(ends, O_CLOEXEC) != 0) {
        failRecording(std::strerror(errno));
    }
    startEncoder(encoderCommand(), ends[0], {gif ? clip.framesFile : clip.partialFile});
    close(ends[0]);
    clip.encoderInput = ends[1];
    fcntl(clip.encoderInput, F_SETPIPE_SZ, pipeBytes);
    // A dead encoder shows as a failed write.
    std::signal(SIGPIPE, SIG_IGN);
    if (pthread_create(&clip.writer, nullptr, writeFrames, nullptr) != 0) {
        failRecording("no thread to write the frames");
    }
}

bool recording() {
    return program.options.recordPath != nullptr;
}

int takeInterrupt() {
    timespec now{};
    int signal = sigtimedwait(&program.clip.askingSignals, nullptr, &now);
    return signal > 0 ? signal : 0;
}

static void waitStep() {
    timespec step{0, waitStepNanoseconds};
    nanosleep(&step, nullptr);
}

// Moves the frame read back last into the queue once a slot is free. A signal while the
// queue is full ends the recording with the frames queued before it.
static void queueReadBack() {
    ClipRecording &clip = program.clip;
    ClipQueue &queue = clip.queue;
    pthread_mutex_lock(&queue.lock);
    while (queue.waiting == clipQueueFrames && queue.writeError == 0) {
        pthread_mutex_unlock(&queue.lock);
        waitStep();
        int signal = takeInterrupt();
        if (signal != 0) {
            endRecording(signalStatusBase + signal);
        }
        pthread_mutex_lock(&queue.lock);
    }
    int error = queue.writeError;
    int slot = (queue.first + queue.waiting) % clipQueueFrames;
    pthread_mutex_unlock(&queue.lock);
    if (error != 0) {
        failRecording("ffmpeg stopped taking frames");
    }
    collectReadBack(clip.readBackBuffer, queue.frames[slot]);
    clip.readBackPending = 0;
    clip.framesQueued += 1;
    pthread_mutex_lock(&queue.lock);
    queue.waiting += 1;
    pthread_cond_broadcast(&queue.changed);
    pthread_mutex_unlock(&queue.lock);
}

void keepFrame() {
    ClipRecording &clip = program.clip;
    if (clip.readBackPending == 1) {
        queueReadBack();
    }
    clip.readBackBuffer = 1 - clip.readBackBuffer;
    startReadBack(clip.readBackBuffer);
    clip.readBackPending = 1;
}

// CPU time ffmpeg has used so far, in clock ticks; -1 once it cannot be read.
static long encoderTicks() {
    std::string path = "/proc/" + std::to_string(program.clip.encoderPid) + "/stat";
    FILE *file = std::fopen(path.c_str(), "r");
    char text[1024] = "";
    size_t length = file != nullptr ? std::fread(text, 1, sizeof text - 1, file) : 0;
    if (file != nullptr) {
        std::fclose(file);
    }
    text[length] = '\0';
    const char *fields = std::strrchr(text, ')'); // after the name, which may hold anything
    unsigned long user = 0;
    unsigned long system = 0;
    if (fields == nullptr ||
        std::sscanf(fields + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &user,
                    &system) != 2) {
        return -1;
    }
    return static_cast<long>(user + system);
}

// Waits for ffmpeg to end; true when it ended well, without a word on its error output (it
// may end with status 0 on a full disk). After a signal ffmpeg may go on only while it works;
// a further signal, or ffmpeg idle for a second, gives the clip up.
static bool awaitEncoder(int *status) {
    ClipRecording &clip = program.clip;
    long ticks = -1;
    int idleSteps = 0;
    int ending = 0;
    while (waitpid(clip.encoderPid, &ending, WNOHANG) != clip.encoderPid) {
        waitStep();
        int signal = takeInterrupt();
        if (signal != 0 && *status >= signalStatusBase) {
            abandonClip(*status, "given up at a second signal");
        }
        *status = signal != 0 ? signalStatusBase + signal : *status;
        long now = encoderTicks();
        idleSteps = now == ticks ? idleSteps + 1 : 0;
        ticks = now;
        if (*status >= signalStatusBase && idleSteps >= idleStepsAllowed) {
            abandonClip(*status, "given up: ffmpeg stopped working");
        }
    }
    clip.encoderPid = 0;
    return WIFEXITED(ending) && WEXITSTATUS(ending) == 0 && encoderSays().empty();
}

// Closes the queue and waits for the writer and ffmpeg; true when every queued frame went in.
static bool awaitFrames(int *status) {
    ClipRecording &clip = program.clip;
    pthread_mutex_lock(&clip.queue.lock);
    clip.queue.closing = 1;
    pthread_cond_broadcast(&clip.queue.changed);
    pthread_mutex_unlock(&clip.queue.lock);
    bool finished = awaitEncoder(status);
    pthread_join(clip.writer, nullptr);
    return finished && clip.queue.writeError == 0;
}

// A GIF's second and third runs: the palette from every frame, then the GIF in FILE.part.
static bool makeGif(int *status) {
    ClipRecording &clip = program.clip;
    std::fprintf(stderr, "%smaking the GIF of %ld frames\n", progressBreak(), clip.framesQueued);
    startEncoder(ffmpegCommand(gifPalette), -1, {clip.paletteFile, clip.framesFile});
    if (!awaitEncoder(status)) {
        return false;
    }
    startEncoder(ffmpegCommand(gifOutput), -1,
                 {clip.partialFile, clip.framesFile, clip.paletteFile});
    return awaitEncoder(status);
}

void endRecording(int status) {
    ClipRecording &clip = program.clip;
    if (status < signalStatusBase && clip.readBackPending == 1) {
        queueReadBack();
    }
    if (clip.framesQueued == 0) {
        abandonClip(status == doneStatus ? failedStatus : status,
                    "ended before the first kept frame");
    }
    if (!awaitFrames(&status) || (program.options.recordGif == 1 && !makeGif(&status))) {
        failRecording("ffmpeg did not finish the clip");
    }
    if (std::rename(clip.partialPath, program.options.recordPath) != 0) {
        failRecording(std::strerror(errno));
    }
    clip.settled = 1;
    if (clip.framesQueued < program.options.recordFrames) {
        std::fprintf(stderr, "%sbemo-world: ended early: %s holds %ld frames\n", progressBreak(),
                     program.options.recordPath, clip.framesQueued);
    }
    std::exit(status);
}
