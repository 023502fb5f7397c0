#include "support/FramePixels.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>

namespace
{
const int kInkTolerance = 40;

bool Near(const FramePixels::Pixel& a, const FramePixels::Pixel& b, int tolerance)
{
    return std::abs(a.R - b.R) <= tolerance && std::abs(a.G - b.G) <= tolerance &&
           std::abs(a.B - b.B) <= tolerance;
}
}

FramePixels FramePixels::Read()
{
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    FramePixels frame;
    frame._width = viewport[2];
    frame._height = viewport[3];
    frame._rgb.resize(static_cast<size_t>(frame._width) * frame._height * 3);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, frame._width, frame._height, GL_RGB, GL_UNSIGNED_BYTE, frame._rgb.data());
    return frame;
}

FramePixels::Pixel FramePixels::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= _width || y >= _height)
    {
        return Pixel{-1, -1, -1};
    }
    // OpenGL rows run from the bottom up.
    const size_t index = (static_cast<size_t>(_height - 1 - y) * _width + x) * 3;
    return Pixel{_rgb[index], _rgb[index + 1], _rgb[index + 2]};
}

bool FramePixels::IsInk(int x, int y, const Pixel& background) const
{
    return !Near(At(x, y), background, kInkTolerance);
}

FramePixels::Box FramePixels::InkBox(const Pixel& background) const
{
    return InkBox(background, Box{0, 0, _width - 1, _height - 1});
}

FramePixels::Box FramePixels::InkBox(const Pixel& background, const Box& region) const
{
    Box box{_width, _height, -1, -1};
    for (int y = std::max(region.Top, 0); y <= std::min(region.Bottom, _height - 1); ++y)
    {
        for (int x = std::max(region.Left, 0); x <= std::min(region.Right, _width - 1); ++x)
        {
            if (IsInk(x, y, background))
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

int FramePixels::CountInk(const Pixel& background, const Box& region) const
{
    int count = 0;
    for (int y = std::max(region.Top, 0); y <= std::min(region.Bottom, _height - 1); ++y)
    {
        for (int x = std::max(region.Left, 0); x <= std::min(region.Right, _width - 1); ++x)
        {
            count += IsInk(x, y, background) ? 1 : 0;
        }
    }
    return count;
}

bool FramePixels::RegionIs(const Box& region, const Pixel& colour, int tolerance) const
{
    for (int y = region.Top; y <= region.Bottom; ++y)
    {
        for (int x = region.Left; x <= region.Right; ++x)
        {
            if (!Near(At(x, y), colour, tolerance))
            {
                return false;
            }
        }
    }
    return true;
}

bool operator==(const FramePixels::Pixel& a, const FramePixels::Pixel& b)
{
    return a.R == b.R && a.G == b.G && a.B == b.B;
}
