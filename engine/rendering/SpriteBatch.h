#pragma once

#include "engine/math/Color.h"
#include "engine/math/Vector2.h"

#include <vector>

class ClipVolume;

// Where a unit shape goes: moved to Position, turned by Degrees counter-clockwise about it
// and scaled by Scale first, as glTranslate, glRotate and glScale would place it.
struct SpritePlacement
{
    Vector2 Position;
    float Degrees;
    Vector2 Scale;
};

// Collects coloured, textured triangles of consecutive sprites that share a texture and
// draws them with glDrawRangeElements: a square is 4 vertices and 6 indices, a fan its own
// vertices. Each draw call costs far more than the few vertices of a sprite, so this is what
// makes thousands of sprites affordable. Sprites across the edge of the view volume go out in
// draws of their own, so the others stay off the driver's clipping path, and sprites wholly
// outside it are left out; neither changes a pixel.
//
// The vertices are placed on the CPU, in the coordinates of the model-view matrix current
// when the batch is flushed, so nothing may change that matrix or other drawing state while
// triangles wait: whoever draws by other means must call Flush first. Triangles keep the
// order they were added in, so the picture is that of drawing each sprite on its own.
class SpriteBatch
{
public:
    SpriteBatch();

    // The unit square, as the strip (-0.5, 0.5), (-0.5, -0.5), (0.5, 0.5), (0.5, -0.5) with
    // those corners' texture coordinates. texture is an OpenGL texture name, -1 for none.
    void AddSquare(int texture, const SpritePlacement& placement, const float texCoords[8],
                   const Color& color);
    // A triangle fan of count unit-space vertices.
    void AddFan(int texture, const SpritePlacement& placement, const float* vertices,
                const float* texCoords, int count, const Color& color);

    // Draws what waits. Afterwards the vertex array is enabled, the texture-coordinate and
    // colour arrays are disabled, 2-D texturing is disabled, the last texture stays bound
    // and the current colour is the last sprite's: the state drawing each sprite on its own
    // leaves behind.
    void Flush();
    bool IsEmpty() const { return _vertexCount == 0; }

    // The batch the World's layer pass draws through.
    static SpriteBatch& Shared();

private:
    struct Vertex
    {
        float X, Y;
        float U, V;
    };

    // One square or fan: where its vertices and indices start, and the circle about its
    // centre that holds it.
    struct Shape
    {
        unsigned int FirstVertex;
        unsigned int FirstIndex;
        float X, Y, Radius;
    };

    void Prepare(int texture, int vertexCount, const Color& color);
    void BeginShape(const SpritePlacement& placement, float unitRadius);
    // Room for count more vertices, with their colours when the batch keeps them.
    Vertex* AddVertices(size_t count);
    static void PlaceVertex(const float* matrix, float x, float y, float u, float v, Vertex& vertex);
    void DrawShapes(size_t first, size_t last) const;
    // Whether every waiting shape lies inside volume, judged from the box around them all.
    bool AllInside(const ClipVolume& volume) const;
    // Draws the waiting shapes by where each lies against volume.
    void DrawByPlacement(const ClipVolume& volume) const;
    void ResetBounds();

    // The arrays only grow; the counts say how much of each is waiting.
    std::vector<Vertex> _vertices;
    // One per vertex, kept only once the waiting vertices differ in colour, apart from the
    // vertices, so a run in one colour hands OpenGL only what it reads.
    std::vector<Color> _colors;
    std::vector<unsigned short> _indices;
    std::vector<Shape> _shapes;
    size_t _vertexCount;
    size_t _indexCount;
    size_t _shapeCount;
    // The box that holds every waiting shape's circle.
    float _left, _right, _bottom, _top;
    int _texture;
    Color _color;
    // Whether every waiting vertex has _color, so one current colour can stand for an array.
    bool _oneColor;
};
