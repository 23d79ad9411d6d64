// Routines of the program around the colony: options, the run of frames, recording, benchmark,
// pace.
#pragma once

#include "app/world_state.h"

#include <cstddef>
#include <string>

// One frame as it is read back: BGRA bytes, bottom row first.
constexpr size_t frameBytes = static_cast<size_t>(frameWidth) * frameHeight * 4;

// Prints the usage or the version and ends, if asked; before GLUT, which needs a display.
void answerHelpOrVersion(int argc, char **argv);
// Reads the options, passing GLUT's over; a command line that cannot run ends here, status 2.
void readOptions(int argc, char **argv);
// Starts a recording's or the benchmark's run of frames before the first frame; else the pace.
void startFrameRun();
// Idle callback of such a run: one tick once the frame of the last one is drawn.
void tickFrameRun();
// The colony's frame hook during such a run: counts the frame, keeps it if recorded.
void frameDrawn();
// Whether this run is a recording.
bool recording();
// Names a command line that cannot run, with the usage hint, and ends the process: status 2.
[[noreturn]] void rejectCommandLine(const std::string &problem);
// Creates a recording's FILE.part for this recording alone, before any window; from
// then on the clip is made whole or removed, however the process ends. What stands in the way
// (a folder that cannot be written, a clip being recorded) is a command line that cannot run.
void claimClip();
// Starts ffmpeg for --record once the window and textures are made; nothing without --record.
void startRecording();
// Starts reading the frame just drawn back and queues the one kept before it for ffmpeg.
void keepFrame();
// The signal (Ctrl-C, SIGTERM, SIGHUP) that asks a recording to end early, taken; 0: none.
int takeInterrupt();
// Closes the clip and makes it the named file, then ends the process with `status`; a
// signal's status keeps the frames queued so far.
[[noreturn]] void endRecording(int status);
// Writes the recording's progress line when one is due.
void reportProgress(double now);
// "\n" while a terminal's progress line is open, so that a message starts a line; else "".
const char *progressBreak();
// Allocates the benchmark's frame times.
void startBenchmark();
// Notes the time of the frame just drawn.
void noteFrameTime(double seconds);
// Prints the benchmark's summary and ends the process.
[[noreturn]] void reportBenchmark();

// Seconds of the steady clock, which times the runs of frames and the pace.
double steadySeconds();
// Outside a recording or the benchmark: slot 0 starts now, and the frames keep the pace.
void startPace();
// When the frame drawn at `drawn` may be shown: alone in its slot of the pace.
double paceFrame(double drawn);
// --fps: counts the frame shown at `shown` and prints the rate line when one is due.
void noteFrameShown(double shown);

// GL calls only the desktop program makes, linked into it alone (program_gl.cpp).
// Starts reading the back buffer's frameWidth by frameHeight pixels into read-back buffer
// 0 or 1, without waiting for them.
void startReadBack(int buffer);
// Copies that buffer's pixels, BGRA bytes, bottom row first, to `bgra` (frameBytes).
void collectReadBack(int buffer, unsigned char *bgra);
// Swap interval 0 where the GL offers it.
void unpaceSwaps();
