#pragma once

#include "engine/math/Vector2.h"

#include <vector>

// Small polygon tests the enemy behaviour needs on hulls (counter-clockwise convex polygons).
class Geometry2D
{
public:
    // Inside or on the edge, as the physics point test answers for a convex fixture.
    static bool ConvexContains(const std::vector<Vector2>& polygon, const Vector2& point);
};
