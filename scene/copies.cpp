// The three copies of a troupe: entering, leaving and dressing each copy's bracket.
#include "app/world_state.h"
#include "scene/copies.h"

#include <GL/gl.h>

static void rotateToCopy(const CopyPlacement &copy) {
    glRotatef(copy.bearingSign * (world.*copy.bearing), 0, 0, 1);
}

void enterCopy(const CopyPlacement &copy) {
    glPushMatrix();
    rotateToCopy(copy);
    glTranslatef(copy.nestX, copy.startY, 0);
}

void enterPorterCopy(const CopyPlacement &copy, float side) {
    glPushMatrix();
    rotateToCopy(copy);
    if (copy.nestX != 0) {
        glTranslatef(copy.nestX, 0, 0);
    }
    glTranslatef(side * porterSideOffset, copy.startY, 0);
}

void leaveCopy() {
    glPopMatrix();
}

bool isCentreCopy(const CopyPlacement &copy) {
    return copy.nestX == 0;
}

void bindCopySkin(const CopyPlacement &copy) {
    glBindTexture(GL_TEXTURE_2D, world.*copy.skin);
}
