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

constexpr double grain = 20; // least spread of the wood's red: a texture, not one colour
std::vector<unsigned char> rgb(3 * frameWidth * frameHeight); // rows top to bottom

// The mean colour of the 5x5 pixels where a world point lands through the default camera (the
// world shifted by (-20, -20, -400), 20 degrees of view stretched over the 4:3 screen).
std::array<double, 3> sample(double x, double y, double z) {
    double scale = 1 / std::tan(10 * M_PI / 180) / (400 - z) / 2;
    int column = static_cast<int>((scale * (x - 20) + 0.5) * frameWidth);
    int row = static_cast<int>((0.5 - scale * (y - 20)) * frameHeight);
    std::array<double, 3> colour{};
    for (int r = row - 2; r <= row + 2; ++r) {
        for (int c = column - 2; c <= column + 2; ++c) {
            for (int channel = 0; channel < 3; ++channel) {
                colour[channel] += rgb[(r * frameWidth + c) * 3 + channel] / 25.0;
            }
        }
    }
    return colour;
}

int main(int argc, char **argv) {
    std::ifstream in(argc == 2 ? argv[1] : "", std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    in.get(); // the one whitespace byte that ends the header
    in.read(reinterpret_cast<char *>(rgb.data()), rgb.size());
    if (!in || magic != "P6" || width != frameWidth || height != frameHeight || maxValue != 255) {
        std::fprintf(stderr, "usage: frame-check CAPTURE.ppm, a binary 8-bit 1024x768 PPM\n");
        return 2;
    }
    chooseTargets(); // the first use of the generator in this process, as in the program
    double bearing = world.foodBearing * M_PI / 180;
    double reach = world.foodDistance + 3.8; // to the pile's centre
    double foodX = reach * std::sin(bearing), foodY = -reach * std::cos(bearing);
    // Wood: brown (red over green over blue) and grained, 30 around the centre nest, off the route.
    int samples = 0, notWood = 0;
    double lowRed = 255, highRed = 0;
    for (int i = 0; i < 24; ++i) {
        double x = 30 * std::sin(i * M_PI / 12), y = -30 * std::cos(i * M_PI / 12);
        if (std::hypot(x - foodX * 30 / reach, y - foodY * 30 / reach) <= 8) {
            continue;
        }
        std::array<double, 3> ground = sample(x, y, -0.67);
        samples += 1;
        if (!(ground[0] >= 60 && ground[0] > ground[1] && ground[1] > ground[2])) {
            notWood += 1;
        }
        lowRed = std::fmin(lowRed, ground[0]);
        highRed = std::fmax(highRed, ground[0]);
    }
    // The food pile's top: candy, pink and white (red at least 150, blue over green).
    std::array<double, 3> food = sample(foodX, foodY, 0.2 + 0.9);
    bool candy = food[0] >= 150 && food[2] > food[1];
    std::printf("%d of %d ground samples not wood, their red from %.0f to %.0f; food %s\n", notWood,
                samples, lowRed, highRed, candy ? "candy" : "NOT CANDY");
    return notWood == 0 && highRed - lowRed >= grain && candy ? 0 : 1;
}
