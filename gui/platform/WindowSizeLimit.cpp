#include "gui/platform/WindowSizeLimit.h"

#include <string>

namespace Gui
{
namespace WindowsLayer
{
bool CanMakeWindow(int w, int h)
{
    return w >= 1 && h >= 1 && w <= kLargestWindowSide && h <= kLargestWindowSide &&
           (long long)w * h < kMostWindowPixels;
}

const char* WindowSizeRule()
{
    static const std::string rule = "sides from 1 to " + std::to_string(kLargestWindowSide) + " pixels, fewer than " +
                                    std::to_string(kMostWindowPixels) + " pixels in all";
    return rule.c_str();
}
}
}
