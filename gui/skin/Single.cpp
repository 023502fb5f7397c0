#include "gui/skin/Single.h"

#include "gui/Texture.h"
#include "gui/renderer/Base.h"

namespace Gui
{
namespace Skin
{
namespace Texturing
{
void Single::Init(Texture* texture, float x, float y, float w, float h)
{
    _texture = texture;
    _uv[0] = x / texture->width;
    _uv[1] = y / texture->height;
    _uv[2] = (x + w) / texture->width;
    _uv[3] = (y + h) / texture->height;
    _width = (int)w;
    _height = (int)h;
}

void Single::Draw(Renderer::Base* renderer, Rect rect, const Color& color)
{
    if (_texture == nullptr)
    {
        return;
    }
    renderer->SetDrawColor(color);
    renderer->DrawTexturedRect(_texture, rect, _uv[0], _uv[1], _uv[2], _uv[3]);
}

void Single::DrawCenter(Renderer::Base* renderer, Rect rect, const Color& color)
{
    if (_texture == nullptr)
    {
        return;
    }
    rect.x = (int)(rect.x + (rect.w - _width) * 0.5f);
    rect.y = (int)(rect.y + (rect.h - _height) * 0.5f);
    rect.w = _width;
    rect.h = _height;
    Draw(renderer, rect, color);
}
}
}
}
