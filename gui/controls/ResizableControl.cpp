#include "gui/controls/ResizableControl.h"

#include "gui/controls/Resizer.h"

#include <algorithm>

namespace Gui
{
namespace Controls
{
GUI_CONTROL_IDENTIFIER(ResizableControl, "Base:ResizableControl")

ResizableControl::ResizableControl(Base* parent, const std::string& name) : Base(parent, name)
{
    // Docked in this order, the top and bottom strips span the full width and the left and
    // right ones fill the height between them; the corners sit at the strips' ends.
    Base* bottom = MakeResizer(this, 2, Pos::Bottom, Pos::Bottom);
    MakeResizer(bottom, 1, Pos::Left, Pos::Left | Pos::Bottom);
    MakeResizer(bottom, 3, Pos::Right, Pos::Right | Pos::Bottom);
    Base* top = MakeResizer(this, 8, Pos::Top, Pos::Top);
    MakeResizer(top, 7, Pos::Left, Pos::Left | Pos::Top);
    MakeResizer(top, 9, Pos::Right, Pos::Right | Pos::Top);
    MakeResizer(this, 4, Pos::Left, Pos::Left);
    MakeResizer(this, 6, Pos::Right, Pos::Right);
}

ControlsInternal::Resizer* ResizableControl::MakeResizer(Base* parent, int slot, int dock, int direction)
{
    ControlsInternal::Resizer* resizer = new ControlsInternal::Resizer(parent);
    resizer->Dock(dock);
    resizer->SetResizeDir(direction);
    resizer->SetTarget(this);
    resizer->onResize.AddHandler(this, &ResizableControl::OnResizedInternal);
    _resizers[slot] = resizer;
    return resizer;
}

void ResizableControl::OnResizedInternal(Base*)
{
    onResize.Fire(this);
    OnResized();
}

ControlsInternal::Resizer* ResizableControl::GetResizer(int index)
{
    if (index < 0 || index >= kResizerSlots)
    {
        return nullptr;
    }
    return _resizers[index];
}

void ResizableControl::DisableResizing()
{
    // The corners are children of the top and bottom strips, not of this control, so the
    // table is walked rather than the children.
    for (ControlsInternal::Resizer* resizer : _resizers)
    {
        if (resizer != nullptr)
        {
            resizer->SetMouseInputEnabled(false);
            resizer->SetHidden(false);
        }
    }
    const int width = _resizers[4]->Width();
    SetPadding(Padding(width, width, width, width));
}

bool ResizableControl::SetBounds(int x, int y, int w, int h)
{
    w = std::max(w, _minimumSize.x);
    h = std::max(h, _minimumSize.y);
    Base* parent = GetParent();
    if (_clampMovement && parent != nullptr)
    {
        x = std::max(0, std::min(x, parent->Width() - w));
        y = std::max(0, std::min(y, parent->Height() - h));
    }
    return Base::SetBounds(x, y, w, h);
}
}
}
