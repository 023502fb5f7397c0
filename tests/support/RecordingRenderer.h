#pragma once

#include "gui/renderer/Base.h"

#include <string>
#include <vector>

// A toolkit renderer that draws nothing and keeps every rectangle as it would reach the
// screen (offset and scale applied), for checking layout and drawing without a window.
class RecordingRenderer : public Gui::Renderer::Base
{
public:
    struct Drawn
    {
        std::string what; // "fill", "texture", "text"
        Gui::Rect rect;
        Gui::Color color;
        Gui::Rect clip;
        // A texture's top-left texture coordinates: which part of the image was drawn.
        float u = 0.0f;
        float v = 0.0f;
    };

    void SetDrawColor(Gui::Color color) override { _color = color; }
    void DrawFilledRect(Gui::Rect rect) override { Record("fill", rect); }
    void DrawTexturedRect(Gui::Texture* texture, Gui::Rect rect, float u, float v, float, float) override
    {
        if (texture == nullptr || texture->data == nullptr)
        {
            DrawMissingImage(rect);
            return;
        }
        Record("texture", rect);
        drawn.back().u = u;
        drawn.back().v = v;
    }
    void StartClip() override { ++clipStarts; }
    void EndClip() override {}
    void Begin() override { ++frames; }
    void RenderText(Gui::Font*, Gui::Point pos, const std::wstring& text) override
    {
        Record("text", Gui::Rect(pos.x, pos.y, (int)text.size(), 0));
    }
    using Gui::Renderer::Base::RenderText;

    void Clear() { drawn.clear(); }

    std::vector<Drawn> drawn;
    int clipStarts = 0;
    int frames = 0;

private:
    void Record(const char* what, Gui::Rect rect)
    {
        Translate(rect);
        drawn.push_back(Drawn{what, rect, _color, ClipRegion(), 0.0f, 0.0f});
    }

    Gui::Color _color;
};
