#pragma once

#include "engine/physics/PhysicsActor.h"

// A ball of a broadside: flies for its flight time, slowed by the air, then falls into the
// water; a hit on a ship of the other side ends it earlier (the contact listener does that).
class CannonBall : public PhysicsActor
{
public:
    // The velocity is given to the ball as an impulse, so heavier balls fly slower.
    CannonBall(float radius, float flightTime, bool ownerIsPlayer, float density, float damage,
               const Vector2& position, const Vector2& velocity);

    float GetFlightTime() const { return _flightTime; }
    float GetDamage() const { return _damage; }
    bool IsOwnerPlayer() const { return _ownerIsPlayer; }

    void Update(float dt) override;

private:
    void FallIntoWater();

    float _flightTime;
    float _damage;
    bool _ownerIsPlayer;
};
