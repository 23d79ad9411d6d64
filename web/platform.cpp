// The web platform: GLU quadrics and mipmaps, GLUT shapes, display string, game mode and menus.
#include "web.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

// A quadric's drawing settings; GLU's defaults.
struct GLUquadric {
    GLenum drawStyle = GLU_FILL; // GLU_FILL, GLU_LINE, GLU_SILHOUETTE or GLU_POINT
    GLenum normals = GLU_SMOOTH; // GLU_SMOOTH, GLU_FLAT or GLU_NONE
    bool textured = false;       // whether the shapes carry texture coordinates of their own
};

namespace {

constexpr double pi = 3.14159265358979323846;

// One vertex as GL reads it from a shape's array.
struct Vertex {
    GLfloat position[3];
    GLfloat normal[3];
    GLfloat texCoord[2];
};

// Fixed-function GL's current normal and texture coordinate: GLU leaves the last ones it gave,
// and a shape without its own (a GLUT shape, a quadric without normals or texture) takes them.
Vertex current = {{0, 0, 0}, {0, 0, 1}, {0, 0}};

// A shape ready to draw in one call.
struct Mesh {
    GLenum mode = GL_TRIANGLES;
    bool ownNormals = true;
    bool ownTexCoords = false;
    // GLU gives its shapes vertex by vertex, so its last normal and texture coordinate stay
    // current; GLUT draws from arrays, which leave GL's current ones as they were.
    bool leavesCurrent = false;
    std::vector<Vertex> vertices;
};

// Hands the shape to GL as client arrays and draws it with one glDrawArrays.
void drawMesh(Mesh &mesh) {
    std::vector<Vertex> &vertices = mesh.vertices;
    if (vertices.empty()) {
        return;
    }
    for (Vertex &v : vertices) {
        if (!mesh.ownNormals) {
            std::copy_n(current.normal, 3, v.normal);
        }
        if (!mesh.ownTexCoords) {
            std::copy_n(current.texCoord, 2, v.texCoord);
        }
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(Vertex), vertices[0].position);
    glNormalPointer(GL_FLOAT, sizeof(Vertex), vertices[0].normal);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), vertices[0].texCoord);
    glDrawArrays(mesh.mode, 0, static_cast<GLsizei>(vertices.size()));
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    if (mesh.leavesCurrent) {
        current = vertices.back();
    }
}

enum class Surface { gluSphere, glutSphere, disk, solidCube, wireCube };

// A curved shape laid on a grid: columns go around it (slices), rows from one rim to the other
// (a sphere's stacks from +z down, a disk's loops from the inner rim out).
struct Grid {
    Surface surface;
    int columns;
    int rows;
    double radius; // of the sphere, or the disk's outer one
    double inner;  // the disk's inner radius
};

// The vertex at a grid point. GLU starts its slices at +y, GLUT its sphere's a quarter turn on,
// at +x. A point between grid lines gives the normal at the middle of a facet.
Vertex gridVertex(const Grid &grid, double column, double row) {
    double angle =
        2 * pi * column / grid.columns + (grid.surface == Surface::glutSphere ? pi / 2 : 0);
    double across = std::sin(angle), along = std::cos(angle);
    if (grid.surface == Surface::disk) {
        double r = grid.inner + (grid.radius - grid.inner) * row / grid.rows;
        double texRadius = r / grid.radius / 2;
        return {{float(r * across), float(r * along), 0},
                {0, 0, 1},
                {float(texRadius * across + 0.5), float(texRadius * along + 0.5)}};
    }
    double polar = pi * row / grid.rows;
    double ring = row == 0 || row == grid.rows ? 0 : std::sin(polar); // poles come to a point
    double n[3] = {ring * across, ring * along, std::cos(polar)};
    return {{float(grid.radius * n[0]), float(grid.radius * n[1]), float(grid.radius * n[2])},
            {float(n[0]), float(n[1]), float(n[2])},
            {float(1 - column / grid.columns), float(1 - row / grid.rows)}};
}

bool samePlace(const Vertex &a, const Vertex &b) {
    return std::equal(a.position, a.position + 3, b.position);
}

// The vertices of a grid shape in a draw style. Filled, each facet is two counter-clockwise
// triangles seen from outside, facets row by row as GLU's strips run; lines follow the rows'
// rings and the columns' spokes or meridians, leaving out the ones that shrink to a point (a
// disk's silhouette is its rims alone); points are the grid's.
Mesh gridMesh(const Grid &grid, GLenum style, GLenum normals) {
    Mesh mesh;
    const int columns = grid.columns, rows = grid.rows;
    auto add = [&](int column, int row, double facetColumn, double facetRow) {
        Vertex v = gridVertex(grid, column, row);
        if (normals == GLU_FLAT) {
            std::copy_n(gridVertex(grid, facetColumn, facetRow).normal, 3, v.normal);
        }
        mesh.vertices.push_back(v);
    };
    if (style == GLU_FILL) {
        for (int row = 0; row < rows; ++row) {
            for (int c = 0; c < columns; ++c) {
                const double fc = c + 0.5, fr = row + 0.5;
                add(c, row + 1, fc, fr), add(c, row, fc, fr), add(c + 1, row + 1, fc, fr);
                add(c + 1, row + 1, fc, fr), add(c, row, fc, fr), add(c + 1, row, fc, fr);
            }
        }
    } else if (style == GLU_POINT) {
        mesh.mode = GL_POINTS;
        for (int row = 0; row <= rows; ++row) {
            for (int c = 0; c < columns; ++c) {
                add(c, row, c, row);
            }
        }
    } else {
        mesh.mode = GL_LINES;
        const bool rimsOnly = style == GLU_SILHOUETTE && grid.surface == Surface::disk;
        auto addLine = [&](int c1, int r1, int c2, int r2) {
            if (!samePlace(gridVertex(grid, c1, r1), gridVertex(grid, c2, r2))) {
                add(c1, r1, c1, r1), add(c2, r2, c2, r2);
            }
        };
        for (int row = 0; row <= rows; ++row) {
            for (int c = 0; c < columns && (!rimsOnly || row % rows == 0); ++c) {
                addLine(c, row, c + 1, row);
            }
        }
        for (int c = 0; c < columns && !rimsOnly; ++c) {
            for (int row = 0; row < rows; ++row) {
                addLine(c, row, c, row + 1);
            }
        }
    }
    mesh.ownNormals = normals != GLU_NONE;
    mesh.leavesCurrent = grid.surface != Surface::glutSphere;
    return mesh;
}

// A cube's faces: the outward axis, then two axes along the face whose cross product it is, so
// that corners taken (-,-) (+,-) (+,+) (-,+) run counter-clockwise seen from outside.
constexpr int cubeFaces[6][3][3] = {
    {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
    {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}, {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
};
constexpr int faceCorners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
constexpr int solidFaceOrder[6] = {0, 1, 2, 0, 2, 3};      // two triangles of a face's corners
constexpr int wireFaceOrder[8] = {0, 1, 1, 2, 2, 3, 3, 0}; // its four edges

// A cube of edge `size` about the origin: filled faces, or each face's edges, with its normal.
Mesh cubeMesh(double size, bool wire) {
    Mesh mesh;
    mesh.mode = wire ? GL_LINES : GL_TRIANGLES;
    const float half = float(size / 2);
    for (const auto &face : cubeFaces) {
        for (int corner : wire ? std::vector<int>(wireFaceOrder, wireFaceOrder + 8)
                               : std::vector<int>(solidFaceOrder, solidFaceOrder + 6)) {
            Vertex v{};
            for (int axis = 0; axis < 3; ++axis) {
                v.normal[axis] = float(face[0][axis]);
                v.position[axis] =
                    half * float(face[0][axis] + faceCorners[corner][0] * face[1][axis] +
                                 faceCorners[corner][1] * face[2][axis]);
            }
            mesh.vertices.push_back(v);
        }
    }
    return mesh;
}

// Shapes are built once per size and style and drawn from then on.
using MeshKey = std::tuple<Surface, int, int, double, double, GLenum, GLenum>;
std::map<MeshKey, Mesh> meshes;

// The shape kept under `key`, made by `build` the first time it is asked for.
template <typename Build> Mesh &keptMesh(const MeshKey &key, Build build) {
    auto found = meshes.find(key);
    if (found == meshes.end()) {
        found = meshes.emplace(key, build()).first;
    }
    return found->second;
}

void drawGrid(const Grid &grid, GLenum style, GLenum normals, bool textured) {
    if (grid.columns <= 0 || grid.rows <= 0) {
        return;
    }
    MeshKey key{grid.surface, grid.columns, grid.rows, grid.radius, grid.inner, style, normals};
    Mesh &mesh = keptMesh(key, [&] { return gridMesh(grid, style, normals); });
    mesh.ownTexCoords = textured;
    drawMesh(mesh);
}

void drawCube(double size, bool wire) {
    MeshKey key{wire ? Surface::wireCube : Surface::solidCube, 0, 0, size, 0, 0, 0};
    drawMesh(keptMesh(key, [&] { return cubeMesh(size, wire); }));
}

// GLU's choice of a power of two for a side: halve until 1 or 3 is left; 3 rounds up to 4.
GLsizei nearestPowerOfTwo(GLsizei side) {
    GLsizei power = 1;
    for (; side > 1 && side != 3; side /= 2) {
        power *= 2;
    }
    return side == 3 ? power * 4 : power;
}

// Box-filters an image of `lines` lines with `count` pixels along each into `newCount` pixels:
// a new pixel is the mean of the old ones its span covers, parts of pixels counted by the part
// they cover. Along rows a line is a row; otherwise it is a column. Rows are packed.
std::vector<float> boxFilter(const std::vector<float> &in, int count, int newCount, int lines,
                             int channels, bool alongRows) {
    auto at = [&](int line, int i, int n) {
        return (alongRows ? size_t(line) * n + i : size_t(i) * lines + line) * channels;
    };
    std::vector<float> out(size_t(newCount) * lines * channels, 0);
    const double span = double(count) / newCount;
    for (int line = 0; line < lines; ++line) {
        for (int d = 0; d < newCount; ++d) {
            const double start = d * span, end = start + span;
            for (int s = int(start); s < count && s < end; ++s) {
                const double cover = std::min<double>(end, s + 1) - std::max<double>(start, s);
                for (int c = 0; c < channels; ++c) {
                    out[at(line, d, newCount) + c] +=
                        float(cover / span * in[at(line, s, count) + c]);
                }
            }
        }
    }
    return out;
}

// Scales packed `channels`-byte pixels to a new size, rows first, then columns.
std::vector<unsigned char> resample(const std::vector<unsigned char> &from, int width, int height,
                                    int newWidth, int newHeight, int channels) {
    std::vector<float> pixels(from.begin(), from.end());
    pixels = boxFilter(pixels, width, newWidth, height, channels, true);
    pixels = boxFilter(pixels, height, newHeight, newWidth, channels, false);
    std::vector<unsigned char> out(pixels.size());
    std::transform(pixels.begin(), pixels.end(), out.begin(), [](float v) {
        return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 255.0f)));
    });
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

GLUquadric *gluNewQuadric() {
    return new GLUquadric;
}

void gluDeleteQuadric(GLUquadric *quadric) {
    delete quadric;
}

void gluQuadricDrawStyle(GLUquadric *quadric, GLenum drawStyle) {
    quadric->drawStyle = drawStyle;
}

void gluQuadricNormals(GLUquadric *quadric, GLenum normals) {
    quadric->normals = normals;
}

void gluQuadricTexture(GLUquadric *quadric, GLboolean textureCoords) {
    quadric->textured = textureCoords != GL_FALSE;
}

void gluSphere(GLUquadric *quadric, GLdouble radius, GLint slices, GLint stacks) {
    drawGrid({Surface::gluSphere, slices, stacks, radius, 0}, quadric->drawStyle, quadric->normals,
             quadric->textured);
}

void gluDisk(GLUquadric *quadric, GLdouble inner, GLdouble outer, GLint slices, GLint loops) {
    drawGrid({Surface::disk, slices, loops, outer, inner}, quadric->drawStyle, quadric->normals,
             quadric->textured);
}

void glutSolidSphere(GLdouble radius, GLint slices, GLint stacks) {
    drawGrid({Surface::glutSphere, slices, stacks, radius, 0}, GLU_FILL, GLU_SMOOTH, false);
}

void glutWireSphere(GLdouble radius, GLint slices, GLint stacks) {
    drawGrid({Surface::glutSphere, slices, stacks, radius, 0}, GLU_LINE, GLU_SMOOTH, false);
}

void glutSolidCube(GLdouble size) {
    drawCube(size, false);
}

void glutWireCube(GLdouble size) {
    drawCube(size, true);
}

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
    std::vector<unsigned char> level(rowBytes * height);
    for (int y = 0; y < height; ++y) {
        std::memcpy(&level[y * rowBytes], static_cast<const unsigned char *>(data) + y * stride,
                    rowBytes);
    }
    GLsizei w = nearestPowerOfTwo(width), h = nearestPowerOfTwo(height);
    level = resample(level, width, height, w, h, channels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (GLint n = 0;; ++n) {
        glTexImage2D(target, n, internalFormat, w, h, 0, format, type, level.data());
        if (w == 1 && h == 1) {
            break;
        }
        GLsizei halfW = std::max(w / 2, 1), halfH = std::max(h / 2, 1);
        level = resample(level, w, h, halfW, halfH, channels);
        w = halfW, h = halfH;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return 0;
}

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

void glutGameModeString(const char *) {}

int glutEnterGameMode() {
    return 0;
}

void glutLeaveGameMode() {}

int glutGameModeGet(GLenum) {
    return 0;
}

int glutCreateMenu(void (*)(int)) {
    return 0;
}

void glutAddMenuEntry(const char *, int) {}

void glutAttachMenu(int) {}

void glColorMaterial(GLenum, GLenum) {}
