// make-textures: paints the six headerless raw RGB images the bemo world loads at start-up.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// One colour with channels on the 0..255 scale, unclamped while it is being mixed.
struct Rgb {
    double r, g, b;
};

// A painter gives the colour at image coordinates u (left to right) and v (bottom to top),
// both in [0, 1).
using Painter = Rgb (*)(double u, double v);

constexpr double kPi = 3.14159265358979323846;

// Integer hash of one lattice point; a change in any input bit changes about half the output
// bits, so neighbouring points get unrelated values without any random number generator.
std::uint32_t hashLattice(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
    std::uint32_t h = (x * 0x8da6b343u) ^ (y * 0xd8163841u) ^ (seed * 0xcb1ab31fu);
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

// Hash of a lattice point as a value in [0, 1).
double latticeValue(int x, int y, std::uint32_t seed) {
    return hashLattice(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), seed) /
           4294967296.0;
}

double smoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(Rgb c, double k) {
    return {c.r * k, c.g * k, c.b * k};
}

// Smoothly interpolated value noise in [0, 1) on a lattice of cellsX by cellsY cells across
// the image. The lattice wraps at the image edges, so every image tiles without a seam where
// the texture closes round a sphere.
double valueNoise(double u, double v, int cellsX, int cellsY, std::uint32_t seed) {
    const double x = u * cellsX;
    const double y = v * cellsY;
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const double fx = smoothStep(0.0, 1.0, x - x0);
    const double fy = smoothStep(0.0, 1.0, y - y0);
    auto at = [&](int i, int j) {
        return latticeValue(((i % cellsX) + cellsX) % cellsX, ((j % cellsY) + cellsY) % cellsY,
                            seed);
    };
    const double bottom = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * fx;
    const double top = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * fx;
    return bottom + (top - bottom) * fy;
}

// Octaves of value noise, each with twice the cells and half the weight of the one before;
// normalised back to [0, 1).
double fractalNoise(double u, double v, int cellsX, int cellsY, std::uint32_t seed, int octaves) {
    double sum = 0.0;
    double weight = 1.0;
    double total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * valueNoise(u, v, cellsX << i, cellsY << i, seed + i);
        total += weight;
        weight *= 0.5;
    }
    return sum / total;
}

// First ant skin: deep red to orange cloud with dark blotches.
Rgb paintFireSkin(double u, double v) {
    constexpr Rgb kDeepRed{165, 30, 10};
    constexpr Rgb kOrange{240, 110, 25};
    const Rgb base = mix(kDeepRed, kOrange, smoothStep(0.3, 0.7, fractalNoise(u, v, 8, 4, 11, 4)));
    const double blotch = smoothStep(0.55, 0.72, fractalNoise(u, v, 12, 6, 23, 3));
    return scale(base, 1.0 - 0.55 * blotch);
}

// Second ant skin: rising flame tongues, red at their roots through orange to yellow tips.
Rgb paintFlameSkin(double u, double v) {
    constexpr Rgb kRamp[] = {{200, 45, 10}, {250, 130, 20}, {255, 210, 50}, {255, 245, 170}};
    constexpr int kSteps = static_cast<int>(std::size(kRamp)) - 1;
    const double sway = 0.04 * (fractalNoise(u, v, 4, 2, 31, 3) - 0.5);
    const double tongues = fractalNoise(u + sway, v, 24, 3, 37, 3);
    const double heat = std::clamp(1.25 * tongues + 0.35 * v - 0.2, 0.0, 1.0) * kSteps;
    const int step = std::min(static_cast<int>(heat), kSteps - 1);
    return mix(kRamp[step], kRamp[step + 1], heat - step);
}

// Yellow ant skin: golden yellow with soft mottling and wavy amber bands between body segments.
Rgb paintYellowSkin(double u, double v) {
    constexpr Rgb kGold{225, 175, 30};
    constexpr Rgb kLemon{252, 232, 100};
    constexpr Rgb kAmber{170, 105, 20};
    constexpr int kBands = 4;
    const Rgb base = mix(kGold, kLemon, smoothStep(0.25, 0.75, fractalNoise(u, v, 10, 5, 41, 4)));
    const double wave = 0.08 * (fractalNoise(u, v, 6, 2, 43, 2) - 0.5);
    const double band = smoothStep(0.75, 1.0, std::fabs(std::sin(kPi * (v + wave) * kBands)));
    return mix(base, kAmber, 0.5 * band);
}

// Candy: pink and white diagonal stripes strewn with coloured sugar sprinkles.
Rgb paintCandy(double u, double v) {
    constexpr Rgb kPink{245, 105, 165};
    constexpr Rgb kWhite{255, 245, 250};
    constexpr Rgb kSprinkles[] = {{60, 130, 240}, {90, 210, 90}, {255, 220, 40}, {230, 40, 50}};
    constexpr int kStripes = 8;
    constexpr int kSprinkleCells = 36;
    constexpr double kSprinkleRadius = 0.18; // in sprinkle cells
    const double phase = std::fmod((u + v) * kStripes, 1.0);
    Rgb colour = mix(kPink, kWhite, smoothStep(0.45, 0.55, phase) - smoothStep(0.95, 1.0, phase));
    const double x = u * kSprinkleCells;
    const double y = v * kSprinkleCells;
    const int cx = static_cast<int>(x);
    const int cy = static_cast<int>(y);
    const std::uint32_t h = hashLattice(cx, cy, 53);
    if ((h & 3u) == 0u) {
        return colour; // a quarter of the cells hold no sprinkle
    }
    const double px = 0.25 + 0.5 * ((h >> 8) & 255u) / 255.0;
    const double py = 0.25 + 0.5 * ((h >> 16) & 255u) / 255.0;
    const double d = std::hypot(x - cx - px, y - cy - py);
    colour = mix(kSprinkles[(h >> 2) & 3u], colour, smoothStep(0.8, 1.0, d / kSprinkleRadius));
    return colour;
}

// Wood ground: warm brown growth rings running along u, wavy with the grain and uneven in
// width, and fine streaks along u. Every pixel stays clearly non-black with red > green > blue.
Rgb paintWood(double u, double v) {
    constexpr Rgb kLight{215, 155, 92};
    constexpr Rgb kDark{128, 76, 38};
    constexpr int kRings = 10;
    const double warp = 1.4 * fractalNoise(u, v, 3, 3, 61, 4);
    const double ring = std::fmod(v * kRings + warp, 1.0);
    const double late = smoothStep(0.5, 0.85, ring) - smoothStep(0.9, 1.0, ring);
    const double tone = 0.9 + 0.1 * fractalNoise(u, v, 2, 5, 63, 2);
    const double streak = fractalNoise(u, v, 4, 120, 67, 3);
    return scale(mix(kLight, kDark, late), tone * (0.8 + 0.2 * streak));
}

// Nest hole: dark earth falling to black toward the top row, which a nest shows at its top
// pole, where the hole opens; light grit and dark pebbles.
Rgb paintHole(double u, double v) {
    constexpr Rgb kEarth{115, 78, 46};
    constexpr Rgb kGrit{170, 135, 95};
    constexpr Rgb kPebble{30, 20, 12};
    const double rim = std::min(1.0, 2.0 * (1.0 - v));
    const double depth = 0.08 + 0.92 * smoothStep(0.05, 1.0, rim);
    const double clod = 0.7 + 0.45 * fractalNoise(u, v, 8, 6, 71, 4);
    Rgb colour = scale(kEarth, depth * clod);
    const double speck = fractalNoise(u, v, 100, 75, 79, 2);
    colour = mix(colour, scale(kGrit, depth), 0.85 * smoothStep(0.7, 0.8, speck));
    colour = mix(colour, kPebble, 0.8 * (1.0 - smoothStep(0.2, 0.3, speck)));
    return colour;
}

// One output file: its name, its size in pixels and what paints it.
struct TextureFile {
    const char *fileName;
    int width;
    int height;
    Painter paint;
};

// The six images, in the order the program loads them.
constexpr TextureFile kTextureFiles[] = {
    {"fire2.raw", 640, 320, paintFireSkin}, {"candy.raw", 500, 500, paintCandy},
    {"wood.raw", 650, 320, paintWood},      {"fire.raw", 640, 320, paintFlameSkin},
    {"hole.raw", 400, 300, paintHole},      {"yant.raw", 640, 320, paintYellowSkin},
};

std::uint8_t toByte(double channel) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(channel, 0.0, 255.0)));
}

// The image's bytes: rows bottom first, pixels left to right, 3 bytes each, no padding.
std::vector<std::uint8_t> paintImage(const TextureFile &file) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(file.width) * file.height * 3);
    for (int row = 0; row < file.height; ++row) {
        for (int column = 0; column < file.width; ++column) {
            const Rgb c = file.paint((column + 0.5) / file.width, (row + 0.5) / file.height);
            bytes.push_back(toByte(c.r));
            bytes.push_back(toByte(c.g));
            bytes.push_back(toByte(c.b));
        }
    }
    return bytes;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-textures <output-dir>\n");
        return 2;
    }
    for (const TextureFile &file : kTextureFiles) {
        const std::vector<std::uint8_t> bytes = paintImage(file);
        const std::string path = std::string(argv[1]) + "/" + file.fileName;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "make-textures: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
