#include "support/InkWindow.h"

#include <GL/gl.h>

#include <algorithm>

namespace
{
const int kInkTolerance = 40;
}

void InkWindow::ClearWindow()
{
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

bool InkWindow::IsInk(int x, int y)
{
    return !IsColor(ReadPixel(x, y), 255, 255, 255, kInkTolerance);
}

InkWindow::Box InkWindow::InkBox(const Box& region, const std::function<bool(const Pixel&)>& matches)
{
    Box box{Width, Height, -1, -1};
    for (int y = std::max(region.Top, 0); y <= std::min(region.Bottom, Height - 1); ++y)
    {
        for (int x = std::max(region.Left, 0); x <= std::min(region.Right, Width - 1); ++x)
        {
            if (matches ? matches(ReadPixel(x, y)) : IsInk(x, y))
            {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x);
                box.Bottom = std::max(box.Bottom, y);
            }
        }
    }
    return box;
}

std::vector<InkWindow::Box> InkWindow::InkBands(const Box& region)
{
    std::vector<Box> bands;
    bool inBand = false;
    for (int y = region.Top; y <= region.Bottom; ++y)
    {
        const Box row = InkBox(Box{region.Left, y, region.Right, y});
        if (row.Empty())
        {
            inBand = false;
            continue;
        }
        if (!inBand)
        {
            bands.push_back(row);
            inBand = true;
        }
        Box& band = bands.back();
        band.Left = std::min(band.Left, row.Left);
        band.Right = std::max(band.Right, row.Right);
        band.Bottom = y;
    }
    return bands;
}

std::vector<int> InkWindow::InkColumns(int row, int left, int right)
{
    std::vector<int> columns;
    for (int x = std::max(left, 0); x <= std::min(right, Width - 1); ++x)
    {
        if (IsInk(x, row))
        {
            columns.push_back(x);
        }
    }
    return columns;
}
