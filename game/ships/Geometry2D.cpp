#include "game/ships/Geometry2D.h"

#include <algorithm>
#include <limits>

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

float Geometry2D::DistanceToSegment(const Vector2& a, const Vector2& b, const Vector2& point)
{
    const Vector2 edge = b - a;
    const float lengthSquared = edge.LengthSquared();
    float t = 0.0f;
    if (lengthSquared > 0.0f)
        t = std::clamp(Vector2::Dot(point - a, edge) / lengthSquared, 0.0f, 1.0f);
    return Vector2::Distance(a + edge * t, point);
}

float Geometry2D::DistanceToConvex(const std::vector<Vector2>& polygon, const Vector2& point)
{
    if (polygon.empty())
        return std::numeric_limits<float>::max();
    if (ConvexContains(polygon, point))
        return 0.0f;
    float nearest = std::numeric_limits<float>::max();
    for (size_t i = 0; i < polygon.size(); ++i)
        nearest = std::min(nearest, DistanceToSegment(polygon[i], polygon[(i + 1) % polygon.size()], point));
    return nearest;
}
