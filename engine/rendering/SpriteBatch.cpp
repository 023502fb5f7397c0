#include "engine/rendering/SpriteBatch.h"

#include "engine/rendering/ClipSpace.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace
{
const double kPi = 3.14159265358979323846;
// Indices are 16 bits, so a batch is drawn early once it holds this many vertices.
const size_t kMaxWaitingVertices = 65536;

const float kSquareVertices[] = {-0.5f, 0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f, -0.5f};
// The colours are handed to OpenGL as they are kept.
static_assert(sizeof(Color) == 4 * sizeof(float), "a Color is four packed floats");
// The strip's two triangles, in the order and winding the strip draws them.
const unsigned short kSquareIndices[] = {0, 1, 2, 2, 1, 3};
// Every corner of the unit square lies this far from its centre.
const float kSquareRadius = 0.7072f;

// The 2x3 affine matrix of translate * rotate * scale, built the way OpenGL's fixed
// function builds it so that the corners come out where they did drawn one by one.
inline void PlacementMatrix(const SpritePlacement& placement, float matrix[6])
{
    // Unturned sprites are the common case; their sine and cosine are exact anyway.
    const double radians = placement.Degrees * kPi / 180.0;
    const float sine = placement.Degrees == 0.0f ? 0.0f : static_cast<float>(std::sin(radians));
    const float cosine = placement.Degrees == 0.0f ? 1.0f : static_cast<float>(std::cos(radians));
    matrix[0] = cosine * placement.Scale.X;
    matrix[1] = -sine * placement.Scale.Y;
    matrix[2] = placement.Position.X;
    matrix[3] = sine * placement.Scale.X;
    matrix[4] = cosine * placement.Scale.Y;
    matrix[5] = placement.Position.Y;
}

// Makes room for more elements after the first count of v and returns where they go; count
// moves on by more. The arrays only grow, and a flush only sets the counts back, so a frame
// reuses what earlier frames grew and adding a sprite costs no more than writing it.
template <class T>
inline T* Extend(std::vector<T>& v, size_t& count, size_t more)
{
    if (count + more > v.size())
    {
        v.resize(std::max(count + more, v.size() * 2));
    }
    T* at = v.data() + count;
    count += more;
    return at;
}

// A circle that holds every vertex of a unit shape no further than unitRadius from its centre.
inline float PlacedRadius(const SpritePlacement& placement, float unitRadius)
{
    return unitRadius * std::max(std::fabs(placement.Scale.X), std::fabs(placement.Scale.Y));
}
}

SpriteBatch::SpriteBatch()
    : _vertexCount(0), _indexCount(0), _shapeCount(0), _texture(-1), _color(1.0f, 1.0f, 1.0f, 1.0f), _oneColor(true)
{
    ResetBounds();
}

SpriteBatch& SpriteBatch::Shared()
{
    static SpriteBatch batch;
    return batch;
}

inline void SpriteBatch::BeginShape(const SpritePlacement& placement, float unitRadius)
{
    Shape& shape = *Extend(_shapes, _shapeCount, 1);
    shape.FirstVertex = static_cast<unsigned int>(_vertexCount);
    shape.FirstIndex = static_cast<unsigned int>(_indexCount);
    shape.X = placement.Position.X;
    shape.Y = placement.Position.Y;
    shape.Radius = PlacedRadius(placement, unitRadius);
    _left = std::min(_left, shape.X - shape.Radius);
    _right = std::max(_right, shape.X + shape.Radius);
    _bottom = std::min(_bottom, shape.Y - shape.Radius);
    _top = std::max(_top, shape.Y + shape.Radius);
}

inline SpriteBatch::Vertex* SpriteBatch::AddVertices(size_t count)
{
    const size_t first = _vertexCount;
    Vertex* added = Extend(_vertices, _vertexCount, count);
    if (!_oneColor)
    {
        // The colours run alongside the vertices.
        size_t colorCount = first;
        std::fill_n(Extend(_colors, colorCount, count), count, _color);
    }
    return added;
}

inline void SpriteBatch::PlaceVertex(const float* matrix, float x, float y, float u, float v, Vertex& vertex)
{
    vertex.X = matrix[0] * x + matrix[1] * y + matrix[2];
    vertex.Y = matrix[3] * x + matrix[4] * y + matrix[5];
    vertex.U = u;
    vertex.V = v;
}

void SpriteBatch::AddSquare(int texture, const SpritePlacement& placement, const float texCoords[8],
                            const Color& color)
{
    Prepare(texture, 4, color);
    const unsigned short first = static_cast<unsigned short>(_vertexCount);
    BeginShape(placement, kSquareRadius);
    float matrix[6];
    PlacementMatrix(placement, matrix);
    Vertex* corners = AddVertices(4);
    for (int corner = 0; corner < 4; ++corner)
    {
        PlaceVertex(matrix, kSquareVertices[corner * 2], kSquareVertices[corner * 2 + 1], texCoords[corner * 2],
                    texCoords[corner * 2 + 1], corners[corner]);
    }
    unsigned short* indices = Extend(_indices, _indexCount, 6);
    for (int i = 0; i < 6; ++i)
    {
        indices[i] = static_cast<unsigned short>(first + kSquareIndices[i]);
    }
}

void SpriteBatch::AddFan(int texture, const SpritePlacement& placement, const float* vertices,
                         const float* texCoords, int count, const Color& color)
{
    if (count < 3)
    {
        return;
    }
    Prepare(texture, count, color);
    float unitRadius = 0.0f;
    for (int i = 0; i < count; ++i)
    {
        unitRadius = std::max(unitRadius, std::hypot(vertices[i * 2], vertices[i * 2 + 1]));
    }
    const unsigned short first = static_cast<unsigned short>(_vertexCount);
    BeginShape(placement, unitRadius * 1.001f);
    float matrix[6];
    PlacementMatrix(placement, matrix);
    Vertex* placed = AddVertices(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
    {
        PlaceVertex(matrix, vertices[i * 2], vertices[i * 2 + 1], texCoords[i * 2], texCoords[i * 2 + 1], placed[i]);
    }
    unsigned short* indices = Extend(_indices, _indexCount, static_cast<size_t>(count - 2) * 3);
    for (int i = 1; i + 1 < count; ++i)
    {
        *indices++ = first;
        *indices++ = static_cast<unsigned short>(first + i);
        *indices++ = static_cast<unsigned short>(first + i + 1);
    }
}

// A new texture ends the run of triangles that can share a draw.
void SpriteBatch::Prepare(int texture, int vertexCount, const Color& color)
{
    if (_vertexCount != 0 &&
        (texture != _texture || _vertexCount + vertexCount > kMaxWaitingVertices))
    {
        Flush();
    }
    if (_vertexCount == 0)
    {
        _oneColor = true;
    }
    else if (_oneColor && color != _color)
    {
        // From here on every vertex keeps its colour; those so far all had the one.
        _oneColor = false;
        size_t colorCount = 0;
        std::fill_n(Extend(_colors, colorCount, _vertexCount), _vertexCount, _color);
    }
    _texture = texture;
    _color = color;
}

// Shapes first up to last (not included), which follow each other in the arrays.
void SpriteBatch::DrawShapes(size_t first, size_t last) const
{
    if (first == last)
    {
        return;
    }
    const unsigned int firstIndex = _shapes[first].FirstIndex;
    const unsigned int endIndex = last < _shapeCount ? _shapes[last].FirstIndex
                                                     : static_cast<unsigned int>(_indexCount);
    const unsigned int endVertex = last < _shapeCount ? _shapes[last].FirstVertex
                                                      : static_cast<unsigned int>(_vertexCount);
    glDrawRangeElements(GL_TRIANGLES, _shapes[first].FirstVertex, endVertex - 1, endIndex - firstIndex,
                        GL_UNSIGNED_SHORT, &_indices[firstIndex]);
}

void SpriteBatch::Flush()
{
    if (_vertexCount == 0)
    {
        return;
    }
    const GLsizei stride = sizeof(Vertex);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FLOAT, stride, &_vertices[0].X);
    glTexCoordPointer(2, GL_FLOAT, stride, &_vertices[0].U);
    // One colour for the whole run spares the rasteriser a varying to interpolate.
    if (_oneColor)
    {
        glColor4f(_color.R, _color.G, _color.B, _color.A);
    }
    else
    {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_FLOAT, sizeof(Color), &_colors[0].R);
    }
    if (_texture >= 0)
    {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(_texture));
    }

    float projection[16];
    float modelView[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    const ClipVolume volume(projection, modelView);
    if (AllInside(volume))
    {
        DrawShapes(0, _shapeCount);
    }
    else
    {
        DrawByPlacement(volume);
    }

    if (_texture >= 0)
    {
        glDisable(GL_TEXTURE_2D);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    // A colour array leaves the current colour undefined; later drawing that relies on the
    // last colour set finds the last sprite's, as it would without the batch.
    glColor4f(_color.R, _color.G, _color.B, _color.A);
    _vertexCount = 0;
    _indexCount = 0;
    _shapeCount = 0;
    ResetBounds();
}

// The view volume meets the plane of the shapes in a convex region, so the box that holds
// every shape lies inside when its corners do, each with the margin Place keeps.
bool SpriteBatch::AllInside(const ClipVolume& volume) const
{
    const float xs[] = {_left, _right};
    const float ys[] = {_bottom, _top};
    for (float x : xs)
    {
        for (float y : ys)
        {
            // Shapes at infinity are placed one by one.
            if (!std::isfinite(x) || !std::isfinite(y) || volume.Place(x, y, 0.0f) != CLIP_Inside)
            {
                return false;
            }
        }
    }
    return true;
}

void SpriteBatch::DrawByPlacement(const ClipVolume& volume) const
{
    // Runs of shapes that lie alike go out together, in the order they came.
    size_t runStart = 0;
    ClipPlacement runPlacement = CLIP_Inside;
    for (size_t i = 0; i < _shapeCount; ++i)
    {
        const Shape& shape = _shapes[i];
        const ClipPlacement placement = volume.Place(shape.X, shape.Y, shape.Radius);
        if (placement == runPlacement)
        {
            continue;
        }
        if (runPlacement != CLIP_Outside)
        {
            DrawShapes(runStart, i);
        }
        runStart = i;
        runPlacement = placement;
    }
    if (runPlacement != CLIP_Outside)
    {
        DrawShapes(runStart, _shapeCount);
    }
}

void SpriteBatch::ResetBounds()
{
    _left = _bottom = std::numeric_limits<float>::infinity();
    _right = _top = -std::numeric_limits<float>::infinity();
}
