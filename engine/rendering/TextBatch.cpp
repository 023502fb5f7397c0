#include "engine/rendering/TextBatch.h"

#include "engine/rendering/Camera.h"
#include "engine/rendering/FontGlyphs.h"

#include <GL/gl.h>

#include <cmath>

// This file is built without fused multiply-adds: the window positions below must round as
// OpenGL's own matrix steps round them.

namespace
{
// OpenGL takes a 2-D orthographic projection over width pixels to this scale and an offset
// of -1, and joins it with the string's translation before it moves any vertex: the scale
// times the translation, rounded, plus the offset, rounded. A glyph vertex is then the scale
// times the vertex, rounded, plus that. The batch gives OpenGL these clip coordinates
// directly, so each vertex lands exactly where drawing the string on its own put it.
struct AxisPlacement
{
    float Scale;
    float Offset;

    AxisPlacement(int windowSize, float translation)
    {
        Scale = 2.0f / static_cast<float>(windowSize);
        const float scaled = Scale * translation;
        Offset = scaled + -1.0f;
    }

    float Clip(float pixel) const
    {
        const float scaled = Scale * pixel;
        return scaled + Offset;
    }
};

bool Outside(const float* clip, int axis)
{
    bool below = true;
    bool above = true;
    for (int corner = 0; corner < 4; ++corner)
    {
        below = below && clip[corner * 2 + axis] < -1.0f;
        above = above && clip[corner * 2 + axis] > 1.0f;
    }
    return below || above;
}

bool Crossing(const float* clip)
{
    for (int i = 0; i < 8; ++i)
    {
        if (!(std::fabs(clip[i]) < 1.0f))
        {
            return true;
        }
    }
    return false;
}
}

TextBatch::TextBatch() : _color(1.0f, 1.0f, 1.0f, 1.0f), _oneColor(true), _pending(false) {}

TextBatch& TextBatch::Shared()
{
    static TextBatch batch;
    return batch;
}

bool TextBatch::CanAdd(const String& text)
{
    for (char character : text)
    {
        if (character < 32 || character > 126)
        {
            return false;
        }
    }
    return true;
}

bool TextBatch::Add(FontGlyphs& glyphs, const String& text, int pixelX, int pixelY, const Color& color)
{
    if (!CanAdd(text))
    {
        return false;
    }
    const bool sameColor = color.R == _color.R && color.G == _color.G && color.B == _color.B &&
                           color.A == _color.A;
    _oneColor = _vertices.empty() || (_oneColor && sameColor);
    _color = color;
    _pending = true;

    Camera* camera = Camera::GetInstance();
    const AxisPlacement across(camera->GetWindowWidth(), static_cast<float>(pixelX));
    const AxisPlacement up(camera->GetWindowHeight(),
                           static_cast<float>(camera->GetWindowHeight() - pixelY));
    // The library keeps its pen in doubles and snaps each glyph to whole pixels from it.
    double penX = 0.0;
    double penY = 0.0;
    for (char character : text)
    {
        const GlyphQuad& glyph = *glyphs.Find(character);
        if (glyph.Drawn)
        {
            const float left = std::floor(static_cast<float>(penX) + glyph.Left);
            const float right = left + (glyph.Right - glyph.Left);
            const float top = std::floor(static_cast<float>(penY) + glyph.Top);
            const float bottom = top - (glyph.Top - glyph.Bottom);
            // The library's corner order: top left, bottom left, bottom right, top right.
            const float corners[] = {across.Clip(left), up.Clip(top),     across.Clip(left),  up.Clip(bottom),
                                     across.Clip(right), up.Clip(bottom), across.Clip(right), up.Clip(top)};
            const float texCoords[] = {glyph.U0, glyph.V0, glyph.U0, glyph.V1,
                                       glyph.U1, glyph.V1, glyph.U1, glyph.V0};
            AddQuad(corners, texCoords, glyph.Texture);
        }
        penX += glyph.AdvanceX;
        penY += glyph.AdvanceY;
    }
    return true;
}

// A quad wholly outside the window draws no pixel and is left out; one across its edge goes
// in a draw of its own, so the others stay off the driver's clipping path.
void TextBatch::AddQuad(const float corners[8], const float texCoords[8], unsigned int texture)
{
    if (Outside(corners, 0) || Outside(corners, 1))
    {
        return;
    }
    const bool crossing = Crossing(corners);
    if (_runs.empty() || _runs.back().Texture != texture || _runs.back().Crossing != crossing)
    {
        _runs.push_back(Run{texture, crossing, static_cast<int>(_vertices.size()), 0});
    }
    for (int corner = 0; corner < 4; ++corner)
    {
        _vertices.push_back(Vertex{corners[corner * 2], corners[corner * 2 + 1], texCoords[corner * 2],
                                   texCoords[corner * 2 + 1], _color.R, _color.G, _color.B, _color.A});
    }
    _runs.back().VertexCount += 4;
}

void TextBatch::Flush()
{
    if (!_pending)
    {
        return;
    }
    // The vertices are clip coordinates already.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // The font library's own drawing state: blending over what is there, textured.
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);

    if (!_vertices.empty())
    {
        DrawRuns();
    }

    glPopClientAttrib();
    glPopAttrib();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glColor4f(_color.R, _color.G, _color.B, _color.A);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    _vertices.clear();
    _runs.clear();
    _pending = false;
}

void TextBatch::DrawRuns() const
{
    const GLsizei stride = sizeof(Vertex);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FLOAT, stride, &_vertices[0].X);
    glTexCoordPointer(2, GL_FLOAT, stride, &_vertices[0].U);
    if (_oneColor)
    {
        glDisableClientState(GL_COLOR_ARRAY);
        glColor4f(_color.R, _color.G, _color.B, _color.A);
    }
    else
    {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_FLOAT, stride, &_vertices[0].R);
    }
    unsigned int bound = 0;
    for (size_t i = 0; i < _runs.size(); ++i)
    {
        const Run& run = _runs[i];
        if (i == 0 || run.Texture != bound)
        {
            glBindTexture(GL_TEXTURE_2D, run.Texture);
            bound = run.Texture;
        }
        // Quads, as the library draws them, so each is cut into the same two triangles.
        glDrawArrays(GL_QUADS, run.FirstVertex, run.VertexCount);
    }
}
