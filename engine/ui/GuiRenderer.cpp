#include "engine/ui/GuiRenderer.h"

#include "engine/log/CompoundLog.h"
#include "engine/rendering/Camera.h"
#include "engine/rendering/FontRegistry.h"
#include "engine/rendering/TextureCache.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace
{
// What the toolkit keeps in a texture's renderer data.
struct TextureRecord
{
    int id;
    String file;
};

const int kLastVertexOfFullBatch = 1023;
}

GuiRenderer::GuiRenderer(const String& skinImage)
{
    for (Vertex& vertex : _batch)
    {
        vertex.z = 0.5f;
    }
    GetPixels(skinImage, _skinPixels);
}

GuiRenderer::~GuiRenderer()
{
    FreeFont(&_fallbackFont);
}

void GuiRenderer::Begin()
{
    Camera* camera = Camera::GetInstance();
    _windowWidth = camera->GetWindowWidth();
    _windowHeight = camera->GetWindowHeight();
    _drawCalls = 0;

    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_SCISSOR_BIT | GL_TEXTURE_BIT | GL_TRANSFORM_BIT |
                 GL_DEPTH_BUFFER_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    // The toolkit paints in order: later controls cover earlier ones whatever the depth, and
    // it leaves no depth behind to hide what the engine draws after it.
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glDisable(GL_TEXTURE_2D);
    _texturing = false;
    _boundTexture = -1;

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, _windowWidth, _windowHeight, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void GuiRenderer::End()
{
    Flush();
    glPopClientAttrib();
    glPopAttrib();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void GuiRenderer::SetDrawColor(Gui::Color color)
{
    _color = color;
    glColor4ub(color.r, color.g, color.b, color.a);
}

void GuiRenderer::Flush()
{
    if (_vertexCount == 0)
    {
        return;
    }
    glVertexPointer(3, GL_FLOAT, sizeof(Vertex), &_batch[0].x);
    glEnableClientState(GL_VERTEX_ARRAY);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), &_batch[0].r);
    glEnableClientState(GL_COLOR_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &_batch[0].u);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glDrawArrays(GL_TRIANGLES, 0, _vertexCount);
    ++_drawCalls;
    _vertexCount = 0;
}

// 1023 vertices are 341 whole triangles, so a flush never splits one.
void GuiRenderer::AddVertex(int x, int y, float u, float v)
{
    if (_vertexCount >= kLastVertexOfFullBatch)
    {
        Flush();
    }
    Vertex& vertex = _batch[_vertexCount++];
    vertex.x = (float)x;
    vertex.y = (float)y;
    vertex.u = u;
    vertex.v = v;
    vertex.r = _color.r;
    vertex.g = _color.g;
    vertex.b = _color.b;
    vertex.a = _color.a;
}

void GuiRenderer::SetTexturing(bool on)
{
    if (_texturing == on)
    {
        return;
    }
    Flush();
    if (on)
    {
        glEnable(GL_TEXTURE_2D);
    }
    else
    {
        glDisable(GL_TEXTURE_2D);
    }
    _texturing = on;
}

void GuiRenderer::DrawFilledRect(Gui::Rect rect)
{
    SetTexturing(false);
    Translate(rect);
    AddVertex(rect.x, rect.y + rect.h, 0.0f, 0.0f);
    AddVertex(rect.x + rect.w, rect.y, 0.0f, 0.0f);
    AddVertex(rect.x, rect.y, 0.0f, 0.0f);
    AddVertex(rect.x, rect.y + rect.h, 0.0f, 0.0f);
    AddVertex(rect.x + rect.w, rect.y + rect.h, 0.0f, 0.0f);
    AddVertex(rect.x + rect.w, rect.y, 0.0f, 0.0f);
}

void GuiRenderer::DrawTexturedRect(Gui::Texture* texture, Gui::Rect rect, float ua, float va, float ub, float vb)
{
    if (texture == nullptr || texture->data == nullptr)
    {
        DrawMissingImage(rect);
        return;
    }
    const int id = static_cast<TextureRecord*>(texture->data)->id;
    va = 1.0f - va;
    vb = 1.0f - vb;
    Translate(rect);
    SetTexturing(true);
    // One texture per batch: a change of texture draws what waits first.
    if (id != _boundTexture)
    {
        Flush();
        glBindTexture(GL_TEXTURE_2D, id);
        _boundTexture = id;
    }
    AddVertex(rect.x, rect.y + rect.h, ua, vb);
    AddVertex(rect.x + rect.w, rect.y, ub, va);
    AddVertex(rect.x, rect.y, ua, va);
    AddVertex(rect.x, rect.y + rect.h, ua, vb);
    AddVertex(rect.x + rect.w, rect.y + rect.h, ub, vb);
    AddVertex(rect.x + rect.w, rect.y, ub, va);
}

void GuiRenderer::StartClip()
{
    Flush();
    const Gui::Rect& clip = ClipRegion();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const float scale = Scale();
    // The scissor box counts from the window's bottom: the clip's bottom edge is y + h.
    glScissor((GLint)(clip.x * scale), (GLint)(viewport[1] + viewport[3] - (clip.y + clip.h) * scale),
              (GLsizei)(clip.w * scale), (GLsizei)(clip.h * scale));
    glEnable(GL_SCISSOR_TEST);
}

void GuiRenderer::EndClip()
{
    Flush();
    glDisable(GL_SCISSOR_TEST);
}

void GuiRenderer::LoadTexture(Gui::Texture* texture)
{
    if (texture->data != nullptr)
    {
        FreeTexture(texture);
    }
    const String& file = texture->name.Get();
    std::map<String, TextureUse>::iterator use = _textures.find(file);
    const bool engineHadIt = use == _textures.end() && GetTextureSize(file) != Vec2i(0, 0);
    const int id = GetTextureReference(file, GL_CLAMP, GL_LINEAR, false);
    if (id < 0)
    {
        texture->failed = true;
        return;
    }
    if (use == _textures.end())
    {
        use = _textures.insert(std::make_pair(file, TextureUse{id, 0, !engineHadIt})).first;
    }
    ++use->second.users;
    texture->failed = false;
    texture->data = new TextureRecord{id, file};
    const Vec2i size = GetTextureSize(file);
    texture->width = size.X;
    texture->height = size.Y;
}

void GuiRenderer::FreeTexture(Gui::Texture* texture)
{
    TextureRecord* record = static_cast<TextureRecord*>(texture->data);
    if (record == nullptr)
    {
        return;
    }
    std::map<String, TextureUse>::iterator use = _textures.find(record->file);
    if (use != _textures.end() && --use->second.users == 0)
    {
        if (use->second.loadedByToolkit)
        {
            PurgeTexture(record->file);
        }
        _textures.erase(use);
    }
    delete record;
    texture->data = nullptr;
}

Gui::Color GuiRenderer::GetPixelColor(Gui::Texture* texture, unsigned int x, unsigned int y,
                                      const Gui::Color& defaultColor)
{
    if (texture == nullptr || texture->width <= 0 || texture->height <= 0)
    {
        return defaultColor;
    }
    const unsigned int width = (unsigned int)texture->width;
    const unsigned int height = (unsigned int)texture->height;
    // Both axes are checked: an x past the width would otherwise read the next row.
    if (x >= width || y >= height)
    {
        return defaultColor;
    }
    const size_t index = (size_t)(height - 1 - y) * width + x;
    if (index >= _skinPixels.size())
    {
        return defaultColor;
    }
    const Color& pixel = _skinPixels[index];
    return Gui::Color((unsigned char)(pixel.R * 255), (unsigned char)(pixel.G * 255), (unsigned char)(pixel.B * 255),
                      (unsigned char)(pixel.A * 255));
}

void GuiRenderer::LoadFont(Gui::Font* font)
{
    if (font->data != nullptr)
    {
        FreeFont(font);
    }
    font->realsize = font->size * Scale();
    FontUse* use = FindOrRegisterFont(std::make_pair(Gui::WideToNarrow(font->facename), (int)font->realsize));
    if (use == nullptr && font != &_fallbackFont)
    {
        use = FallbackFontUse();
    }
    if (use == nullptr)
    {
        return;
    }
    ++use->users;
    font->data = use;
}

GuiRenderer::FontUse* GuiRenderer::FindOrRegisterFont(const std::pair<String, int>& key)
{
    std::map<std::pair<String, int>, FontUse>::iterator use = _fonts.find(key);
    if (use != _fonts.end())
    {
        return &use->second;
    }
    // Every text measures and draws itself every frame: a file that failed once would be
    // tried, and its failure logged, sixty times a second.
    if (_failedFonts.count(key) != 0)
    {
        return nullptr;
    }
    // The size is part of the nickname: the same face at two sizes is two fonts.
    const String nickname = key.first + "@" + std::to_string(key.second);
    const bool registeredBefore = IsFontRegistered(nickname);
    if (!registeredBefore && !RegisterFont(key.first, key.second, nickname))
    {
        _failedFonts.insert(key);
        if (_reportedFontFiles.insert(key.first).second)
        {
            CompoundLog::GetSystemLog().Printf("WARNING: The toolkit can't load the font \"%s\"; its text is drawn "
                                               "in the default font.",
                                               key.first.c_str());
        }
        return nullptr;
    }
    return &_fonts.insert(std::make_pair(key, FontUse{key, nickname, 0, !registeredBefore})).first->second;
}

GuiRenderer::FontUse* GuiRenderer::FallbackFontUse()
{
    if (_fallbackFont.facename.empty())
    {
        return nullptr;
    }
    if (_fallbackFont.data == nullptr)
    {
        LoadFont(&_fallbackFont);
    }
    return static_cast<FontUse*>(_fallbackFont.data);
}

void GuiRenderer::SetFallbackFont(const std::wstring& face, float size)
{
    FreeFont(&_fallbackFont);
    _fallbackFont.facename = face;
    _fallbackFont.size = size;
}

void GuiRenderer::FreeFont(Gui::Font* font)
{
    FontUse* use = static_cast<FontUse*>(font->data);
    if (use == nullptr)
    {
        return;
    }
    font->data = nullptr;
    if (--use->users > 0)
    {
        return;
    }
    if (use->registeredByToolkit)
    {
        UnregisterFont(use->nickname);
    }
    _fonts.erase(use->key);
}

void GuiRenderer::RenderText(Gui::Font* font, Gui::Point pos, const std::wstring& text)
{
    Flush();
    if (font->data == nullptr)
    {
        LoadFont(font);
    }
    const FontUse* use = static_cast<const FontUse*>(font->data);
    if (use == nullptr)
    {
        return;
    }
    Translate(pos.x, pos.y);
    // The engine draws from the baseline; the toolkit places text by its top left.
    const int baseline = (int)(pos.y + GetTextAscenderHeight(use->nickname));
    glColor4ub(_color.r, _color.g, _color.b, _color.a);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, _windowWidth, 0.0, _windowHeight);
    DrawTextRaw(Gui::WideToNarrow(text), use->nickname, pos.x, baseline);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, _windowWidth, _windowHeight, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    // The text drawing switches texturing off and may leave its glyph texture bound.
    _texturing = false;
    _boundTexture = -1;
    glDisable(GL_DEPTH_TEST);
}

Gui::Point GuiRenderer::MeasureText(Gui::Font* font, const std::wstring& text)
{
    if (font->data == nullptr)
    {
        LoadFont(font);
    }
    const FontUse* use = static_cast<const FontUse*>(font->data);
    if (use == nullptr)
    {
        return Gui::Point();
    }
    Vector2 lower;
    Vector2 upper;
    GetTextBounds(Gui::WideToNarrow(text), use->nickname, lower, upper);
    // The toolkit draws text from the pen and clips it to the size measured here: a first
    // glyph that starts right of the pen (an "F") would lose as much of the last one.
    const float width = upper.X - std::min(lower.X, 0.0f);
    float height = upper.Y - lower.Y;
    // Blank text (a space) covers no pixels, yet takes a line like any other text.
    if (height <= 0.0f)
    {
        height = GetTextLineHeight(use->nickname);
    }
    return Gui::Point((int)std::floor(width + 0.5f), (int)std::floor(height + 0.5f));
}

void GuiRenderer::ReleaseSkinPixels()
{
    _skinPixels.clear();
    _skinPixels.shrink_to_fit();
}
