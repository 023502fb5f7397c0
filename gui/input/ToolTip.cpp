#include "gui/input/ToolTip.h"

#include "gui/controls/Canvas.h"
#include "gui/input/InputState.h"
#include "gui/renderer/Base.h"
#include "gui/skin/Base.h"
#include "gui/Utility.h"

namespace Gui
{
namespace ToolTip
{
namespace
{
Controls::Base* s_shown = nullptr;
}

bool TooltipActive()
{
    return s_shown != nullptr;
}

void Enable(Controls::Base* control)
{
    if (control->GetToolTip() != nullptr)
    {
        s_shown = control;
    }
}

void Disable(Controls::Base* control)
{
    if (s_shown == control)
    {
        s_shown = nullptr;
    }
}

void ControlDeleted(Controls::Base* control)
{
    Disable(control);
}

void Reset()
{
    s_shown = nullptr;
}

void RenderToolTip(Skin::Base* skin)
{
    if (s_shown == nullptr || skin == nullptr)
    {
        return;
    }
    Controls::Base* tip = s_shown->GetToolTip();
    Controls::Canvas* canvas = s_shown->GetCanvas();
    if (tip == nullptr || canvas == nullptr)
    {
        return;
    }
    Renderer::Base* render = skin->GetRender();
    const Point oldOffset = render->GetRenderOffset();
    const Point mouse = Input::GetMousePosition();
    Rect bounds = tip->GetBounds();
    bounds.x = (int)(mouse.x - bounds.w * 0.5f);
    bounds.y = mouse.y - bounds.h - 10;
    // Kept inside the canvas, so a tip near an edge is moved in rather than cut.
    bounds = Utility::ClampRectToRect(bounds, canvas->GetBounds());
    render->AddRenderOffset(bounds);
    render->EndClip();
    // Its own background, so the tip reads over whatever control lies under it.
    skin->DrawToolTip(tip);
    tip->DoRender(skin);
    render->SetRenderOffset(oldOffset);
}
}
}
