#pragma once

#include "engine/math/Color.h"
#include "engine/math/Vector2.h"
#include "engine/util/StringTypes.h"

class FTFont;
class FontGlyphs;

// Texture-mapped fonts loaded once and then used everywhere by a short nickname.
// The registry owns the fonts. Text is drawn as 8-bit strings on one line; splitting into
// lines is the caller's work. Extents are (width, height) in pixels. Text is read as UTF-8:
// whatever in it is not well-formed is measured and drawn as "?" (see FontSafeText), and a
// zero byte ends it. Text may be measured before the window exists; while no OpenGL context
// is current nothing is drawn.

// Loads filename at pointSize (doubled on a high-density window) under nickname. A font
// already registered under that nickname is replaced only when the new one loads.
bool RegisterFont(const String& filename, int pointSize, const String& nickname);
bool IsFontRegistered(const String& nickname);
bool UnregisterFont(const String& nickname);
// Deletes every font; needed before the OpenGL context goes away.
void UnregisterAllFonts();

// Text placed further than this many pixels from the window's corner can't show.
const float kFarthestTextPixel = 1.0e9f;
// The whole window pixel to draw text at for a position in pixels (as MathUtil::WorldToScreen
// gives it): truncated, and kept within kFarthestTextPixel, so the conversion and the window
// arithmetic after it stay inside an int. Not-a-number lands off the window's top left.
int ToTextPixel(float pixel);

// Draws in window pixels, origin at the top left; (pixelX, pixelY) is the start of the
// baseline. Uses the current OpenGL colour. An unknown nickname draws nothing.
Vector2 DrawScreenText(const String& text, const String& nickname, int pixelX, int pixelY,
                       float rotation = 0.0f);
// Sets the OpenGL colour (alpha included) first.
Vector2 DrawScreenTextColored(const String& text, const String& nickname, int pixelX, int pixelY,
                              float rotation, const Color& color);
// The same drawing inside the caller's own projection.
Vector2 DrawTextRaw(const String& text, const String& nickname, int pixelX, int pixelY,
                    float rotation = 0.0f);

// (0, 0) for an unknown nickname.
Vector2 GetTextExtents(const String& text, const String& nickname);
// The lower-left and upper-right corners of the box that text's glyphs cover, relative to the
// start of its baseline (y up): a glyph may begin right or left of the pen. Both (0, 0) for an
// unknown nickname.
void GetTextBounds(const String& text, const String& nickname, Vector2& lower, Vector2& upper);
// How far drawing text moves the pen (kerning within text included): where a glyph that
// followed it would start. 0 for an unknown nickname.
float GetTextAdvance(const String& text, const String& nickname);
// 0 for an unknown nickname.
float GetTextAscenderHeight(const String& nickname);
// The distance from one line's baseline to the next, whatever the text: what a blank line
// takes. 0 for an unknown nickname.
float GetTextLineHeight(const String& nickname);

// The captured glyphs of a registered font, for drawing its unturned strings through a
// TextBatch; owned by the registry and deleted with the font. Null for an unknown nickname
// and for a font with kerning, whose strings the font library must place itself.
FontGlyphs* FindFontGlyphs(const String& nickname);

// Draws many strings in one font in window pixels, each exactly as DrawScreenText would,
// for callers that draw several strings at once and already know their extents: the
// projection and drawing state are set up once for the run, and nothing is measured (a
// measurement walks every glyph again). While a run is open nothing else may draw or
// change the matrices. An unknown nickname draws nothing.
class ScreenTextRun
{
public:
    explicit ScreenTextRun(const String& nickname);
    ~ScreenTextRun();
    ScreenTextRun(const ScreenTextRun&) = delete;
    ScreenTextRun& operator=(const ScreenTextRun&) = delete;

    void Draw(const String& text, int pixelX, int pixelY, float rotation = 0.0f);

private:
    FTFont* _font;
    int _windowHeight;
};
