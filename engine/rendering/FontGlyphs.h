#pragma once

#include "engine/util/StringTypes.h"

class FTFont;

// Where the font library puts one glyph's textured quad when its pen stands at (0, 0), in
// pixels with y up, and how far it moves the pen on.
struct GlyphQuad
{
    // False for glyphs the library draws no quad for; they still move the pen.
    bool Drawn;
    // The quad has no area (the space's, for one), so it covers no pixel.
    bool Empty;
    float Left, Top, Right, Bottom;
    // Texture coordinates of the left and right edges, and of the top and bottom edges.
    float U0, U1, V0, V1;
    unsigned int Texture;
    double AdvanceX, AdvanceY;
    // The glyph's bounding box, as the library measures it.
    double BoxLeft, BoxBottom, BoxRight, BoxTop;
};

// The glyph quads of one texture-mapped font, as the font library itself places them,
// captured once per glyph (by drawing it once in OpenGL's feedback mode) the first time it is
// asked for, so strings can be laid out without the library drawing them glyph by glyph.
// Only printable ASCII characters are kept. The font is not owned and must outlive this;
// Find may not be called while a primitive is open. While no OpenGL context is current
// nothing is captured: glyphs are captured once one is.
class FontGlyphs
{
public:
    explicit FontGlyphs(FTFont* font);

    // Null for a character outside printable ASCII, and for one not captured yet while no
    // OpenGL context is current.
    const GlyphQuad* Find(char character);
    // The corners of text's bounding box relative to the start of its baseline (y up),
    // measured as the library measures it, from the glyphs' own boxes and advances; false,
    // measuring nothing, when Find has no glyph for a character.
    bool Measure(const String& text, float& left, float& bottom, float& right, float& top);

private:
    static const int kFirst = 32;
    static const int kCount = 95;

    void Capture(char character, GlyphQuad& glyph);

    FTFont* _font;
    GlyphQuad _glyphs[kCount];
    bool _captured[kCount];
};
