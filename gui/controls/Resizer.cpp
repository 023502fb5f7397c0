#include "gui/controls/Resizer.h"

#include "gui/platform/Cursor.h"

#include <algorithm>

namespace Gui
{
namespace ControlsInternal
{
GUI_CONTROL_IDENTIFIER(Resizer, "Dragger:Resizer")

Resizer::Resizer(Controls::Base* parent, const std::string& name) : Dragger(parent, name)
{
    SetMouseInputEnabled(true);
    SetSize(6, 6);
}

void Resizer::SetResizeDir(int direction)
{
    _resizeDir = direction;
    const bool left = direction & Pos::Left;
    const bool right = direction & Pos::Right;
    const bool top = direction & Pos::Top;
    const bool bottom = direction & Pos::Bottom;
    if ((left && top) || (right && bottom))
    {
        SetCursor(WindowsLayer::CURSOR_SizeNWSE);
    }
    else if ((right && top) || (left && bottom))
    {
        SetCursor(WindowsLayer::CURSOR_SizeNESW);
    }
    else if (left || right)
    {
        SetCursor(WindowsLayer::CURSOR_SizeWE);
    }
    else if (top || bottom)
    {
        SetCursor(WindowsLayer::CURSOR_SizeNS);
    }
}

namespace
{
// Moves a left or top edge by delta; below the minimum that edge stops, so the opposite edge
// stays where it was.
void MoveNearEdge(int& position, int& size, int delta, int minimum)
{
    position -= delta;
    size += delta;
    if (size < minimum)
    {
        const int shortfall = minimum - size;
        size += shortfall;
        position -= shortfall;
    }
}
}

void Resizer::OnMouseMotion(int x, int y, int, int)
{
    if (_target == nullptr || !_held)
    {
        return;
    }
    Rect bounds = _target->GetBounds();
    const Point minimum = _target->GetMinimumSize();
    const Point cursor = _target->CanvasPosToLocal(Point(x, y));
    Point delta = _target->LocalPosToCanvas(_holdPosition);
    delta.x -= x;
    delta.y -= y;

    if (_resizeDir & Pos::Left)
    {
        MoveNearEdge(bounds.x, bounds.w, delta.x, minimum.x);
    }
    if (_resizeDir & Pos::Top)
    {
        MoveNearEdge(bounds.y, bounds.h, delta.y, minimum.y);
    }
    if (_resizeDir & Pos::Right)
    {
        const int width = std::max(minimum.x, bounds.w + (cursor.x - _holdPosition.x));
        _holdPosition.x += width - bounds.w;
        bounds.w = width;
    }
    if (_resizeDir & Pos::Bottom)
    {
        const int height = std::max(minimum.y, bounds.h + (cursor.y - _holdPosition.y));
        _holdPosition.y += height - bounds.h;
        bounds.h = height;
    }
    _target->SetBounds(bounds);
    onResize.Fire(this);
}
}
}
