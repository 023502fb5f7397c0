#include "engine/rendering/FontGlyphs.h"

#include "engine/rendering/GLContext.h"

#include <FTGL/ftgl.h>
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
// Half the side of the square the capture draws into: glyphs up to this many pixels from
// the pen are captured whole.
const int kCaptureReach = 1024;
// Position, colour and texture coordinates of each vertex the feedback reports.
const int kFeedbackVertexFloats = 3 + 4 + 4;

struct FeedbackVertex
{
    float X, Y, S, T;
};

std::vector<FeedbackVertex> ReadPolygons(const std::vector<GLfloat>& buffer, GLint used)
{
    std::vector<FeedbackVertex> vertices;
    GLint at = 0;
    while (at < used)
    {
        const GLint token = static_cast<GLint>(buffer[at++]);
        if (token != GL_POLYGON_TOKEN || at >= used)
        {
            break;
        }
        const GLint count = static_cast<GLint>(buffer[at++]);
        for (GLint i = 0; i < count && at + kFeedbackVertexFloats <= used; ++i)
        {
            const GLfloat* v = &buffer[at];
            // Window coordinates of a viewport twice the reach wide, centred on the pen.
            vertices.push_back({std::round(v[0] - kCaptureReach), std::round(v[1] - kCaptureReach), v[7], v[8]});
            at += kFeedbackVertexFloats;
        }
    }
    return vertices;
}

// The quad that the polygons cover, with the texture coordinates of its edges.
void FitQuad(const std::vector<FeedbackVertex>& vertices, GlyphQuad& glyph)
{
    glyph.Drawn = !vertices.empty();
    glyph.Empty = true;
    if (!glyph.Drawn)
    {
        return;
    }
    glyph.Left = glyph.Right = vertices[0].X;
    glyph.Top = glyph.Bottom = vertices[0].Y;
    glyph.U0 = glyph.U1 = vertices[0].S;
    glyph.V0 = glyph.V1 = vertices[0].T;
    for (const FeedbackVertex& v : vertices)
    {
        if (v.X < glyph.Left) { glyph.Left = v.X; glyph.U0 = v.S; }
        if (v.X > glyph.Right) { glyph.Right = v.X; glyph.U1 = v.S; }
        if (v.Y > glyph.Top) { glyph.Top = v.Y; glyph.V0 = v.T; }
        if (v.Y < glyph.Bottom) { glyph.Bottom = v.Y; glyph.V1 = v.T; }
    }
    glyph.Empty = glyph.Left == glyph.Right || glyph.Top == glyph.Bottom;
}
}

FontGlyphs::FontGlyphs(FTFont* font) : _font(font)
{
    std::fill(_captured, _captured + kCount, false);
}

const GlyphQuad* FontGlyphs::Find(char character)
{
    const int slot = static_cast<unsigned char>(character) - kFirst;
    if (slot < 0 || slot >= kCount)
    {
        return 0;
    }
    if (!_captured[slot])
    {
        // Without a context the capture would see no quad and keep that for good.
        if (!IsGLContextCurrent())
        {
            return 0;
        }
        Capture(character, _glyphs[slot]);
        _captured[slot] = true;
    }
    return &_glyphs[slot];
}

// The library draws the glyph once into the feedback buffer, inside a projection that makes
// window coordinates pixels from the pen; every bit of state touched is given back.
void FontGlyphs::Capture(char character, GlyphQuad& glyph)
{
    glPushAttrib(GL_ENABLE_BIT | GL_VIEWPORT_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_CULL_FACE);
    glViewport(0, 0, 2 * kCaptureReach, 2 * kCaptureReach);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-kCaptureReach, kCaptureReach, -kCaptureReach, kCaptureReach, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    std::vector<GLfloat> buffer(512);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    // One printable ASCII character (Find takes no other), which the library decodes as it is.
    const char text[] = {character, 0};
    const FTPoint pen = _font->Render(text);
    GLint texture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    const GLint used = glRenderMode(GL_RENDER);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();

    FitQuad(ReadPolygons(buffer, used), glyph);
    glyph.Texture = static_cast<unsigned int>(texture);
    glyph.AdvanceX = pen.X();
    glyph.AdvanceY = pen.Y();
    const FTBBox box = _font->BBox(text);
    glyph.BoxLeft = box.Lower().X();
    glyph.BoxBottom = box.Lower().Y();
    glyph.BoxRight = box.Upper().X();
    glyph.BoxTop = box.Upper().Y();
}

// The library's own steps: the first glyph's box, then each further glyph's box moved along
// by the advances so far and joined in; an empty string measures nothing.
bool FontGlyphs::Measure(const String& text, float& left, float& bottom, float& right, float& top)
{
    FTBBox total;
    FTPoint position;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const GlyphQuad* glyph = Find(text[i]);
        if (glyph == 0)
        {
            return false;
        }
        FTBBox box(FTPoint(glyph->BoxLeft, glyph->BoxBottom), FTPoint(glyph->BoxRight, glyph->BoxTop));
        box += position;
        if (i == 0)
        {
            total = box;
        }
        else
        {
            total |= box;
        }
        position += FTPoint(glyph->AdvanceX, 0.0);
    }
    left = total.Lower().Xf();
    bottom = total.Lower().Yf();
    right = total.Upper().Xf();
    top = total.Upper().Yf();
    return true;
}
