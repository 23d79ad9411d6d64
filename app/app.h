// Routines of the application shell: start-up, menu, keys, animation clock, short walk, and
// the program around them: options, recording, benchmark.
#pragma once

// Start-up: GLUT, the window, render set-up, callbacks, menu, then the main loop.
void startWorld(int *argc, char **argv);
// Menu callback: every entry only asks for one more frame.
void handleMenu(int value);
// Keyboard callback: the command table.
void handleKey(unsigned char key, int x, int y);
// Special-key callback: the arrow keys pan the camera.
void handleSpecialKey(int key, int x, int y);
// Idle callback of the continuous animation: one step of the gait oscillators.
void tickAnimation();
// Idle callback of the short walk: key-framed antenna and leg swing on the elapsed time.
void tickShortWalk();

// The key codes GLUT passes for Tab and Esc.
constexpr unsigned char keyTab = 9;
constexpr unsigned char keyEscape = 27;

// Shared by the keys and the idle callbacks.
// One step of the leg swing and lift in their directions, unless the ants are halted.
void stepLegs();
// One step of the antenna and of the mandibles in their directions.
void stepAntennaAndJaw();
// Whether the short walk may run: early in a round, before the carrier column sets out.
bool shortWalkAllowed();

// The program around the animation.
// Prints the usage or the version and ends, if asked; before GLUT, which needs a display.
void answerHelpOrVersion(int argc, char **argv);
// Reads the options after GLUT's; a command line that cannot run ends here, status 2.
void readOptions(int argc, char **argv);
// Starts ffmpeg for --record once the window and textures are made; nothing without --record.
void startRecording();
// Starts a recording's or the benchmark's run of frames before the first frame; else nothing.
void startFrameRun();
// Idle callback of such a run: one tick once the frame of the last one is drawn.
void tickFrameRun();
// Called by the display routine before each swap: counts the frame, keeps it if recorded.
void frameDrawn();
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
// Allocates the benchmark's frame times and unpaces the swaps.
void startBenchmark();
// Notes the time of the frame just drawn.
void noteFrameTime(double seconds);
// Prints the benchmark's summary and ends the process.
[[noreturn]] void reportBenchmark();

// GL calls only the program makes (the behaviour tests' GL stand-in lacks them); main hands
// them to the library through world.run.
// Reads the back buffer's frameWidth by frameHeight RGB pixels, bottom row first.
void readBackFrame(unsigned char *rgb);
// Swap interval 0 where the GL offers it.
void unpaceSwaps();
