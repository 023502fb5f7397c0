#include "game/ships/Geometry2D.h"

bool Geometry2D::ConvexContains(const std::vector<Vector2>& polygon, const Vector2& point)
{
    if (polygon.size() < 3)
        return false;
    for (size_t i = 0; i < polygon.size(); ++i)
    {
        const Vector2& a = polygon[i];
        const Vector2& b = polygon[(i + 1) % polygon.size()];
        if (Vector2::Cross(b - a, point - a) < 0.0f)
            return false;
    }
    return true;
}
