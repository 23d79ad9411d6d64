// frame-check CAPTURE.ppm: checks the wood and food of a first frame (binary 8-bit 1024x768 PPM),
// prints what it saw; status 0 when all hold, 1 when one fails, 2 for an unreadable capture. Run
// it in a fresh process: the food's place comes from the program's own unseeded target choice.
#include "app/world_state.h"
#include "scene/scene.h"
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

constexpr int width = 1024, height = 768;
constexpr double grain = 20; // least spread of the wood's red: a texture, not one colour
std::vector<unsigned char> rgb(3 * width * height); // rows top to bottom

// The mean colour of the 5x5 pixels where a world point lands through the default camera (the
// world shifted by (-20, -20, -400), 20 degrees of view stretched over the 4:3 screen).
std::array<double, 3> sample(double x, double y, double z) {
    const double f = 1 / std::tan(10 * M_PI / 180) / (400 - z) / 2;
    const int column = int((f * (x - 20) + 0.5) * width), row = int((0.5 - f * (y - 20)) * height);
    std::array<double, 3> c{};
    for (int i = 0; i < 75; ++i) { // row, column and channel of the block
        c[i % 3] += rgb[((row + i / 15 - 2) * width + column + i / 3 % 5 - 2) * 3 + i % 3] / 25.0;
    }
    return c;
}

int main(int argc, char **argv) {
    std::ifstream in(argc == 2 ? argv[1] : "", std::ios::binary);
    std::string magic;
    int w = 0, h = 0, maxValue = 0;
    in >> magic >> w >> h >> maxValue;
    in.get(); // the one whitespace byte that ends the header
    if (!in.read(reinterpret_cast<char *>(rgb.data()), rgb.size()) || magic != "P6" || w != width ||
        h != height || maxValue != 255) {
        std::fprintf(stderr, "usage: frame-check CAPTURE.ppm, a binary 8-bit 1024x768 PPM\n");
        return 2;
    }
    chooseTargets(); // the first use of the generator in this process, as in the program
    const double b = world.foodBearing * M_PI / 180, reach = world.foodDistance + 3.8;
    const double foodX = reach * std::sin(b), foodY = -reach * std::cos(b);
    // Wood, brown (red over green over blue) and grained, on a ring 30 around the centre nest.
    double notWood = 0, samples = 0, lowRed = 255, highRed = 0;
    for (int i = 0; i < 24; ++i) {
        const double x = 30 * std::sin(i * M_PI / 12), y = -30 * std::cos(i * M_PI / 12);
        const auto c = sample(x, y, -0.67);
        if (std::hypot(x - foodX * 30 / reach, y - foodY * 30 / reach) > 8) { // off the route
            notWood += !(c[0] >= 60 && c[0] > c[1] && c[1] > c[2]), ++samples;
            lowRed = std::fmin(lowRed, c[0]), highRed = std::fmax(highRed, c[0]);
        }
    }
    // The food pile's top: candy, pink and white (red at least 150, blue over green).
    const auto food = sample(foodX, foodY, 0.2 + 0.9);
    const bool foodOk = food[0] >= 150 && food[2] > food[1];
    std::printf("%g of %g ground samples not wood, their red from %.0f to %.0f; food %s\n", notWood,
                samples, lowRed, highRed, foodOk ? "candy" : "NOT CANDY");
    return notWood == 0 && highRed - lowRed >= grain && foodOk ? 0 : 1;
}
