#include "game/ships/ContactDamage.h"

#include <box2d/box2d.h>

#include <cmath>

namespace
{
const float HalfMiddleZone = 0.7f;
const float BowFactor = 0.2f;
const float MiddleFactor = 1.0f;
const float SternFactor = 0.5f;
const float RammingDamagePerSpeed = 3.0f;

b2Vec2 VelocityAt(const b2Body* body, const Vector2& point)
{
    b2Vec2 arm = b2Vec2(point.X, point.Y) - body->GetWorldCenter();
    b2Vec2 velocity = body->GetLinearVelocity();
    float spin = body->GetAngularVelocity();
    return b2Vec2(velocity.x - spin * arm.y, velocity.y + spin * arm.x);
}
}

float HitZoneFactor(const b2Body* body, const Vector2& point)
{
    const b2Vec2& origin = body->GetPosition();
    float angle = body->GetAngle();
    float alongHeading = (point.X - origin.x) * std::cos(angle) + (point.Y - origin.y) * std::sin(angle);
    if (alongHeading > HalfMiddleZone)
        return BowFactor;
    if (alongHeading < -HalfMiddleZone)
        return SternFactor;
    return MiddleFactor;
}

float RelativeContactSpeed(const b2Body* bodyA, const b2Body* bodyB, const Vector2& point,
                           const Vector2& normal)
{
    b2Vec2 relative = VelocityAt(bodyB, point) - VelocityAt(bodyA, point);
    return std::fabs(relative.x * normal.X + relative.y * normal.Y);
}

RammingDamage ShareRammingDamage(float zoneFactorA, float zoneFactorB, float closingSpeed)
{
    float shareA = zoneFactorA / (zoneFactorA + zoneFactorB);
    float shareB = zoneFactorB / (zoneFactorA + zoneFactorB);
    float normalise = 1.0f / (shareA * shareA + shareB * shareB);
    float total = RammingDamagePerSpeed * closingSpeed * normalise;
    RammingDamage damage;
    damage.ToA = total * shareA * shareA;
    damage.ToB = total * shareB * shareB;
    return damage;
}
