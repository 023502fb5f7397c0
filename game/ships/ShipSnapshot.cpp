#include "game/ships/ShipSnapshot.h"

#include "game/ships/Geometry2D.h"

#include <cmath>

Vector2 ShipSnapshot::Forward() const
{
    return Vector2(std::cos(heading), std::sin(heading));
}

Vector2 ShipSnapshot::ForwardVelocity() const
{
    return Forward() * speedSetting;
}

static Vector2 SidewaysImpulse(const ShipSnapshot& ship)
{
    const float side = ship.heading + 1.5707964f;
    return Vector2(std::cos(side), std::sin(side)) * ship.ballImpulse;
}

Vector2 ShipSnapshot::PortVelocity() const
{
    return SidewaysImpulse(*this) + ForwardVelocity();
}

Vector2 ShipSnapshot::StarboardVelocity() const
{
    return ForwardVelocity() - SidewaysImpulse(*this);
}

Vector2 ShipSnapshot::LocalToWorld(const Vector2& offset) const
{
    return position + Vector2::Rotate(offset, heading);
}

std::vector<Vector2> ShipSnapshot::WorldHull() const
{
    std::vector<Vector2> corners;
    corners.reserve(hull.size());
    for (const Vector2& corner : hull)
        corners.push_back(LocalToWorld(Vector2(corner.X * size.X, corner.Y * size.Y)));
    return corners;
}

bool ShipSnapshot::HullContains(const Vector2& point) const
{
    return Geometry2D::ConvexContains(WorldHull(), point);
}
