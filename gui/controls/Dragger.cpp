#include "gui/controls/Dragger.h"

#include "gui/input/InputState.h"

namespace Gui
{
namespace ControlsInternal
{
GUI_CONTROL_IDENTIFIER(Dragger, "Controls::Base:Dragger")

Dragger::Dragger(Controls::Base* parent, const std::string& name) : Controls::Base(parent, name)
{
    SetMouseInputEnabled(true);
}

void Dragger::OnMouseClickLeft(int x, int y, bool down)
{
    if (down)
    {
        _held = true;
        if (_target != nullptr)
        {
            _holdPosition = _target->CanvasPosToLocal(Point(x, y));
        }
        MouseFocus = this;
        onDragStart.Fire(this);
        return;
    }
    _held = false;
    MouseFocus = nullptr;
}

void Dragger::OnMouseMotion(int x, int y, int deltaX, int deltaY)
{
    if (!_held)
    {
        return;
    }
    if (_doMove && _target != nullptr)
    {
        Point p(x - _holdPosition.x, y - _holdPosition.y);
        if (_target->GetParent() != nullptr)
        {
            p = _target->GetParent()->CanvasPosToLocal(p);
        }
        _target->MoveTo(p.x, p.y);
    }
    Event::Information information;
    information.Point = Point(deltaX, deltaY);
    onDragged.Fire(this, information);
}

void Dragger::OnMouseDoubleClickLeft(int, int) { onDoubleClickLeft.Fire(this); }
}
}
