#pragma once

// A rectangle in pixels. Sizes are not clamped: a width computed as a difference (a control
// narrower than its borders) may be negative and is passed on as it is.
namespace Gui
{
    struct Rect
    {
        int x, y, w, h;

        Rect(int x_ = 0, int y_ = 0, int w_ = 0, int h_ = 0) : x(x_), y(y_), w(w_), h(h_) {}

        bool operator==(const Rect& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
        bool operator!=(const Rect& o) const { return !(*this == o); }
    };
}
