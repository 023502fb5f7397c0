#include "engine/rendering/TextBatch.h"

#include "engine/rendering/Camera.h"
#include "engine/rendering/FontGlyphs.h"

#include <GL/gl.h>

#include <cmath>

// This file is built without fused multiply-adds: the window positions below must round as
// OpenGL's own matrix steps round them.

namespace
{
bool s_enabled = true;

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

TextBatch::TextBatch() : _color(1.0f, 1.0f, 1.0f, 1.0f), _pending(false) {}

TextBatch& TextBatch::Shared()
{
    static TextBatch batch;
    return batch;
}

void TextBatch::SetEnabled(bool enabled) { s_enabled = enabled; }

bool TextBatch::IsEnabled() { return s_enabled; }

bool TextBatch::CanAdd(const String& text)
{
    // A window without area has no projection to place the glyphs in; the library's own
    // drawing decides what that shows.
    const Camera* camera = Camera::GetInstance();
    if (camera->GetWindowWidth() < 1 || camera->GetWindowHeight() < 1)
    {
        return false;
    }
    for (char character : text)
    {
        if (character < 32 || character > 126)
        {
            return false;
        }
    }
    return true;
}

void TextBatch::SetColor(const Color& color)
{
    _color = color;
    _pending = true;
}

bool TextBatch::Add(FontGlyphs& glyphs, const String& text, int pixelX, int pixelY, const Color& color)
{
    if (!CanAdd(text))
    {
        return false;
    }
    Camera* camera = Camera::GetInstance();
    const AxisPlacement across(camera->GetWindowWidth(), static_cast<float>(pixelX));
    // The difference in a wider type: a pixelY far below an int's range would overflow it.
    const AxisPlacement up(camera->GetWindowHeight(),
                           static_cast<float>(static_cast<long long>(camera->GetWindowHeight()) - pixelY));
    // The library keeps its pen in doubles and snaps each glyph to whole pixels from it.
    double penX = 0.0;
    double penY = 0.0;
    _stringQuads.clear();
    bool crossing = false;
    for (char character : text)
    {
        const GlyphQuad* found = glyphs.Find(character);
        if (found == 0)
        {
            return false;
        }
        const GlyphQuad& glyph = *found;
        if (glyph.Drawn)
        {
            const float left = std::floor(static_cast<float>(penX) + glyph.Left);
            const float right = left + (glyph.Right - glyph.Left);
            const float top = std::floor(static_cast<float>(penY) + glyph.Top);
            const float bottom = top - (glyph.Top - glyph.Bottom);
            // The library's corner order: top left, bottom left, bottom right, top right.
            const Quad quad = {{across.Clip(left), up.Clip(top), across.Clip(left), up.Clip(bottom),
                                across.Clip(right), up.Clip(bottom), across.Clip(right), up.Clip(top)},
                               {glyph.U0, glyph.V0, glyph.U0, glyph.V1, glyph.U1, glyph.V1, glyph.U1, glyph.V0},
                               glyph.Texture, glyph.Empty};
            crossing = crossing || Crossing(quad.Corners);
            _stringQuads.push_back(quad);
        }
        penX += glyph.AdvanceX;
        penY += glyph.AdvanceY;
    }
    SetColor(color);
    for (const Quad& quad : _stringQuads)
    {
        AddQuad(quad, crossing);
    }
    return true;
}

// A string drawn on its own goes down the driver's clipping path whole when any of its quads
// is not wholly inside the window, and that path cuts quads into triangles otherwise than
// the direct one: such a string goes into runs of its own, so the other strings stay on the
// direct path and every string is drawn as it was. Its runs keep every quad the library
// drew, those wholly outside or without area too: they cover no pixel, but one of them may be
// all that sends the string down the clipping path (a handwriting font's first glyph wholly
// left of the window, say). Elsewhere a quad without area is left out.
void TextBatch::AddQuad(const Quad& quad, bool crossing)
{
    if (quad.Empty && !crossing)
    {
        return;
    }
    if (_runs.empty() || _runs.back().Texture != quad.Texture || _runs.back().Crossing != crossing ||
        _runs.back().Tint != _color)
    {
        _runs.push_back(Run{quad.Texture, crossing, _color, static_cast<int>(_vertices.size()), 0});
    }
    for (int corner = 0; corner < 4; ++corner)
    {
        _vertices.push_back(Vertex{quad.Corners[corner * 2], quad.Corners[corner * 2 + 1],
                                   quad.TexCoords[corner * 2], quad.TexCoords[corner * 2 + 1]});
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
    // A colour of its own per run, set as the current colour: the rasteriser may take
    // another path for a draw whose vertices differ in colour, and round the texture
    // coordinates otherwise than for the library's single-colour strings.
    glDisableClientState(GL_COLOR_ARRAY);
    unsigned int bound = 0;
    for (size_t i = 0; i < _runs.size(); ++i)
    {
        const Run& run = _runs[i];
        if (i == 0 || run.Texture != bound)
        {
            glBindTexture(GL_TEXTURE_2D, run.Texture);
            bound = run.Texture;
        }
        glColor4f(run.Tint.R, run.Tint.G, run.Tint.B, run.Tint.A);
        // Quads, as the library draws them, so each is cut into the same two triangles.
        glDrawArrays(GL_QUADS, run.FirstVertex, run.VertexCount);
    }
}
