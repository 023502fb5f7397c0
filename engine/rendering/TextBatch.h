#pragma once

#include "engine/math/Color.h"
#include "engine/util/StringTypes.h"

#include <vector>

class FontGlyphs;

// Collects the glyph quads of unturned screen text, of many strings in any fonts, and draws
// them with as few draws as the glyphs' textures allow, where the font library would draw
// each string on its own, glyph by glyph. Every quad lands on the pixels the library's own
// drawing of the string gives (the same quads, textures, colours and order, placed with the
// same roundings), so the picture does not change.
//
// Strings wait until Flush; nothing else may draw in between, so whoever draws by other means
// must call Flush first. The fonts' glyph tables must outlive the waiting strings.
class TextBatch
{
public:
    TextBatch();

    // Adds text as DrawScreenText draws it unturned in color: (pixelX, pixelY) is the start
    // of its baseline in window pixels from the top left. False, adding nothing, when CanAdd
    // is false or the glyphs can't be captured yet (no OpenGL context is current); the
    // caller then draws the string by itself.
    bool Add(FontGlyphs& glyphs, const String& text, int pixelX, int pixelY, const Color& color);
    // Whether Add would take text: every character is printable ASCII (what the glyph
    // tables hold) and the window has an area.
    static bool CanAdd(const String& text);
    // Makes color the one the next Flush leaves current, as a string drawn in it would,
    // without adding a quad: a text without lines still sets its colour.
    void SetColor(const Color& color);

    // Draws what waits. The matrices, the client arrays and every enable except 2-D
    // texturing and the depth test are as they were; 2-D texturing is off and the depth
    // test on, the current colour is the last string's and a glyph texture stays bound, as
    // drawing each string with DrawScreenText leaves them.
    void Flush();
    bool IsEmpty() const { return !_pending; }

    // The batch the World's layer pass and DrawScreenText draw through.
    static TextBatch& Shared();
    // On by default; off leaves all text to the font library, string by string, for
    // comparisons.
    static void SetEnabled(bool enabled);
    static bool IsEnabled();

private:
    struct Vertex
    {
        float X, Y;
        float U, V;
    };
    // Quads that share a texture and a colour and lie alike against the window's edge, in
    // order.
    struct Run
    {
        unsigned int Texture;
        bool Crossing;
        Color Tint;
        int FirstVertex;
        int VertexCount;
    };

    // One glyph's quad in clip coordinates, corners in the library's order.
    struct Quad
    {
        float Corners[8];
        float TexCoords[8];
        unsigned int Texture;
        bool Empty;
    };

    void AddQuad(const Quad& quad, bool crossing);
    void DrawRuns() const;

    std::vector<Vertex> _vertices;
    std::vector<Run> _runs;
    // The quads of the string being added.
    std::vector<Quad> _stringQuads;
    Color _color;
    // A string was added since the last Flush, even one that left no quad.
    bool _pending;
};
