#include "engine/rendering/SpriteBatch.h"

#include <GL/gl.h>

#include <cmath>
#include <cstddef>

namespace
{
const double kPi = 3.14159265358979323846;
// Above this many waiting vertices a batch is drawn early, keeping its buffer small.
const size_t kMaxWaitingVertices = 6 * 16384;

const float kSquareVertices[] = {-0.5f, 0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f, -0.5f};

// The 2x3 affine matrix of translate * rotate * scale, built the way OpenGL's fixed
// function builds it so that the corners come out where they did drawn one by one.
void PlacementMatrix(const SpritePlacement& placement, float matrix[6])
{
    const double radians = placement.Degrees * kPi / 180.0;
    const float sine = static_cast<float>(std::sin(radians));
    const float cosine = static_cast<float>(std::cos(radians));
    matrix[0] = cosine * placement.Scale.X;
    matrix[1] = -sine * placement.Scale.Y;
    matrix[2] = placement.Position.X;
    matrix[3] = sine * placement.Scale.X;
    matrix[4] = cosine * placement.Scale.Y;
    matrix[5] = placement.Position.Y;
}
}

SpriteBatch::SpriteBatch() : _texture(-1), _color(1.0f, 1.0f, 1.0f, 1.0f), _oneColor(true) {}

SpriteBatch& SpriteBatch::Shared()
{
    static SpriteBatch batch;
    return batch;
}

void SpriteBatch::AddSquare(int texture, const SpritePlacement& placement, const float texCoords[8],
                            const Color& color)
{
    Prepare(texture, 6, color);
    float matrix[6];
    PlacementMatrix(placement, matrix);
    // The strip's two triangles, in the order and winding the strip draws them.
    static const int kStripOrder[] = {0, 1, 2, 2, 1, 3};
    for (int i = 0; i < 6; ++i)
    {
        const int corner = kStripOrder[i];
        AddVertex(matrix, kSquareVertices[corner * 2], kSquareVertices[corner * 2 + 1],
                  texCoords[corner * 2], texCoords[corner * 2 + 1]);
    }
}

void SpriteBatch::AddFan(int texture, const SpritePlacement& placement, const float* vertices,
                         const float* texCoords, int count, const Color& color)
{
    if (count < 3)
    {
        return;
    }
    Prepare(texture, (count - 2) * 3, color);
    float matrix[6];
    PlacementMatrix(placement, matrix);
    for (int i = 1; i + 1 < count; ++i)
    {
        const int corners[] = {0, i, i + 1};
        for (int corner : corners)
        {
            AddVertex(matrix, vertices[corner * 2], vertices[corner * 2 + 1], texCoords[corner * 2],
                      texCoords[corner * 2 + 1]);
        }
    }
}

// A new texture ends the run of triangles that can share a draw.
void SpriteBatch::Prepare(int texture, int vertexCount, const Color& color)
{
    if (!_vertices.empty() &&
        (texture != _texture || _vertices.size() + vertexCount > kMaxWaitingVertices))
    {
        Flush();
    }
    const bool sameColor = color.R == _color.R && color.G == _color.G && color.B == _color.B &&
                           color.A == _color.A;
    _oneColor = _vertices.empty() || (_oneColor && sameColor);
    _texture = texture;
    _color = color;
}

void SpriteBatch::AddVertex(const float* matrix, float x, float y, float u, float v)
{
    Vertex vertex;
    vertex.X = matrix[0] * x + matrix[1] * y + matrix[2];
    vertex.Y = matrix[3] * x + matrix[4] * y + matrix[5];
    vertex.U = u;
    vertex.V = v;
    vertex.R = _color.R;
    vertex.G = _color.G;
    vertex.B = _color.B;
    vertex.A = _color.A;
    _vertices.push_back(vertex);
}

void SpriteBatch::Flush()
{
    if (_vertices.empty())
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
        glColorPointer(4, GL_FLOAT, stride, &_vertices[0].R);
    }
    if (_texture >= 0)
    {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(_texture));
    }
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(_vertices.size()));
    if (_texture >= 0)
    {
        glDisable(GL_TEXTURE_2D);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    // A colour array leaves the current colour undefined; later drawing that relies on the
    // last colour set finds the last sprite's, as it would without the batch.
    glColor4f(_color.R, _color.G, _color.B, _color.A);
    _vertices.clear();
}
