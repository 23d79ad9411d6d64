// Routines the browser's GL emulation, GLU and GLUT lack, supplied by web/platform.cpp.
#pragma once

#include <GL/freeglut.h>
#include <GL/glu.h>

// GLU quadrics: gluNewQuadric, gluDeleteQuadric, gluQuadricDrawStyle, gluQuadricNormals,
// gluQuadricTexture, gluSphere and gluDisk, each shape drawn with one glDrawArrays.
// gluBuild2DMipmaps: scales to powers of two, then fills every level down to 1 by 1.
// GLUT shapes: glutSolidCube, glutWireCube, glutSolidSphere, glutWireSphere, one call each.
// glutInitDisplayString: turns the string into glutInitDisplayMode's bits (depth included).
// Game mode and menus do not exist in a page: glutGameModeGet and glutEnterGameMode say so,
// so start-up opens its window instead; the menu calls are accepted and do nothing.
// glColorMaterial: the mode only matters once GL_COLOR_MATERIAL is on, which the program
// never does, so the call is accepted and changes nothing.
