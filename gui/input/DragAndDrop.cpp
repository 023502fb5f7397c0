#include "gui/input/DragAndDrop.h"

#include "gui/controls/Canvas.h"
#include "gui/input/InputState.h"
#include "gui/platform/Cursor.h"
#include "gui/renderer/Base.h"
#include "gui/skin/Base.h"

#include <cstdlib>

namespace Gui
{
namespace DragAndDrop
{
namespace
{
// Pointer travel (Manhattan) after a press that starts a drag.
const int kDragThreshold = 4;

Package* s_package = nullptr;
Controls::Base* s_hoverTarget = nullptr;
Controls::Base* s_source = nullptr;
Controls::Base* s_lastPressed = nullptr;
Point s_pressPosition;
Point s_lastPointer;

void Forget(Controls::Base*& reference, Controls::Base* control)
{
    if (reference == control)
    {
        reference = nullptr;
    }
}

bool OnDrop(int x, int y)
{
    bool success = false;
    if (s_hoverTarget != nullptr)
    {
        s_hoverTarget->DragAndDrop_HoverLeave(s_package);
        success = s_hoverTarget->DragAndDrop_HandleDrop(s_package, x, y);
    }
    if (s_source != nullptr)
    {
        s_source->DragAndDrop_EndDragging(success, x, y);
        s_source->Redraw();
    }
    s_package = nullptr;
    s_source = nullptr;
    s_hoverTarget = nullptr;
    return true;
}

bool ShouldStartDraggingControl(int x, int y)
{
    if (s_lastPressed == nullptr)
    {
        return false;
    }
    if (std::abs(x - s_pressPosition.x) + std::abs(y - s_pressPosition.y) <= kDragThreshold)
    {
        return false;
    }
    s_package = s_lastPressed->DragAndDrop_GetPackage(s_pressPosition.x, s_pressPosition.y);
    if (s_package == nullptr)
    {
        s_lastPressed = nullptr;
        s_source = nullptr;
        return false;
    }
    s_source = s_lastPressed;
    MouseFocus = nullptr;
    s_package->drawcontrol = nullptr;
    s_lastPressed = nullptr;
    if (!s_source->DragAndDrop_ShouldStartDrag())
    {
        s_source = nullptr;
        s_package = nullptr;
        return false;
    }
    s_source->DragAndDrop_StartDragging(s_package, s_pressPosition.x, s_pressPosition.y);
    return true;
}

void UpdateHoveredControl(Controls::Base* control, int x, int y)
{
    if (s_hoverTarget == control)
    {
        return;
    }
    if (s_hoverTarget != nullptr)
    {
        s_hoverTarget->DragAndDrop_HoverLeave(s_package);
    }
    Controls::Base* candidate = control == s_source ? nullptr : control;
    while (candidate != nullptr && !candidate->DragAndDrop_CanAcceptPackage(s_package))
    {
        candidate = candidate->GetParent();
    }
    s_hoverTarget = candidate;
    if (s_hoverTarget == nullptr)
    {
        WindowsLayer::SetCursor(WindowsLayer::CURSOR_No);
        return;
    }
    s_hoverTarget->DragAndDrop_HoverEnter(s_package, x, y);
}
}

bool Start(Controls::Base* control, Package* package)
{
    if (s_package != nullptr)
    {
        return false;
    }
    s_package = package;
    s_source = control;
    return true;
}

bool OnMouseButton(Controls::Base* hoveredControl, int x, int y, bool down)
{
    if (!down)
    {
        s_lastPressed = nullptr;
        return s_package != nullptr && OnDrop(x, y);
    }
    if (hoveredControl != nullptr && hoveredControl->DragAndDrop_Draggable())
    {
        s_pressPosition = Point(x, y);
        s_lastPressed = hoveredControl;
    }
    return false;
}

void OnMouseMoved(Controls::Base* hoveredControl, int x, int y)
{
    s_lastPointer = Point(x, y);
    if (s_package == nullptr && !ShouldStartDraggingControl(x, y))
    {
        return;
    }
    if (s_package->drawcontrol != nullptr)
    {
        s_package->drawcontrol->Redraw();
    }
    UpdateHoveredControl(hoveredControl, x, y);
    if (s_hoverTarget != nullptr)
    {
        s_hoverTarget->DragAndDrop_Hover(s_package, x, y);
        WindowsLayer::SetCursor(WindowsLayer::CURSOR_Arrow);
        if (hoveredControl != nullptr)
        {
            hoveredControl->Redraw();
        }
    }
}

void RenderOverlay(Controls::Canvas*, Skin::Base* skin)
{
    if (s_package == nullptr || s_package->drawcontrol == nullptr || s_source == nullptr || skin == nullptr)
    {
        return;
    }
    Renderer::Base* render = skin->GetRender();
    const Point oldOffset = render->GetRenderOffset();
    render->AddRenderOffset(Rect(s_lastPointer.x - s_package->holdoffsetx - s_source->X(),
                                 s_lastPointer.y - s_package->holdoffsety - s_source->Y()));
    s_package->drawcontrol->DoRender(skin);
    render->SetRenderOffset(oldOffset);
}

void ControlDeleted(Controls::Base* control)
{
    if (s_source == control)
    {
        s_source = nullptr;
        s_package = nullptr;
        s_hoverTarget = nullptr;
        s_lastPressed = nullptr;
    }
    Forget(s_lastPressed, control);
    Forget(s_hoverTarget, control);
}

Package* CurrentPackage()
{
    return s_package;
}

Controls::Base* SourceControl()
{
    return s_source;
}

void Reset()
{
    s_package = nullptr;
    s_hoverTarget = nullptr;
    s_source = nullptr;
    s_lastPressed = nullptr;
}
}
}
