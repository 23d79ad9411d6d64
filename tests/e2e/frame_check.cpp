// frame-check: tests a first-frame capture where the camera puts the ground, centre nest and food.
// Usage: frame-check CAPTURE.ppm (binary 8-bit); exit status 0 when all checks hold, 1 with a
// line per failed check, 2 for an unreadable capture. Run it in a fresh process: the food's place
// comes from the program's own target choice, which must see the C library generator unseeded.
#include "app/world_state.h"
#include "scene/scene.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int width = 1024, height = 768; // the default viewport
constexpr double pi = 3.14159265358979323846;
// Scenery in world units, z up: the centre nest is a half-buried ellipsoid at the origin, the
// food pile one lying 3.8 past the food target with its long axis across the bearing line.
constexpr double groundZ = -0.67, nestZ = -4, nestAxes[3] = {9.6, 6, 4.8};
constexpr double foodZ = 0.2, foodHalfLength = 2.7, foodHalfHeight = 0.9, foodBeyondTarget = 3.8;

struct Sample {
    bool inView = false;
    int column = 0, row = 0; // row 0 is the top of the image
    double r = 0, g = 0, b = 0;
};

// The capture, rows top to bottom, 3 bytes per pixel.
std::vector<unsigned char> rgb(size_t{width} * height * 3);

// The mean colour of the (2 radius + 1)^2 pixels around where a world point lands through the
// default camera: 20 degree field of view at aspect 1, planes at 20 and 5000, the world shifted
// by (-20, -20, -400). Points behind it or within 4 pixels of the border are out of view.
Sample sample(double x, double y, double z, int radius) {
    constexpr double n = 20, f = 5000;
    GLdouble projection[16] = {}, winX = 0, winY = 0, winZ = 0;
    projection[0] = projection[5] = 1 / std::tan(10 * pi / 180);
    projection[10] = (f + n) / (n - f), projection[11] = -1, projection[14] = 2 * f * n / (n - f);
    const GLdouble modelview[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -20, -20, -400, 1};
    const GLint viewport[4] = {0, 0, width, height};
    Sample s;
    s.inView = gluProject(x, y, z, modelview, projection, viewport, &winX, &winY, &winZ) == GL_TRUE;
    s.column = static_cast<int>(std::floor(winX));
    s.row = height - 1 - static_cast<int>(std::floor(winY));
    s.inView =
        s.inView && std::min(s.column, s.row) >= 4 && s.column < width - 4 && s.row < height - 4;
    const double share = 1.0 / ((2 * radius + 1) * (2 * radius + 1));
    for (int row = s.row - radius; s.inView && row <= s.row + radius; ++row)
        for (int column = s.column - radius; column <= s.column + radius; ++column) {
            const unsigned char *p = &rgb[(static_cast<size_t>(row) * width + column) * 3];
            s.r += share * p[0], s.g += share * p[1], s.b += share * p[2];
        }
    return s;
}

} // namespace

int main(int argc, char **argv) {
    chooseTargets(); // first use of the generator in this process, as in the program
    const auto luminance = [](const Sample &s) { return 0.299 * s.r + 0.587 * s.g + 0.114 * s.b; };
    const double bearing = world.foodBearing * pi / 180;
    const double range = world.foodDistance + foodBeyondTarget;
    const double foodX = range * std::sin(bearing), foodY = -range * std::cos(bearing);
    std::ifstream in(argc == 2 ? argv[1] : "", std::ios::binary);
    std::string magic;
    int w = 0, h = 0, maxValue = 0;
    in >> magic >> w >> h >> maxValue;
    in.get(); // the single whitespace byte that ends the header
    in.read(reinterpret_cast<char *>(rgb.data()), std::streamsize(rgb.size()));
    if (magic != "P6" || maxValue != 255 || (!in && w == width && h == height)) {
        std::fprintf(stderr, "usage: frame-check CAPTURE.ppm, a binary 8-bit PPM\n");
        return 2;
    }
    if (w != width || h != height) {
        std::printf("FAIL capture size: %dx%d, expected %dx%d\n", w, h, width, height);
        return 1;
    }
    bool allOk = true;
    // Wood (brown: R > G > B, red at least 60) on a 3-unit grid over the ground in view, clear of
    // all that stands or walks on it early: the nest and the scout's start (15 around the origin),
    // the pile (7 around it), its route (5 either side), the side food rows (|y| near 64.7, |x| <
    // 14) and the patrol band (y >= 78).
    int samples = 0, notWood = 0, nearSamples = 0;
    Sample firstNotWood;
    double nearLuminance = 0; // of the wood within 30 of the origin, the nest's reference
    for (double y = -48; y <= 88; y += 3)
        for (double x = -48; x <= 88; x += 3) {
            const double t = std::clamp((x * foodX + y * foodY) / (foodX * foodX + foodY * foodY),
                                        0.0, 1.0); // nearest point of the route, as a share
            const Sample s = sample(x, y, groundZ, 2);
            if (!s.inView || std::hypot(x, y) <= 15 || std::hypot(x - foodX, y - foodY) <= 7 ||
                std::hypot(x - t * foodX, y - t * foodY) <= 5 ||
                (std::fabs(std::fabs(y) - 64.7) < 4 && std::fabs(x) < 14) || y >= 78)
                continue;
            ++samples;
            if (!(s.r > s.g && s.g > s.b && s.r >= 60)) {
                if (notWood++ == 0)
                    firstNotWood = s;
            } else if (std::hypot(x, y) <= 30) {
                nearLuminance += luminance(s);
                ++nearSamples;
            }
        }
    if (notWood > 0 || samples < 1200 || nearSamples == 0) {
        const Sample &f = firstNotWood;
        std::printf("FAIL wood across the view: %d of %d (1200 needed) not brown, first at (%d,%d) "
                    "rgb(%.0f,%.0f,%.0f)\n",
                    notWood, samples, f.column, f.row, f.r, f.g, f.b);
        allOk = false;
    }
    nearLuminance /= std::max(nearSamples, 1);

    // The centre nest: eight samples on its cap above the ground, 0.45 of the way out to where it
    // meets the ground, average at most 0.75 of the luminance of the wood around it.
    const double rim = 0.45 * std::sqrt(1 - std::pow((groundZ - nestZ) / nestAxes[2], 2));
    bool nestInView = true;
    double nestLuminance = 0;
    for (int i = 0; i < 8; ++i) {
        const double u = rim * std::cos(pi * i / 4), v = rim * std::sin(pi * i / 4);
        const Sample s = sample(u * nestAxes[0], v * nestAxes[1],
                                nestZ + nestAxes[2] * std::sqrt(1 - u * u - v * v), 2);
        nestInView = nestInView && s.inView;
        nestLuminance += luminance(s) / 8;
    }
    if (!nestInView || nestLuminance > 0.75 * nearLuminance) {
        std::printf("FAIL centre nest darker than wood: luminance %.0f, wood %.0f%s\n",
                    nestLuminance, nearLuminance, nestInView ? "" : ", out of view");
        allOk = false;
    }

    // The food pile: candy (pink and white: red at least 150, blue above green) at its top and
    // 1.5 either side of it along its long axis.
    for (double along = -1.5; along <= 1.5; along += 1.5) {
        const Sample s =
            sample(foodX + along * std::cos(bearing), foodY + along * std::sin(bearing),
                   foodZ + foodHalfHeight * std::sqrt(1 - std::pow(along / foodHalfLength, 2)), 1);
        if (!s.inView || s.b <= s.g || s.r < 150) {
            std::printf("FAIL food pile is candy: %s pixel (%d,%d) rgb(%.0f,%.0f,%.0f)\n",
                        s.inView ? "at" : "out of view at", s.column, s.row, s.r, s.g, s.b);
            allOk = false;
        }
    }

    std::printf("frame check %s\n", allOk ? "passed" : "FAILED");
    return allOk ? 0 : 1;
}
