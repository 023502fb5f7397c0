#pragma once

// Four-sided spacings: the space a control keeps free inside itself (Padding) and around
// itself (Margin); the skin's nine-slice borders use the same record. Fields are stored top,
// bottom, left, right, but the constructor takes them as (left, top, right, bottom).
namespace Gui
{
    struct SideWidths
    {
        int top, bottom, left, right;

        SideWidths(int left_ = 0, int top_ = 0, int right_ = 0, int bottom_ = 0)
            : top(top_), bottom(bottom_), left(left_), right(right_)
        {
        }

        bool operator==(const SideWidths& o) const
        {
            return top == o.top && bottom == o.bottom && left == o.left && right == o.right;
        }
        bool operator!=(const SideWidths& o) const { return !(*this == o); }
    };

    struct Padding : SideWidths
    {
        using SideWidths::SideWidths;
    };

    struct Margin : SideWidths
    {
        using SideWidths::SideWidths;
    };
}
