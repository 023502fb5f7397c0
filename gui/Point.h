#pragma once

// A point in pixels.
namespace Gui
{
    struct Point
    {
        int x, y;

        Point(int x_ = 0, int y_ = 0) : x(x_), y(y_) {}

        bool operator==(const Point& o) const { return x == o.x && y == o.y; }
        bool operator!=(const Point& o) const { return !(*this == o); }
    };
}
