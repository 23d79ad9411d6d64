// The freeglut header the program includes, for the browser: the compiler's GLUT declares it all.
#pragma once
#include <GL/freeglut_std.h>
