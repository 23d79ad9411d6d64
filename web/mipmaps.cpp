// GLU's mipmap building for the browser: the desktop GLU's power-of-two scaling and box filters.
#include "web.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The bytes of an image of unsigned-byte channels: `width` by `height` pixels of `channels`
// bytes, rows `rowBytes` apart, the first row first.
struct Image {
    const unsigned char *bytes;
    int width;
    int height;
    int channels;
    size_t rowBytes;
};

// GLU's choice of a power of two for a side: halve until 1 or 3 is left; 3 rounds up to 4.
GLsizei nearestPowerOfTwo(GLsizei side) {
    GLsizei power = 1;
    for (; side > 1 && side != 3; side /= 2) {
        power *= 2;
    }
    return side == 3 ? power * 4 : power;
}

// A position along a side of the source image: a whole pixel and the part beyond it, both
// stepped in single precision as GLU steps them, so the spans and weights are GLU's to the bit.
struct Edge {
    int whole;
    float part;
};

Edge nextEdge(Edge edge, int stepWhole, float stepPart) {
    edge.whole += stepWhole;
    edge.part += stepPart;
    if (edge.part > 1) {
        edge.part -= 1.0f;
        edge.whole += 1;
    }
    return edge;
}

// Adds `weight` times the pixel at (x, y) to the channel totals. A pixel of weight 0 is left out:
// a box that ends exactly on the image's edge names the pixel beyond it.
void addPixel(float *totals, const Image &in, int x, int y, float weight) {
    if (weight == 0) {
        return;
    }
    const unsigned char *pixel = in.bytes + size_t(y) * in.rowBytes + size_t(x) * in.channels;
    for (int c = 0; c < in.channels; ++c) {
        totals[c] += float(pixel[c]) * weight;
    }
}

// Adds one row of a box: the end pixels by the parts of them it covers, those between fully,
// all times `weight`, the part of the row covered.
void addBoxRow(float *totals, const Image &in, int y, Edge low, Edge high, float weight) {
    addPixel(totals, in, low.whole, y, weight * (1 - low.part));
    for (int x = low.whole + 1; x < high.whole; ++x) {
        addPixel(totals, in, x, y, weight);
    }
    addPixel(totals, in, high.whole, y, weight * high.part);
}

// The weighted sum over the source box from `low` to `high` in both directions, in GLU's order
// (single-precision sums depend on it): a pixel the box covers in part counts by the part it
// covers, the others fully. GLU walks the left and right columns of the rows between the box's
// first and last with one pointer each that also moves on by a pixel per row, so below the
// first of those rows they are read further right: kept, since the desktop's textures carry it.
void sumBox(float *totals, const Image &in, Edge lowX, Edge highX, Edge lowY, Edge highY) {
    const bool tallBox = highY.whole > lowY.whole, wideBox = highX.whole > lowX.whole;
    if (tallBox && wideBox) {
        addBoxRow(totals, in, lowY.whole, lowX, highX, 1 - lowY.part);
        addBoxRow(totals, in, highY.whole, lowX, highX, highY.part);
        const float left = 1 - lowX.part, right = highX.part;
        for (int y = lowY.whole + 1, drift = 0; y < highY.whole; ++y, ++drift) {
            const unsigned char *row = in.bytes + size_t(y) * in.rowBytes;
            const unsigned char *l = row + size_t(lowX.whole + drift) * in.channels;
            const unsigned char *r = row + size_t(highX.whole + drift) * in.channels;
            for (int c = 0; c < in.channels; ++c) {
                totals[c] += float(l[c]) * left + float(r[c]) * right;
            }
        }
        for (int y = lowY.whole + 1; y < highY.whole; ++y) {
            for (int x = lowX.whole + 1; x < highX.whole; ++x) {
                addPixel(totals, in, x, y, 1);
            }
        }
    } else if (tallBox) {
        const float across = highX.part - lowX.part;
        addPixel(totals, in, lowX.whole, lowY.whole, (1 - lowY.part) * across);
        for (int y = lowY.whole + 1; y < highY.whole; ++y) {
            addPixel(totals, in, lowX.whole, y, across);
        }
        addPixel(totals, in, lowX.whole, highY.whole, across * highY.part);
    } else if (wideBox) {
        addBoxRow(totals, in, lowY.whole, lowX, highX, highY.part - lowY.part);
    } else {
        addPixel(totals, in, lowX.whole, lowY.whole,
                 (highY.part - lowY.part) * (highX.part - lowX.part));
    }
}

// A side of the next level: halved, down to 1.
int halfSide(int side) {
    return side > 1 ? side / 2 : 1;
}

// Halves both sides: each new pixel is the rounded mean of a 2 by 2 block. A side of 1 stays,
// and the other is halved by the truncated mean of two neighbours.
std::vector<unsigned char> halve(const Image &in) {
    const int width = halfSide(in.width), height = halfSide(in.height);
    const size_t across = in.width > 1 ? in.channels : 0, down = in.height > 1 ? in.rowBytes : 0;
    std::vector<unsigned char> out(size_t(width) * height * in.channels);
    unsigned char *to = out.data();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char *from =
                in.bytes + size_t(2 * y) * in.rowBytes + size_t(2 * x) * in.channels;
            for (int c = 0; c < in.channels; ++c, ++from) {
                if (across != 0 && down != 0) {
                    *to++ = (from[0] + from[across] + from[down] + from[down + across] + 2) / 4;
                } else {
                    *to++ = (from[0] + from[across + down]) / 2;
                }
            }
        }
    }
    return out;
}

// Scales to a new size with a box filter: each new pixel is the mean of the source box it
// covers, truncated. Halving both sides exactly takes the 2 by 2 means instead.
std::vector<unsigned char> scale(const Image &in, int width, int height) {
    if (in.width == 2 * width && in.height == 2 * height) {
        return halve(in);
    }
    const float stepX = float(in.width) / width, stepY = float(in.height) / height;
    const int wholeX = int(stepX), wholeY = int(stepY);
    const float partX = stepX - wholeX, partY = stepY - wholeY, area = stepX * stepY;
    std::vector<unsigned char> out(size_t(width) * height * in.channels);
    Edge lowY = {0, 0}, highY = {wholeY, partY};
    for (int y = 0; y < height; ++y) {
        highY.whole = std::min(highY.whole, in.height - 1); // never past the last row
        Edge lowX = {0, 0}, highX = {wholeX, partX};
        for (int x = 0; x < width; ++x) {
            float totals[4] = {0, 0, 0, 0};
            sumBox(totals, in, lowX, highX, lowY, highY);
            for (int c = 0; c < in.channels; ++c) {
                out[(size_t(y) * width + x) * in.channels + c] =
                    static_cast<unsigned char>(totals[c] / area);
            }
            lowX = highX;
            highX = nextEdge(highX, wholeX, partX);
        }
        lowY = highY;
        highY = nextEdge(highY, wholeY, partY);
    }
    return out;
}

int channelCount(GLenum format) {
    switch (format) {
    case GL_RGBA:
        return 4;
    case GL_RGB:
        return 3;
    case GL_LUMINANCE_ALPHA:
        return 2;
    default:
        return 1;
    }
}

} // namespace

// Only unsigned bytes, the type the program hands over. Rows are read with the current unpack
// alignment; the levels are handed to GL tightly packed.
GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                        GLenum format, GLenum type, const void *data) {
    if (width <= 0 || height <= 0 || type != GL_UNSIGNED_BYTE) {
        return GLU_INVALID_VALUE;
    }
    const int channels = channelCount(format);
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    const size_t rowBytes = size_t(width) * channels;
    const size_t stride = (rowBytes + alignment - 1) / alignment * alignment;
    Image user = {static_cast<const unsigned char *>(data), width, height, channels, stride};
    GLsizei w = nearestPowerOfTwo(width), h = nearestPowerOfTwo(height);
    std::vector<unsigned char> level;
    if (w == width && h == height) {
        level.resize(rowBytes * height);
        for (int y = 0; y < height; ++y) {
            std::memcpy(&level[y * rowBytes], user.bytes + y * stride, rowBytes);
        }
    } else {
        level = scale(user, w, h);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (GLint n = 0;; ++n) {
        glTexImage2D(target, n, internalFormat, w, h, 0, format, type, level.data());
        if (w == 1 && h == 1) {
            break;
        }
        level = halve({level.data(), w, h, channels, size_t(w) * channels});
        w = halfSide(w);
        h = halfSide(h);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return 0;
}
