#pragma once

#include "engine/math/Vector2.h"

#include <box2d/box2d.h>

class CannonBall;
class Ship;

// Decides which contacts are solved (balls pass through their own side's ships and through
// the arena walls) and turns rams and ball hits into damage.
class ShipContactListener : public b2ContactListener
{
public:
    ShipContactListener();
    virtual ~ShipContactListener();

    void BeginContact(b2Contact* contact) override;
    void EndContact(b2Contact* contact) override;
    void PreSolve(b2Contact* contact, const b2Manifold* oldManifold) override;
    void PostSolve(b2Contact* contact, const b2ContactImpulse* impulse) override;

    int GetContactCount() const { return _contactCount; }

private:
    int _contactCount;
};

float HitZoneFactor(const Ship* ship, const Vector2& point);
void ApplyRammingDamage(Ship* shipA, Ship* shipB, const Vector2& point, const Vector2& normal);
void ApplyCannonBallHit(Ship* ship, CannonBall* ball, const Vector2& point, const Vector2& normal);
