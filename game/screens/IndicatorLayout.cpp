#include "game/screens/IndicatorLayout.h"

#include <iomanip>
#include <sstream>

namespace
{
    const float RingShareOfHeight = 0.8f * 0.5f;
    const float IndicatorRange = 100.0f;
}

IndicatorLayout::IndicatorLayout(int windowWidth, int windowHeight, float visibleWorldWidth)
    : _windowWidth(static_cast<float>(windowWidth)), _windowHeight(static_cast<float>(windowHeight)),
      _ringPixels(_windowHeight * RingShareOfHeight), _ringWorld(0.0f)
{
    const float pixelsPerUnit = visibleWorldWidth > 0.0f ? _windowWidth / visibleWorldWidth : 0.0f;
    _ringWorld = pixelsPerUnit > 0.0f ? _ringPixels / pixelsPerUnit : 0.0f;
}

bool IndicatorLayout::ShowsIndicator(float distance) const
{
    return _ringWorld < distance && distance < IndicatorRange;
}

Vector2 IndicatorLayout::IconPosition(const Vector2& offset) const
{
    // Window y grows downwards.
    const Vector2 direction = Vector2::Normalize(Vector2(offset.X, -offset.Y));
    return Vector2(_windowWidth * 0.5f + _ringPixels * direction.X, _windowHeight * 0.5f + _ringPixels * direction.Y);
}

String IndicatorLayout::DistanceText(float distance)
{
    std::ostringstream text;
    text << std::fixed << std::setprecision(0) << distance;
    return text.str();
}
