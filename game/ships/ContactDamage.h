#pragma once

#include "engine/math/Vector2.h"

class b2Body;

// How hard a hit is: where along the hull it lands and how fast the two bodies meet.

// Factor of the hull zone hit at a world point: bow 0.2, middle 1.0, stern 0.5. The zones
// are measured along the heading from the body's origin, in world units; the middle
// zone's edges at +-0.7 belong to it.
float HitZoneFactor(const b2Body* body, const Vector2& point);

// Speed at which the two bodies close along the contact normal at the point, with their
// rotation included; always 0 or more.
float RelativeContactSpeed(const b2Body* bodyA, const b2Body* bodyB, const Vector2& point,
                           const Vector2& normal);

// Total ramming damage is 3 times the closing speed; the ship hit in its weaker zone
// (the higher factor) takes the larger share.
struct RammingDamage
{
    float ToA;
    float ToB;
};
RammingDamage ShareRammingDamage(float zoneFactorA, float zoneFactorB, float closingSpeed);

// Ramming damage below this is not dealt: scraping ships don't wear each other down.
const float MinimumRammingDamage = 1.0f;
