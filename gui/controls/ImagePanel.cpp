#include "gui/controls/ImagePanel.h"

#include "gui/renderer/Base.h"
#include "gui/skin/Base.h"

namespace Gui
{
namespace Controls
{
GUI_CONTROL_IDENTIFIER(ImagePanel, "Controls::Base:ImagePanel")

namespace
{
Renderer::Base* RendererOf(Base* control)
{
    Skin::Base* skin = control->GetSkin();
    return skin != nullptr ? skin->GetRender() : nullptr;
}
}

ImagePanel::ImagePanel(Base* parent, const std::string& name) : Base(parent, name)
{
    SetMouseInputEnabled(false);
}

ImagePanel::~ImagePanel()
{
    if (_texture.data != nullptr)
    {
        Renderer::Base* render = RendererOf(this);
        if (render != nullptr)
        {
            _texture.Release(render);
        }
    }
}

void ImagePanel::SetUV(float u1, float v1, float u2, float v2)
{
    _uv[0] = u1;
    _uv[1] = v1;
    _uv[2] = u2;
    _uv[3] = v2;
}

void ImagePanel::SetImage(const TextPair& imageName)
{
    Renderer::Base* render = RendererOf(this);
    if (_texture.data != nullptr && render != nullptr)
    {
        _texture.Release(render);
    }
    // Load asserts "No renderer!" itself when there is none.
    _texture.Load(imageName, render);
}

void ImagePanel::Render(Skin::Base* skin)
{
    Renderer::Base* render = skin->GetRender();
    render->SetDrawColor(_drawColor);
    const Rect target = _stretch ? GetRenderBounds() : Rect(0, 0, _texture.width, _texture.height);
    render->DrawTexturedRect(&_texture, target, _uv[0], _uv[1], _uv[2], _uv[3]);
}
}
}
