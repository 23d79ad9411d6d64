// Routines of the program around the colony: options, the run of frames, recording, benchmark,
// pace.
#pragma once

// Prints the usage or the version and ends, if asked; before GLUT, which needs a display.
void answerHelpOrVersion(int argc, char **argv);
// Reads the options after GLUT's; a command line that cannot run ends here, status 2.
void readOptions(int argc, char **argv);
// Starts a recording's or the benchmark's run of frames before the first frame; else nothing.
void startFrameRun();
// Idle callback of such a run: one tick once the frame of the last one is drawn.
void tickFrameRun();
// The colony's frame hook during such a run: counts the frame, keeps it if recorded.
void frameDrawn();
// Whether this run is a recording.
bool recording();
// Starts ffmpeg for --record once the window and textures are made; nothing without --record.
void startRecording();
// Reads the frame just drawn back and writes it to ffmpeg.
void keepFrame();
// Whether Ctrl-C has been pressed during a recording.
bool interruptPending();
// Closes the clip and makes it the named file, then ends the process with `status`.
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

// When the frame drawn at `drawn` may be shown: alone in its slot of the pace.
double paceFrame(double drawn);
// --fps: counts the frame shown at `shown` and prints the rate line when one is due.
void noteFrameShown(double shown);

// GL calls only the desktop program makes, linked into it alone (program_gl.cpp).
// Reads the back buffer's frameWidth by frameHeight RGB pixels, bottom row first.
void readBackFrame(unsigned char *rgb);
// Swap interval 0 where the GL offers it.
void unpaceSwaps();
