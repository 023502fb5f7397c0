#pragma once

#include "engine/math/Color.h"
#include "engine/util/StringTypes.h"
#include "gui/renderer/Base.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

// The engine's back end for the GUI toolkit: batches the toolkit's triangles into one vertex
// array drawn with OpenGL, clips with the scissor test, takes textures from the engine's
// texture cache and fonts from its font registry. Draw only between Begin and End, inside the
// engine's render; Begin saves the OpenGL state it changes and End restores it, so the
// engine's drawing after the toolkit is unchanged.
//
// Textures and fonts are shared per file (and per size for fonts) and counted: a texture or
// font goes back to the engine only when its last toolkit user frees it, and only when the
// toolkit itself loaded it there. A font file that can't be loaded is tried once and reported
// once; its text is drawn in the fallback font instead.
class GuiRenderer : public Gui::Renderer::Base
{
public:
    // Reads a copy of the skin image's pixels for GetPixelColor.
    explicit GuiRenderer(const String& skinImage);
    virtual ~GuiRenderer();

    void Begin() override;
    void End() override;

    void SetDrawColor(Gui::Color color) override;
    void DrawFilledRect(Gui::Rect rect) override;
    void StartClip() override;
    void EndClip() override;

    void LoadTexture(Gui::Texture* texture) override;
    void FreeTexture(Gui::Texture* texture) override;
    void DrawTexturedRect(Gui::Texture* texture, Gui::Rect rect, float ua = 0.0f, float va = 0.0f,
                          float ub = 1.0f, float vb = 1.0f) override;
    // Answers from the skin image's pixels whatever texture is passed; the texture gives
    // the size. The default outside the image or after ReleaseSkinPixels.
    Gui::Color GetPixelColor(Gui::Texture* texture, unsigned int x, unsigned int y,
                             const Gui::Color& defaultColor) override;

    void LoadFont(Gui::Font* font) override;
    void FreeFont(Gui::Font* font) override;
    void RenderText(Gui::Font* font, Gui::Point pos, const std::wstring& text) override;
    Gui::Point MeasureText(Gui::Font* font, const std::wstring& text) override;
    using Gui::Renderer::Base::MeasureText;
    using Gui::Renderer::Base::RenderText;

    // Drops the skin pixels once the skin has read its colours.
    virtual void ReleaseSkinPixels();

    // What text in a font that can't be loaded is drawn and measured in (the host gives the
    // skin's default font). Without one, such text is not drawn.
    void SetFallbackFont(const std::wstring& face, float size);

    // Draw calls made since the last Begin.
    int GetDrawCallCount() const { return _drawCalls; }

    static const int kBatchSize = 1024;

private:
    struct Vertex
    {
        float x, y, z;
        float u, v;
        unsigned char r, g, b, a;
    };

    struct TextureUse
    {
        int id;
        int users;
        // False when the engine had the file before the toolkit asked: never purged here.
        bool loadedByToolkit;
    };

    struct FontUse
    {
        std::pair<String, int> key;
        String nickname;
        int users;
        bool registeredByToolkit;
    };

    void Flush();
    // The registered font of that face and size, registering it on first use; null when the
    // file can't be loaded, which is tried only once.
    FontUse* FindOrRegisterFont(const std::pair<String, int>& key);
    // The fallback font's use, loading it first; null when there is none.
    FontUse* FallbackFontUse();
    void AddVertex(int x, int y, float u, float v);
    void SetTexturing(bool on);

    Gui::Color _color;
    int _vertexCount = 0;
    Vertex _batch[kBatchSize];
    int _windowWidth = 0;
    int _windowHeight = 0;
    bool _texturing = false;
    int _boundTexture = -1;
    int _drawCalls = 0;
    std::vector<Color> _skinPixels;
    std::map<String, TextureUse> _textures;
    std::map<std::pair<String, int>, FontUse> _fonts;
    std::set<std::pair<String, int>> _failedFonts;
    std::set<String> _reportedFontFiles;
    Gui::Font _fallbackFont;
};
