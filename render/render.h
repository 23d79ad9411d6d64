// Routines of the render set-up: fixed GL state, projection and raw textures.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

// Fixed render state, light, material, capabilities and the six textures; once at start-up.
void initRender();
// Reshape callback: fixed viewport and the frame projection, whatever the window size.
void reshapeView(int width, int height);
// Reads one headerless raw image into the bound texture, with mipmaps; exit(1) if it is not
// a regular file or cannot be read.
void loadRawTexture(const char *fileName, int width, int height, int channels, GLenum format,
                    GLenum filter);
// Generates the six texture names and fills each from its file, in the host's folder if it chose one.
void loadTextures();
// A new quadric drawing filled, smoothly lit and textured; null where none can be made.
GLUquadric *newTexturedQuadric();
// Deletes a quadric made by newTexturedQuadric; a missing one is passed over.
void deleteQuadric(GLUquadric *quadric);
// Opens a matrix bracket drawn without lighting (scenery, crumbs, carried food).
void beginUnlit();
// Closes it: lighting back on, matrix popped.
void endUnlit();
// A textured sphere of the scene and of carried food (30 slices, 20 stacks); nothing is
// drawn without a quadric.
void drawSceneSphere(GLUquadric *quadric, double radius);
