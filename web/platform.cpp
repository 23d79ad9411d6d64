// The web platform: GLUT's display string and game mode, glColorMaterial, and the C library's
// random numbers as the desktop's.
#include "web.h"

#include <cctype>
#include <cstdint>
#include <map>
#include <string>

namespace {

// The GNU C library's default generator: additive feedback over the last 34 words, each new
// word the sum of those 3 and 31 back (mod 2^32), the first 31 from the seed by a Lehmer step
// and the next 3 copies of the first 3. The first 310 sums are passed over; each draw is a sum
// shifted right by one. 31 words are kept: the one 31 back is where the new word goes.
struct Random {
    std::uint32_t words[31];
    int next; // where the next word goes
};

std::uint32_t nextWord(Random &random) {
    const int at = random.next;
    random.words[at] += random.words[(at + 31 - 3) % 31];
    random.next = (at + 1) % 31;
    return random.words[at];
}

Random seeded(unsigned seed) {
    Random random{};
    std::int64_t word = seed == 0 ? 1 : seed; // as in that library, seed 0 is seed 1
    for (std::uint32_t &kept : random.words) {
        kept = std::uint32_t(word);
        word = word * 16807 % 2147483647;
    }
    // Words 31 to 33 equal words 0 to 2, already in their places: the sums start at word 34.
    random.next = 34 % 31;
    for (int i = 0; i < 310; ++i) {
        nextWord(random);
    }
    return random;
}

// The generator never seeded starts as seeded with 1.
Random generator = seeded(1);

} // namespace

// Each word of the string names a capability, perhaps followed by a comparison ("depth>=16");
// the comparisons are left to the browser, which gives what it has.
void glutInitDisplayString(const char *displayMode) {
    static const std::map<std::string, unsigned> bits = {
        {"rgb", GLUT_RGB},         {"rgba", GLUT_RGBA},     {"alpha", GLUT_ALPHA},
        {"double", GLUT_DOUBLE},   {"single", GLUT_SINGLE}, {"depth", GLUT_DEPTH},
        {"stencil", GLUT_STENCIL}, {"acc", GLUT_ACCUM},     {"samples", GLUT_MULTISAMPLE},
    };
    unsigned mode = 0;
    std::string word;
    for (const char *c = displayMode;; ++c) {
        if (*c != '\0' && std::isalpha(static_cast<unsigned char>(*c))) {
            word += *c;
            continue;
        }
        auto found = bits.find(word);
        mode |= found == bits.end() ? 0 : found->second;
        word.clear();
        if (*c == '\0') {
            break;
        }
    }
    glutInitDisplayMode(mode);
}

void seedRandom(unsigned seed) {
    generator = seeded(seed);
}

int nextRandom() {
    return int(nextWord(generator) >> 1);
}

void glutGameModeString(const char *) {}

int glutEnterGameMode() {
    return 0;
}

void glutLeaveGameMode() {}

int glutGameModeGet(GLenum) {
    return 0;
}

void glColorMaterial(GLenum, GLenum) {}
