// GLU quadrics and GLUT shapes for the browser: each built once into a GL buffer, drawn flat or
// smooth as the shade model says, and left out when it lies wholly outside the view.
#include "web.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <map>
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

// One vertex as GL reads it from a shape's buffer.
struct Vertex {
    GLfloat position[3];
    GLfloat normal[3];
    GLfloat texCoord[2];
};

// Fixed-function GL's current normal and texture coordinate: GLU leaves the last ones it gave,
// and a shape without its own (a GLUT shape, a quadric without normals or texture) takes them.
Vertex current = {{0, 0, 0}, {0, 0, 1}, {0, 0}};

// The shade model the program last chose.
GLenum shadeModel = GL_SMOOTH;

// Whether shapes reach GL at all: off while frames are only stepped through.
bool shapesDrawn = true;

// A shape's vertices in drawing order, with what flat shading makes of them.
struct Mesh {
    GLenum mode = GL_TRIANGLES;
    bool ownNormals = true;
    bool ownTexCoords = false;
    // GLU gives its shapes vertex by vertex, so its last normal and texture coordinate stay
    // current; GLUT draws from arrays, which leave GL's current ones as they were.
    bool leavesCurrent = false;
    Vertex last{};    // the last vertex GLU gives
    double bound = 0; // radius of the sphere about the origin that holds every vertex
    std::vector<Vertex> vertices;
    // The buffers made so far: by flat shading, then the current normal and texture coordinate
    // for a shape that takes them.
    std::map<std::tuple<bool, std::array<GLfloat, 5>>, GLuint> buffers;
};

// Under flat shading a primitive takes one colour, that of its provoking vertex, the last in the
// order the desktop's GLU or GLUT gives it: each vertex takes the normal of the last of its
// primitive's vertices.
size_t primitiveVertices(GLenum mode) {
    return mode == GL_TRIANGLES ? 3 : mode == GL_LINES ? 2 : 1;
}

// The vertices GL is given for a mesh: its own, flat or smooth, with what it takes from current.
std::vector<Vertex> bufferVertices(const Mesh &mesh, bool flat) {
    std::vector<Vertex> vertices = mesh.vertices;
    const size_t group = primitiveVertices(mesh.mode);
    for (size_t i = 0; i < vertices.size(); ++i) {
        Vertex &v = vertices[i];
        if (flat) {
            const size_t last = i / group * group + group - 1;
            std::copy_n(mesh.vertices[last].normal, 3, v.normal);
        }
        if (!mesh.ownNormals) {
            std::copy_n(current.normal, 3, v.normal);
        }
        if (!mesh.ownTexCoords) {
            std::copy_n(current.texCoord, 2, v.texCoord);
        }
    }
    return vertices;
}

// The buffer that holds the mesh as it is drawn now, made the first time it is needed.
GLuint meshBuffer(Mesh &mesh) {
    const bool flat = shadeModel == GL_FLAT;
    std::array<GLfloat, 5> taken = {};
    if (!mesh.ownNormals) {
        std::copy_n(current.normal, 3, taken.begin());
    }
    if (!mesh.ownTexCoords) {
        std::copy_n(current.texCoord, 2, taken.begin() + 3);
    }
    GLuint &buffer = mesh.buffers[{flat, taken}];
    if (buffer == 0) {
        std::vector<Vertex> vertices = bufferVertices(mesh, flat);
        glGenBuffers(1, &buffer);
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(Vertex)), vertices.data(),
                     GL_STATIC_DRAW);
    }
    return buffer;
}

// Whether a sphere of `radius` about the origin of the current modelview lies wholly beyond one
// of the planes that bound the view: such a shape leaves no pixel behind.
bool outsideView(double radius) {
    GLfloat m[16] = {}, p[16] = {};
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    // The radius in eye space: the modelview stretches no length by more than the square root
    // of the largest row sum of its linear part's Gram matrix.
    double stretch = 0;
    for (int i = 0; i < 3; ++i) {
        double rowSum = 0;
        for (int j = 0; j < 3; ++j) {
            rowSum += std::fabs(m[4 * i] * m[4 * j] + m[4 * i + 1] * m[4 * j + 1] +
                                m[4 * i + 2] * m[4 * j + 2]);
        }
        stretch = std::max(stretch, rowSum);
    }
    const double eyeRadius = radius * std::sqrt(stretch) * 1.001 + 1e-6;
    // Each plane is the projection's last row plus or minus one of the others, in eye space.
    for (int row = 0; row < 3; ++row) {
        for (int sign = -1; sign <= 1; sign += 2) {
            double plane[4];
            for (int c = 0; c < 4; ++c) {
                plane[c] = p[4 * c + 3] + sign * p[4 * c + row];
            }
            const double distance =
                plane[0] * m[12] + plane[1] * m[13] + plane[2] * m[14] + plane[3];
            if (distance < -eyeRadius * std::hypot(plane[0], plane[1], plane[2])) {
                return true;
            }
        }
    }
    return false;
}

// Draws the mesh from its buffer with one glDrawArrays, unless it cannot show.
void drawMesh(Mesh &mesh) {
    if (mesh.vertices.empty()) {
        return;
    }
    if (shapesDrawn && !outsideView(mesh.bound)) {
        glBindBuffer(GL_ARRAY_BUFFER, meshBuffer(mesh));
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        const GLsizei stride = sizeof(Vertex);
        glVertexPointer(3, GL_FLOAT, stride, reinterpret_cast<void *>(offsetof(Vertex, position)));
        glNormalPointer(GL_FLOAT, stride, reinterpret_cast<void *>(offsetof(Vertex, normal)));
        glTexCoordPointer(2, GL_FLOAT, stride,
                          reinterpret_cast<void *>(offsetof(Vertex, texCoord)));
        glDrawArrays(mesh.mode, 0, static_cast<GLsizei>(mesh.vertices.size()));
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    if (mesh.leavesCurrent) {
        current = mesh.last;
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

// The vertices of a grid shape in a draw style, in the order the desktop's GLU and GLUT draw
// them, so that where lines or triangles meet the same one wins the depth test. Filled, each
// facet is two counter-clockwise triangles seen from outside, facets row by row as the strips
// run: GLU's quads split along the diagonal from (c, row + 1) to (c + 1, row), GLUT's triangle
// strips the other way. Lines follow the columns' meridians or spokes, then the rows' rings,
// leaving out the ones that shrink to a point (a disk's silhouette is its rims alone); points
// are the grid's.
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
        // Each facet is two triangles, given as corner offsets (column, row) in the order GLU's
        // quads or GLUT's strips give them; each triangle is coloured by its last vertex: for
        // GLU, the quad's corner (c + 1, row).
        constexpr int quadCorners[6][2] = {{1, 1}, {0, 1}, {1, 0}, {0, 1}, {0, 0}, {1, 0}};
        constexpr int stripCorners[6][2] = {{0, 1}, {0, 0}, {1, 1}, {1, 1}, {0, 0}, {1, 0}};
        const auto &corners = grid.surface != Surface::glutSphere ? quadCorners : stripCorners;
        for (int row = 0; row < rows; ++row) {
            for (int c = 0; c < columns; ++c) {
                for (const auto &corner : corners) {
                    add(c + corner[0], row + corner[1], c + 0.5, row + 0.5);
                }
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
        mesh.mode = GL_LINES; // a line takes the colour of its second end
        const bool rimsOnly = style == GLU_SILHOUETTE && grid.surface == Surface::disk;
        auto addLine = [&](int c1, int r1, int c2, int r2) {
            if (!samePlace(gridVertex(grid, c1, r1), gridVertex(grid, c2, r2))) {
                add(c1, r1, c1, r1);
                add(c2, r2, c2, r2);
            }
        };
        for (int c = 0; c < columns && !rimsOnly; ++c) {
            for (int row = 0; row < rows; ++row) {
                addLine(c, row, c, row + 1);
            }
        }
        for (int row = 0; row <= rows; ++row) {
            for (int c = 0; c < columns && (!rimsOnly || row % rows == 0); ++c) {
                addLine(c, row, c + 1, row);
            }
        }
    }
    mesh.ownNormals = normals != GLU_NONE;
    mesh.leavesCurrent = grid.surface != Surface::glutSphere;
    mesh.last = mesh.vertices.back();
    // A filled disk ends on its innermost strip's inner rim, next to the centre when it fills
    // the middle, whose fan GLU draws first.
    if (grid.surface == Surface::disk && style == GLU_FILL) {
        mesh.last = gridVertex(grid, columns, grid.inner == 0 && rows > 1 ? 1 : 0);
    }
    mesh.bound = grid.radius;
    return mesh;
}

// GLUT's cube of edge 1: its corners, and its faces in drawing order, each its four corners
// counter-clockwise seen from outside and its normal. A filled face is the triangles of corners
// 0 1 2 and 0 2 3, a wire face the loop through its corners.
constexpr float cubeCorners[8][3] = {
    {0.5f, 0.5f, 0.5f},   {-0.5f, 0.5f, 0.5f}, {-0.5f, -0.5f, 0.5f}, {0.5f, -0.5f, 0.5f},
    {0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, -0.5f}, {-0.5f, 0.5f, -0.5f}, {-0.5f, -0.5f, -0.5f},
};
struct CubeFace {
    int corners[4];
    float normal[3];
};
constexpr CubeFace cubeFaces[6] = {
    {{0, 1, 2, 3}, {0, 0, 1}},  {{0, 3, 4, 5}, {1, 0, 0}},  {{0, 5, 6, 1}, {0, 1, 0}},
    {{1, 6, 7, 2}, {-1, 0, 0}}, {{7, 4, 3, 2}, {0, -1, 0}}, {{4, 7, 6, 5}, {0, 0, -1}},
};
constexpr int solidFaceOrder[6] = {0, 1, 2, 0, 2, 3};
constexpr int wireFaceOrder[8] = {0, 1, 1, 2, 2, 3, 3, 0};

// A cube of edge `size` about the origin. A face has one normal, so it looks the same flat or
// smooth.
Mesh cubeMesh(double size, bool wire) {
    Mesh mesh;
    mesh.mode = wire ? GL_LINES : GL_TRIANGLES;
    for (const CubeFace &face : cubeFaces) {
        for (int corner : wire ? std::vector<int>(wireFaceOrder, wireFaceOrder + 8)
                               : std::vector<int>(solidFaceOrder, solidFaceOrder + 6)) {
            Vertex v{};
            for (int axis = 0; axis < 3; ++axis) {
                v.position[axis] = float(size) * cubeCorners[face.corners[corner]][axis];
                v.normal[axis] = face.normal[axis];
            }
            mesh.vertices.push_back(v);
        }
    }
    mesh.bound = std::sqrt(3.0) * size / 2;
    return mesh;
}

// Shapes are built once per size and style and drawn from then on.
using MeshKey = std::tuple<Surface, int, int, double, double, GLenum, GLenum, bool>;
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
    MeshKey key{grid.surface, grid.columns, grid.rows, grid.radius,
                grid.inner,   style,        normals,   textured};
    Mesh &mesh = keptMesh(key, [&] {
        Mesh made = gridMesh(grid, style, normals);
        made.ownTexCoords = textured;
        return made;
    });
    drawMesh(mesh);
}

void drawCube(double size, bool wire) {
    MeshKey key{wire ? Surface::wireCube : Surface::solidCube, 0, 0, size, 0, 0, 0, false};
    drawMesh(keptMesh(key, [&] { return cubeMesh(size, wire); }));
}

} // namespace

void drawShapes(bool drawn) {
    shapesDrawn = drawn;
}

void glShadeModel(GLenum mode) {
    shadeModel = mode;
}

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
