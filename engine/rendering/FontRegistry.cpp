#include "engine/rendering/FontRegistry.h"

#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "engine/rendering/Camera.h"
#include "engine/rendering/FontGlyphs.h"
#include "engine/rendering/FontSafeText.h"
#include "engine/rendering/GLContext.h"
#include "engine/rendering/TextBatch.h"

#include <FTGL/ftgl.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace
{
// A font and, when strings in it can be batched, its captured glyphs.
struct RegisteredFont
{
    FTFont* Font;
    FontGlyphs* Glyphs;
    // Measures while no OpenGL context is current; made the first time it is needed.
    FTFont* Windowless;
    String Filename;
    int PointSize;
};

typedef std::map<String, RegisteredFont> FontMap;

// Never destroyed: the fonts' textures would outlive the OpenGL context at exit anyway.
FontMap& Fonts()
{
    static FontMap* fonts = new FontMap();
    return *fonts;
}

RegisteredFont* FindRegistered(const String& nickname)
{
    FontMap::iterator found = Fonts().find(nickname);
    return found != Fonts().end() ? &found->second : 0;
}

FTFont* FindFont(const String& nickname)
{
    const RegisteredFont* registered = FindRegistered(nickname);
    return registered != 0 ? registered->Font : 0;
}

void DeleteFont(RegisteredFont& registered)
{
    delete registered.Glyphs;
    delete registered.Font;
    delete registered.Windowless;
    registered = RegisteredFont{0, 0, 0, String(), 0};
}

// The font library moves the pen by the font's kerning table between glyph pairs, which the
// captured glyphs do not know; such fonts are drawn string by string. True when unsure.
bool FontKerns(const String& filename)
{
    FT_Library library = 0;
    if (FT_Init_FreeType(&library) != 0)
    {
        return true;
    }
    bool kerns = true;
    FT_Face face = 0;
    if (FT_New_Face(library, filename.c_str(), 0, &face) == 0)
    {
        kerns = FT_HAS_KERNING(face);
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return kerns;
}

// Null when the file can't be opened or the size can't be set; the failure is logged.
template <class FontClass>
FTFont* LoadFont(const String& filename, int pointSize)
{
    FTFont* font = new FontClass(filename.c_str());
    if (font->Error() != 0)
    {
        CompoundLog::GetSystemLog().Printf("Failed to open font %s", filename.c_str());
        delete font;
        return 0;
    }
    // 72 dots per inch, so one point is one pixel. A size below one point would reach
    // FreeType as zero or wrap to a huge unsigned size.
    if (pointSize < 1 || !font->FaceSize(static_cast<unsigned int>(pointSize), 72))
    {
        CompoundLog::GetSystemLog().Printf("Failed to set size.");
        delete font;
        return 0;
    }
    font->CharMap(static_cast<FT_Encoding>(0));
    font->UseDisplayList(true);
    return font;
}

// The texture font makes a glyph's texture the first time it meets the glyph, measuring or
// drawing, and keeps the glyph for good: made without a context, that texture never exists
// and the glyph never draws. So while no context is current, a pixmap font of the same file
// and size, which keeps its glyphs in memory and measures alike, measures instead, and
// nothing is drawn. Null when that font can't be loaded (logged).
FTFont* MeasuringFont(RegisteredFont& registered)
{
    if (IsGLContextCurrent())
    {
        return registered.Font;
    }
    if (registered.Windowless == 0)
    {
        registered.Windowless = LoadFont<FTPixmapFont>(registered.Filename, registered.PointSize);
    }
    return registered.Windowless;
}

// The font library is handed text only through FontSafeText, here and below, so what it
// measures is what it draws and nothing it can't decode reaches it.

// From the captured glyphs where the font has them: the library's own measurement walks its
// glyph tables again for every string.
void MeasureBounds(RegisteredFont& registered, const FontSafeText& text, Vector2& lower, Vector2& upper)
{
    if (registered.Glyphs != 0 && TextBatch::IsEnabled() &&
        registered.Glyphs->Measure(text.Get(), lower.X, lower.Y, upper.X, upper.Y))
    {
        return;
    }
    FTFont* font = MeasuringFont(registered);
    if (font == 0)
    {
        lower = upper = Vector2();
        return;
    }
    const FTBBox box = font->BBox(text.CStr());
    lower = Vector2(box.Lower().Xf(), box.Lower().Yf());
    upper = Vector2(box.Upper().Xf(), box.Upper().Yf());
}

Vector2 MeasureText(RegisteredFont& registered, const FontSafeText& text)
{
    Vector2 lower;
    Vector2 upper;
    MeasureBounds(registered, text, lower, upper);
    return upper - lower;
}

// The baseline's height above the window's bottom edge. Taken in a wider type: a pixelY far
// below an int's range would overflow the difference.
float HeightAboveBottom(int windowHeight, int pixelY)
{
    return static_cast<float>(static_cast<long long>(windowHeight) - pixelY);
}

// Works on the model-view matrix and leaves it selected and as it found it.
void RenderAtBaseline(FTFont* font, const FontSafeText& text, int pixelX, int pixelY, float rotation)
{
    const int windowHeight = Camera::GetInstance()->GetWindowHeight();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(static_cast<float>(pixelX), HeightAboveBottom(windowHeight, pixelY), 0.0f);
    glRotatef(rotation, 0.0f, 0.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    font->Render(text.CStr());
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
}
}

int ToTextPixel(float pixel)
{
    if (std::isnan(pixel))
    {
        return static_cast<int>(-kFarthestTextPixel);
    }
    return static_cast<int>(std::clamp(pixel, -kFarthestTextPixel, kFarthestTextPixel));
}

bool RegisterFont(const String& filename, int pointSize, const String& nickname)
{
    if (World::GetInstance()->IsHighDensityScreen())
    {
        pointSize *= 2;
    }
    // Loaded before the old font goes, so a failed reload leaves the nickname usable.
    FTFont* font = LoadFont<FTGLTextureFont>(filename, pointSize);
    if (font == 0)
    {
        return false;
    }
    RegisteredFont& slot = Fonts()[nickname];
    DeleteFont(slot);
    slot.Font = font;
    slot.Glyphs = FontKerns(filename) ? 0 : new FontGlyphs(font);
    slot.Filename = filename;
    slot.PointSize = pointSize;
    return true;
}

bool IsFontRegistered(const String& nickname)
{
    return FindFont(nickname) != 0;
}

bool UnregisterFont(const String& nickname)
{
    FontMap::iterator found = Fonts().find(nickname);
    if (found == Fonts().end())
    {
        CompoundLog::GetSystemLog().Printf("No font called \"%s\"; un-registration failed.",
                                            nickname.c_str());
        return false;
    }
    DeleteFont(found->second);
    Fonts().erase(found);
    return true;
}

void UnregisterAllFonts()
{
    for (FontMap::iterator it = Fonts().begin(); it != Fonts().end(); ++it)
    {
        DeleteFont(it->second);
    }
    Fonts().clear();
}

Vector2 DrawScreenText(const String& text, const String& nickname, int pixelX, int pixelY,
                       float rotation)
{
    RegisteredFont* registered = FindRegistered(nickname);
    if (registered == 0)
    {
        return Vector2();
    }
    FTFont* font = registered->Font;
    const FontSafeText safe(text);
    if (!IsGLContextCurrent())
    {
        return MeasureText(*registered, safe);
    }
    if (rotation == 0.0f && registered->Glyphs != 0 && TextBatch::IsEnabled())
    {
        // The string is drawn in the current colour, as the library draws it.
        GLfloat color[4];
        glGetFloatv(GL_CURRENT_COLOR, color);
        TextBatch& batch = TextBatch::Shared();
        if (batch.Add(*registered->Glyphs, safe.Get(), pixelX, pixelY,
                      Color(color[0], color[1], color[2], color[3], false)))
        {
            batch.Flush();
            return MeasureText(*registered, safe);
        }
    }
    Camera* camera = Camera::GetInstance();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0.0, camera->GetWindowWidth(), 0.0, camera->GetWindowHeight());
    RenderAtBaseline(font, safe, pixelX, pixelY, rotation);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    return MeasureText(*registered, safe);
}

Vector2 DrawScreenTextColored(const String& text, const String& nickname, int pixelX, int pixelY,
                              float rotation, const Color& color)
{
    glColor4f(color.R, color.G, color.B, color.A);
    return DrawScreenText(text, nickname, pixelX, pixelY, rotation);
}

Vector2 DrawTextRaw(const String& text, const String& nickname, int pixelX, int pixelY,
                    float rotation)
{
    RegisteredFont* registered = FindRegistered(nickname);
    if (registered == 0)
    {
        return Vector2();
    }
    const FontSafeText safe(text);
    if (IsGLContextCurrent())
    {
        RenderAtBaseline(registered->Font, safe, pixelX, pixelY, rotation);
    }
    return MeasureText(*registered, safe);
}

Vector2 GetTextExtents(const String& text, const String& nickname)
{
    RegisteredFont* registered = FindRegistered(nickname);
    return registered != 0 ? MeasureText(*registered, FontSafeText(text)) : Vector2();
}

void GetTextBounds(const String& text, const String& nickname, Vector2& lower, Vector2& upper)
{
    lower = Vector2();
    upper = Vector2();
    RegisteredFont* registered = FindRegistered(nickname);
    if (registered != 0)
    {
        MeasureBounds(*registered, FontSafeText(text), lower, upper);
    }
}

FontGlyphs* FindFontGlyphs(const String& nickname)
{
    const RegisteredFont* registered = FindRegistered(nickname);
    return registered != 0 ? registered->Glyphs : 0;
}

float GetTextAdvance(const String& text, const String& nickname)
{
    RegisteredFont* registered = FindRegistered(nickname);
    FTFont* font = registered != 0 ? MeasuringFont(*registered) : 0;
    return font != 0 ? font->Advance(FontSafeText(text).CStr()) : 0.0f;
}

float GetTextAscenderHeight(const String& nickname)
{
    FTFont* font = FindFont(nickname);
    return font != 0 ? font->Ascender() : 0.0f;
}

float GetTextLineHeight(const String& nickname)
{
    FTFont* font = FindFont(nickname);
    return font != 0 ? font->LineHeight() : 0.0f;
}

// Without a context the run draws nothing: drawing would make glyphs that never show.
ScreenTextRun::ScreenTextRun(const String& nickname)
    : _font(IsGLContextCurrent() ? FindFont(nickname) : 0), _windowHeight(0)
{
    if (_font == 0)
    {
        return;
    }
    Camera* camera = Camera::GetInstance();
    _windowHeight = camera->GetWindowHeight();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0.0, camera->GetWindowWidth(), 0.0, _windowHeight);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
}

ScreenTextRun::~ScreenTextRun()
{
    if (_font == 0)
    {
        return;
    }
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void ScreenTextRun::Draw(const String& text, int pixelX, int pixelY, float rotation)
{
    if (_font == 0)
    {
        return;
    }
    // The string is placed by the model-view matrix, as DrawScreenText places it: starting
    // FTGL's pen there instead would round differently on the way to the window and move
    // edge pixels. FTGL ends its drawing state after every string anyway, so a matrix
    // change per string costs nothing more.
    glLoadIdentity();
    glTranslatef(static_cast<float>(pixelX), HeightAboveBottom(_windowHeight, pixelY), 0.0f);
    glRotatef(rotation, 0.0f, 0.0f, 1.0f);
    _font->Render(FontSafeText(text).CStr());
}
