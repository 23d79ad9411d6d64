// The three copies of a troupe: entering, leaving and dressing each copy's bracket.
#include "app/world_state.h"
#include "scene/copies.h"

#include <GL/gl.h>

static void rotateToCopy(const CopyPlacement &copy) {
    float bearing = 0;
    switch (copy.bearing) {
    case CopyBearing::Scout:
        bearing = world.scoutBearing;
        break;
    case CopyBearing::Food:
        bearing = world.foodBearing;
        break;
    case CopyBearing::SideNest:
        bearing = world.sideNestBearing;
        break;
    case CopyBearing::OppositeSideNest:
        bearing = -world.sideNestBearing;
        break;
    }
    glRotatef(bearing, 0, 0, 1);
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
    return copy.bearing == CopyBearing::Scout || copy.bearing == CopyBearing::Food;
}

void bindCopySkin(const CopyPlacement &copy) {
    GLuint skin = world.texYant;
    if (copy.skin == CopySkin::Scout) {
        skin = world.texFire;
    } else if (copy.skin == CopySkin::Column) {
        skin = world.texFire2;
    }
    glBindTexture(GL_TEXTURE_2D, skin);
}
