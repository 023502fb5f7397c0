#include "gui/controls/Canvas.h"

#include "gui/animation/Animations.h"
#include "gui/input/DragAndDrop.h"
#include "gui/input/InputState.h"
#include "gui/input/Keys.h"
#include "gui/input/ToolTip.h"
#include "gui/renderer/Base.h"
#include "gui/skin/Base.h"

#include <cwctype>

namespace Gui
{
namespace Controls
{
Canvas::Canvas(Skin::Base* skin) : Base(nullptr)
{
    SetBounds(0, 0, 10000, 10000);
    SetScale(1.0f);
    if (skin != nullptr && skin->GetRender() != nullptr)
    {
        skin->GetRender()->SetScale(_scale);
    }
    OnScaleChanged();
    Redraw();
    if (skin != nullptr)
    {
        SetSkin(skin, false);
    }
}

Canvas::~Canvas()
{
    ReleaseChildren();
    // Controls queued for deletion that had left the tree go too.
    ProcessDelayedDeletes();
}

void Canvas::ReleaseChildren()
{
    while (!_children.empty())
    {
        Base* child = _children.front();
        _children.pop_front();
        delete child;
    }
}

void Canvas::AddDelayedDelete(Base* control)
{
    if (control == nullptr || control == this || _deleteSet.count(control) != 0)
    {
        return;
    }
    // A control queued on another canvas (it moved trees) is taken over by this one.
    if (control->_queuedOn != nullptr)
    {
        control->_queuedOn->RemoveDelayedDelete(control);
    }
    _deleteSet.insert(control);
    _deleteQueue.push_back(control);
    control->_queuedOn = this;
}

void Canvas::RemoveDelayedDelete(Base* control)
{
    if (_deleteSet.erase(control) == 0)
    {
        return;
    }
    _deleteQueue.remove(control);
    control->_queuedOn = nullptr;
}

void Canvas::ProcessDelayedDeletes()
{
    // One at a time from the queue itself: deleting a control deletes its descendants, and
    // their destructors take them out of the queue, so nothing is deleted twice. Controls
    // queued meanwhile are deleted in the same call.
    while (!_deleteQueue.empty())
    {
        Base* control = _deleteQueue.front();
        _deleteQueue.pop_front();
        _deleteSet.erase(control);
        control->_queuedOn = nullptr;
        control->PreDelete(GetSkin());
        delete control;
        Redraw();
    }
}

void Canvas::DoThink()
{
    ProcessDelayedDeletes();
    if (Hidden())
    {
        return;
    }
    Anim::Think();
    NextTab = nullptr;
    FirstTab = nullptr;
    ProcessDelayedDeletes();
    RecurseLayout(GetSkin());
    // Tab wraps from the last control to the first.
    if (NextTab == nullptr)
    {
        NextTab = FirstTab;
    }
    Input::OnCanvasThink(this);
}

void Canvas::RenderCanvas()
{
    DoThink();
    Skin::Base* skin = GetSkin();
    if (skin == nullptr || skin->GetRender() == nullptr)
    {
        return;
    }
    Renderer::Base* render = skin->GetRender();
    render->Begin();
    RecurseLayout(skin);
    render->SetClipRegion(GetBounds());
    render->SetRenderOffset(Point(0, 0));
    render->SetScale(Scale());
    if (_drawCanvasBackground)
    {
        render->SetDrawColor(_backgroundColor);
        render->DrawFilledRect(GetRenderBounds());
    }
    DoRender(skin);
    DragAndDrop::RenderOverlay(this, skin);
    ToolTip::RenderToolTip(skin);
    render->End();
}

void Canvas::Render(Skin::Base*)
{
    _needsRedraw = false;
}

void Canvas::OnBoundsChanged(Rect oldBounds)
{
    Base::OnBoundsChanged(oldBounds);
    InvalidateChildren(true);
}

void Canvas::SetScale(float scale)
{
    if (_scale == scale)
    {
        return;
    }
    _scale = scale;
    Skin::Base* skin = _skin;
    if (skin != nullptr && skin->GetRender() != nullptr)
    {
        skin->GetRender()->SetScale(scale);
    }
    OnScaleChanged();
    Redraw();
}

bool Canvas::OnMouseMoved(int x, int y, int deltaX, int deltaY)
{
    if (Hidden())
    {
        return false;
    }
    if (ToolTip::TooltipActive())
    {
        Redraw();
    }
    Input::OnMouseMoved(this, x, y);
    Base* hovered = HoveredControl;
    if (hovered == nullptr || hovered == this || hovered->GetCanvas() != this)
    {
        return false;
    }
    hovered->OnMouseMotion(x, y, deltaX, deltaY);
    hovered->UpdateCursor();
    DragAndDrop::OnMouseMoved(hovered, x, y);
    return true;
}

bool Canvas::OnMouseButton(int button, bool down)
{
    return !Hidden() && Input::OnMouseClicked(this, button, down);
}

void Canvas::OnMouseButtonLost(int button)
{
    Input::OnMouseButtonLost(this, button);
}

bool Canvas::OnKey(int key, bool down)
{
    if (Hidden() || key <= Key::Invalid || key >= Key::Count)
    {
        return false;
    }
    return Input::OnKeyEvent(this, key, down);
}

bool Canvas::OnCharacter(wchar_t character)
{
    if (Hidden() || !std::iswprint(character))
    {
        return false;
    }
    if (Input::HandleAccelerator(this, character))
    {
        return true;
    }
    if (KeyboardFocus != nullptr && KeyboardFocus->GetCanvas() == this && KeyboardFocus->Visible() &&
        !Input::IsControlDown())
    {
        return KeyboardFocus->OnChar(character);
    }
    return false;
}

bool Canvas::OnMouseWheel(int delta)
{
    if (Hidden())
    {
        return false;
    }
    Base* hovered = HoveredControl;
    if (hovered == nullptr || hovered == this || hovered->GetCanvas() != this)
    {
        return false;
    }
    return hovered->OnMouseWheeled(delta);
}
}
}
