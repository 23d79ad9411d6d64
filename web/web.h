// Routines the browser's GL emulation, GLU, GLUT and C library lack or give otherwise than the
// desktop's, supplied by web/ (shapes.cpp, mipmaps.cpp, platform.cpp, page.cpp).
#pragma once

#define GL_GLEXT_PROTOTYPES // shapes are drawn from GL 1.5 buffers
#include <GL/freeglut.h>
#include <GL/glext.h>
#include <GL/glu.h>

// GLU quadrics: gluNewQuadric, gluDeleteQuadric, gluQuadricDrawStyle, gluQuadricNormals,
// gluQuadricTexture, gluSphere and gluDisk; GLUT shapes: glutSolidCube, glutWireCube,
// glutSolidSphere, glutWireSphere. Each shape is built once into a GL buffer and drawn from it
// with one glDrawArrays, unless it lies wholly outside the view.
// glShadeModel: under GL_FLAT each primitive of a shape takes the normal of its provoking
// vertex, as the desktop's GLU and GLUT give them, so it is lit in one colour.
// Whether shapes reach GL: false while frames are only stepped through (the world moves, nothing
// is drawn); true otherwise.
void drawShapes(bool drawn);

// gluBuild2DMipmaps: every level as the desktop's GLU makes it, its scaling to powers of two and
// its box filters to the bit.

// glutInitDisplayString: turns the string into glutInitDisplayMode's bits (depth included).
// Game mode does not exist in a page: glutGameModeGet and glutEnterGameMode say so, so start-up
// opens its window instead.
// glColorMaterial: the mode only matters once GL_COLOR_MATERIAL is on, which the program never
// does, so the call is accepted and changes nothing.

// The GNU C library's random numbers, which the page's rand and srand draw (page.cpp): the
// same sequence as the desktop's, unseeded as seeded with 1.
void seedRandom(unsigned seed);
int nextRandom();

// The right-button menu is the page's (browser_glut.js).
