// frame-check: tests a first-frame capture where the camera puts the ground, centre nest and food.
//
// Usage: frame-check CAPTURE.ppm. Run in a fresh process: the food's place comes from the
// program's own target choice, which must see the C library generator in its unseeded state,
// as the program's first frame does. Prints one line per check; exit status 0 when all hold,
// 1 when one fails, 2 when the capture cannot be read.
#include "app/world_state.h"
#include "scene/scene.h"

#include <GL/glu.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The default camera of every frame: fixed viewport and projection, modelview a pure shift.
constexpr int viewportWidth = 1024;
constexpr int viewportHeight = 768;
constexpr double fieldOfViewYDegrees = 20;
constexpr double aspectRatio = 1.0;
constexpr double nearPlane = 20;
constexpr double farPlane = 5000;
constexpr double cameraShift[3] = {-20, -20, -400};

// Scenery in world units (z up, centre nest at the origin).
constexpr double groundZ = -0.67;
constexpr double nestCentreZ = -4;
constexpr double nestSemiAxes[3] = {9.6, 6, 4.8};
constexpr double foodBeyondTarget = 3.8; // the pile lies this much past foodDistance
constexpr double foodCentreZ = 0.2;
constexpr double foodSemiAxes[3] = {2.7, 0.9, 0.9}; // long axis across the bearing line
constexpr double pi = 3.14159265358979323846;
constexpr double degreesToRadians = pi / 180;

// Ground samples: a grid over the visible part of the disk, kept clear of everything that
// stands on it in the first frame or walks over it later.
constexpr double gridStep = 3;
constexpr double gridMin = -48, gridMax = 88;
constexpr double nestClearance = 15;      // nest and the scout's start around the origin
constexpr double foodClearance = 7;       // around the pile's centre
constexpr double routeClearance = 5;      // either side of the line from the nest to the pile
constexpr double sideFoodRowY = 64.7;     // the row of side food pieces, |x| <= 10
constexpr double sideFoodClearance = 4;   // half height of the row's band
constexpr double sideFoodHalfLength = 14; // half length of the row's band
constexpr double patrolBandStartY = 78;   // patrol ants walk at y = 85 and above
constexpr double nestSurroundRadius = 30; // wood samples this close set the nest's reference
constexpr int minGroundSamples = 1200;
constexpr int edgeMargin = 4; // pixels kept clear of the image border

// Colour rules. Samples average a square patch of (2r+1)^2 pixels.
constexpr int groundPatchRadius = 2;
constexpr int nestPatchRadius = 2;
constexpr int foodPatchRadius = 1;
constexpr double minWoodRed = 60;     // wood is brown, R > G > B, and never near black
constexpr double maxNestShare = 0.75; // nest luminance at most this share of the wood's near it
constexpr double minCandyRed = 150;   // candy is pink and white: bright, blue above green
constexpr double nestCapShare = 0.45; // nest samples lie this share out toward the cap's rim
constexpr int nestSampleCount = 8;
constexpr double foodAlongAxis = 1.5; // food samples either side of the centre, world units

struct Colour {
    double r, g, b;
};

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb; // rows top to bottom, 3 bytes per pixel
};

struct Pixel {
    int column, row; // row 0 is the top of the image
};

bool readPpm(const char *path, Image &image) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> image.width >> image.height >> maxValue;
    if (!in || magic != "P6" || maxValue != 255 || image.width <= 0 || image.height <= 0)
        return false;
    in.get(); // the single whitespace byte that ends the header
    image.rgb.resize(static_cast<size_t>(image.width) * image.height * 3);
    in.read(reinterpret_cast<char *>(image.rgb.data()),
            static_cast<std::streamsize>(image.rgb.size()));
    return static_cast<size_t>(in.gcount()) == image.rgb.size();
}

// Where a world point lands in the image, through gluProject with the frame's matrices.
// Window y runs bottom to top; image rows top to bottom.
bool project(double x, double y, double z, Pixel &pixel) {
    const double f = 1 / std::tan(fieldOfViewYDegrees / 2 * degreesToRadians);
    const GLdouble projection[16] = {f / aspectRatio,
                                     0,
                                     0,
                                     0,
                                     0,
                                     f,
                                     0,
                                     0,
                                     0,
                                     0,
                                     (farPlane + nearPlane) / (nearPlane - farPlane),
                                     -1,
                                     0,
                                     0,
                                     2 * farPlane * nearPlane / (nearPlane - farPlane),
                                     0};
    const GLdouble modelview[16] = {
        1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, cameraShift[0], cameraShift[1], cameraShift[2], 1};
    const GLint viewport[4] = {0, 0, viewportWidth, viewportHeight};
    GLdouble winX, winY, winZ;
    if (gluProject(x, y, z, modelview, projection, viewport, &winX, &winY, &winZ) != GL_TRUE)
        return false;
    pixel = {static_cast<int>(std::floor(winX)),
             viewportHeight - 1 - static_cast<int>(std::floor(winY))};
    return pixel.column >= edgeMargin && pixel.column < viewportWidth - edgeMargin &&
           pixel.row >= edgeMargin && pixel.row < viewportHeight - edgeMargin;
}

Colour patchMean(const Image &image, Pixel centre, int radius) {
    Colour sum{0, 0, 0};
    int count = 0;
    for (int row = centre.row - radius; row <= centre.row + radius; ++row) {
        for (int column = centre.column - radius; column <= centre.column + radius; ++column) {
            const unsigned char *p =
                &image.rgb[(static_cast<size_t>(row) * image.width + column) * 3];
            sum.r += p[0];
            sum.g += p[1];
            sum.b += p[2];
            ++count;
        }
    }
    return {sum.r / count, sum.g / count, sum.b / count};
}

double luminance(Colour c) {
    return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
}

bool isWood(Colour c) {
    return c.r > c.g && c.g > c.b && c.r >= minWoodRed;
}

bool isCandy(Colour c) {
    return c.b > c.g && c.r >= minCandyRed;
}

// Distance from point p to the segment a-b in the ground plane.
double distanceToSegment(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    double t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Height of the centre nest's upper surface above (x, y), which lies inside its outline.
double nestSurfaceZ(double x, double y) {
    const double u = x / nestSemiAxes[0], v = y / nestSemiAxes[1];
    return nestCentreZ + nestSemiAxes[2] * std::sqrt(1 - u * u - v * v);
}

void report(bool ok, const char *what, const std::string &detail) {
    std::printf("%s %s: %s\n", ok ? "ok  " : "FAIL", what, detail.c_str());
}

std::string describe(Pixel p, Colour c) {
    char text[96];
    std::snprintf(text, sizeof text, "pixel (%d,%d) rgb(%.0f,%.0f,%.0f)", p.column, p.row, c.r, c.g,
                  c.b);
    return text;
}

} // namespace

int main(int argc, char **argv) {
    chooseTargets(); // first use of the generator in this process, as in the program
    const double bearing = world.foodBearing * degreesToRadians;
    const double foodRange = world.foodDistance + foodBeyondTarget;
    const double foodX = foodRange * std::sin(bearing), foodY = -foodRange * std::cos(bearing);

    if (argc != 2) {
        std::fprintf(stderr, "usage: frame-check CAPTURE.ppm\n");
        return 2;
    }
    Image image;
    if (!readPpm(argv[1], image)) {
        std::fprintf(stderr, "frame-check: cannot read %s as a binary 8-bit PPM\n", argv[1]);
        return 2;
    }
    std::printf("food bearing %.1f, distance %.1f: pile centre at (%.2f, %.2f)\n",
                world.foodBearing, world.foodDistance, foodX, foodY);
    bool allOk = image.width == viewportWidth && image.height == viewportHeight;
    report(allOk, "capture size",
           std::to_string(image.width) + "x" + std::to_string(image.height) + ", expected " +
               std::to_string(viewportWidth) + "x" + std::to_string(viewportHeight));
    if (!allOk)
        return 1;

    // Wood across the view.
    int groundSamples = 0, notWood = 0, surroundSamples = 0;
    double surroundLuminance = 0;
    for (double y = gridMin; y <= gridMax; y += gridStep) {
        for (double x = gridMin; x <= gridMax; x += gridStep) {
            const bool clear = std::hypot(x, y) > nestClearance &&
                               std::hypot(x - foodX, y - foodY) > foodClearance &&
                               distanceToSegment(x, y, 0, 0, foodX, foodY) > routeClearance &&
                               !(std::fabs(std::fabs(y) - sideFoodRowY) < sideFoodClearance &&
                                 std::fabs(x) < sideFoodHalfLength) &&
                               y < patrolBandStartY;
            Pixel p{};
            if (!clear || !project(x, y, groundZ, p))
                continue;
            const Colour c = patchMean(image, p, groundPatchRadius);
            ++groundSamples;
            if (!isWood(c)) {
                if (++notWood <= 5) {
                    char where[48];
                    std::snprintf(where, sizeof where, "world (%.0f, %.0f) ", x, y);
                    report(false, "ground", where + describe(p, c));
                }
            } else if (std::hypot(x, y) <= nestSurroundRadius) {
                surroundLuminance += luminance(c);
                ++surroundSamples;
            }
        }
    }
    const bool groundOk = notWood == 0 && groundSamples >= minGroundSamples && surroundSamples > 0;
    report(groundOk, "wood across the view",
           std::to_string(groundSamples - notWood) + " of " + std::to_string(groundSamples) +
               " ground samples brown");
    allOk = allOk && groundOk;
    if (surroundSamples > 0)
        surroundLuminance /= surroundSamples;

    // The centre nest: a ring of samples on the part of its surface above the ground.
    const double rimShare = std::sqrt(1 - std::pow((groundZ - nestCentreZ) / nestSemiAxes[2], 2));
    double nestLuminance = 0;
    bool nestInView = true;
    for (int i = 0; i < nestSampleCount && nestInView; ++i) {
        const double angle = 2 * pi * i / nestSampleCount;
        const double x = nestCapShare * rimShare * nestSemiAxes[0] * std::cos(angle);
        const double y = nestCapShare * rimShare * nestSemiAxes[1] * std::sin(angle);
        Pixel p{};
        nestInView = project(x, y, nestSurfaceZ(x, y), p);
        if (nestInView)
            nestLuminance += luminance(patchMean(image, p, nestPatchRadius)) / nestSampleCount;
    }
    Pixel nestPixel{};
    nestInView = nestInView && project(0, 0, nestSurfaceZ(0, 0), nestPixel);
    const bool nestOk = nestInView && nestLuminance <= maxNestShare * surroundLuminance;
    char nestText[128];
    std::snprintf(nestText, sizeof nestText,
                  "around pixel (%d,%d) luminance %.0f, wood around it %.0f (limit %.0f%%)",
                  nestPixel.column, nestPixel.row, nestLuminance, surroundLuminance,
                  maxNestShare * 100);
    report(nestOk, "centre nest darker than wood", nestText);
    allOk = allOk && nestOk;

    // The food pile: its top at the centre and either side along its long axis.
    for (int side = -1; side <= 1; ++side) {
        const double along = side * foodAlongAxis;
        const double x = foodX + along * std::cos(bearing), y = foodY + along * std::sin(bearing);
        const double z =
            foodCentreZ + foodSemiAxes[2] * std::sqrt(1 - std::pow(along / foodSemiAxes[0], 2));
        Pixel p{};
        const bool inView = project(x, y, z, p);
        const Colour c = inView ? patchMean(image, p, foodPatchRadius) : Colour{0, 0, 0};
        const bool ok = inView && isCandy(c);
        report(ok, side == 0 ? "food pile centre is candy" : "food pile long axis is candy",
               inView ? describe(p, c) : "outside the view");
        allOk = allOk && ok;
    }

    std::printf("frame check %s\n", allOk ? "passed" : "FAILED");
    return allOk ? 0 : 1;
}
