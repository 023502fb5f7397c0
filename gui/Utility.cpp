#include "gui/Utility.h"

namespace Gui
{
namespace Utility
{
Rect ClampRectToRect(Rect inside, const Rect& outside, bool clampSize)
{
    if (inside.x < outside.x)
    {
        inside.x = outside.x;
    }
    if (inside.y < outside.y)
    {
        inside.y = outside.y;
    }
    if (inside.x + inside.w > outside.x + outside.w)
    {
        if (clampSize)
        {
            inside.w = outside.w;
        }
        else
        {
            inside.x = outside.x + outside.w - inside.w;
        }
    }
    if (inside.y + inside.h > outside.y + outside.h)
    {
        if (clampSize)
        {
            inside.h = outside.h;
        }
        else
        {
            inside.y = outside.y + outside.h - inside.h;
        }
    }
    return inside;
}
}
}
