// Routines of the application shell: start-up, menu, keys, animation clock, short walk.
#pragma once

// Start-up after glutInit: the window, render set-up, callbacks and menu; the caller then
// enters GLUT's main loop.
void openWorld();
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
