// The program's own state record around the colony, and its exit statuses.
#pragma once

#include <csignal>
#include <pthread.h>
#include <sys/types.h>

// Exit statuses of the program, beside the colony's own 0 (Esc) and 1 (a texture).
constexpr int doneStatus = 0;         // help, version, a whole run of frames, or Esc
constexpr int failedStatus = 1;       // a recording or a benchmark that could not be made
constexpr int usageStatus = 2;        // a command line that cannot run
constexpr int signalStatusBase = 128; // plus the number of the signal that ended a recording

// The command line's own options, read once after GLUT has taken its own. Every field at its
// initial value is the program run without options; the texture folder, the window and the
// camera go straight to the colony's record.
struct ProgramOptions {
    const char *recordPath = nullptr; // clip to write, ending in .mp4 or .gif; null: none
    int recordGif = 0;                // 1: the clip is a .gif, 0: an .mp4
    long recordFrames = 0;            // frames kept in the clip
    long skipFrames = 0;              // frames drawn before the first kept one
    long benchmarkFrames = 0;         // frames the benchmark times; 0: no benchmark
    long pace = 60;                   // frames shown a second at most; 0: unpaced
    int showRate = 0;                 // 1: the frames shown and their rate, every five seconds
};

// A run of a fixed number of frames, recorded or timed: the animation runs from the first
// frame with exactly one tick before each frame drawn, and the process ends after the last.
// Times are seconds of the steady clock.
struct FrameRun {
    long framesTotal = 0;                // frames to draw; 0 outside such a run
    long framesDrawn = 0;                // frames drawn so far, kept or not
    int framePending = 0;                // 1 from a tick until the frame it asks for is drawn
    double startSeconds = 0;             // the first tick
    double tickSeconds = 0;              // the latest tick
    double progressSeconds = 0;          // the latest progress line on a terminal
    long progressTenths = 0;             // tenths of the run reported, elsewhere
    double *frameMilliseconds = nullptr; // benchmark: each frame, from its tick to the next
};

// Frames read back wait here, at most clipQueueFrames of them, until the writer thread has
// written them into the encoder's pipe; the GL thread fills the slot after the last waiting
// one. The writer touches nothing else of the program; the lock guards the counts and flags.
constexpr int clipQueueFrames = 3;
struct ClipQueue {
    pthread_mutex_t lock = PTHREAD_MUTEX_INITIALIZER;
    pthread_cond_t changed = PTHREAD_COND_INITIALIZER; // for the writer: a frame came, or the end
    unsigned char *frames[clipQueueFrames] = {};       // each one frame of frameBytes
    int first = 0;      // slot of the oldest waiting frame, which the writer is writing
    int waiting = 0;    // frames filled and not yet written
    int closing = 0;    // 1: no frame follows; the writer closes the pipe once all are written
    int writeError = 0; // errno of the write that failed; the writer has then stopped
};

// A recording in progress: the clip grows as FILE.part, created and locked by the program
// itself, written by ffmpeg from frames read back one frame late.
struct ClipRecording {
    char *partialPath = nullptr;    // the clip while it grows: its name plus ".part"
    int partialFile = -1;           // FILE.part, open and locked while this recording owns it
    int encoderInput = -1;          // write end of the pipe into ffmpeg, the writer's alone
    int encoderErrors = -1;         // a memory file that takes ffmpeg's error output
    int framesFile = -1;            // GIF: the frames, lossless, unnamed beside the clip
    int paletteFile = -1;           // GIF: a memory file that takes the palette of all frames
    pid_t encoderPid = 0;           // the ffmpeg process, leader of its own process group
    pthread_t writer{};             // the thread that feeds the pipe
    unsigned readBackNames[2] = {}; // the two GL pixel buffers frames are read back into
    int readBackPending = 0;        // 1: a kept frame is being read back, not yet queued
    int readBackBuffer = 0;         // the read-back buffer of the frame kept last, 0 or 1
    long framesQueued = 0;          // kept frames handed to the writer
    int settled = 0;                // 1 once the clip is made or removed; nothing is left to do
    sigset_t askingSignals{};       // the signals that end it early, blocked and taken in turn
    ClipQueue queue;
};

// Outside a run of frames: time in slots of 1/pace s from the start, each showing at most one
// frame; and the span of the next rate line. Seconds of the steady clock.
struct FramePace {
    double startSeconds = 0; // the start of slot 0, when the window has opened
    long lastSlot = -1;      // the slot of the frame shown last; -1: none yet
    double rateSeconds = 0;  // --fps: the end of the last rate line's span, or the start
    long rateFrames = 0;     // --fps: frames shown since
};

// Everything the program keeps beside the colony's `world`: one instance, `program`.
struct ProgramState {
    ProgramOptions options; // what the command line asked for
    FrameRun run;           // progress of a recording or a benchmark
    FramePace pace;         // the pace of every other run
    ClipRecording clip;     // the recording's files, encoder and writer
};

extern ProgramState program;
