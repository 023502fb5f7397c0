#pragma once

#include "engine/math/Vector2.h"
#include "engine/util/StringTypes.h"

// Where the battle HUD points at an enemy out of sight: on a ring around the window centre
// (0.4 of the window height), in the enemy's direction, for enemies beyond the ring but
// within 100 world units of the player.
class IndicatorLayout
{
public:
    IndicatorLayout(int windowWidth, int windowHeight, float visibleWorldWidth);

    float GetRingRadiusPixels() const { return _ringPixels; }
    float GetRingRadiusWorld() const { return _ringWorld; }
    // Strictly beyond the ring and strictly nearer than 100 units.
    bool ShowsIndicator(float distance) const;
    // The icon's centre in window pixels for an enemy offset (world units) from the player.
    Vector2 IconPosition(const Vector2& offset) const;

    // The distance in whole units, rounded: 42.6 reads "43".
    static String DistanceText(float distance);

private:
    float _windowWidth;
    float _windowHeight;
    float _ringPixels;
    float _ringWorld;
};
