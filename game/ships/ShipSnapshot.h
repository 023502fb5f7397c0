#pragma once

#include "engine/math/Vector2.h"

#include <vector>

// What the enemy behaviour reads of a ship in one tick: where it is, how it sails, what its
// weapons can do. Plain values, so decisions can be computed (and tested) without physics.
struct ShipSnapshot
{
    Vector2 position;
    float heading = 0.0f;          // radians
    Vector2 size;                  // effective length and width
    float speedSetting = 0.0f;
    float maxSpeed = 0.0f;         // effective upper bound of the speed setting
    Vector2 aimTarget;

    float broadsideTimer = 0.0f;
    float broadsideReload = 0.0f;
    float ballImpulse = 0.0f;      // effective sideways impulse per ball
    float ballDensity = 0.0f;
    float ballRadius = 0.0f;
    float ballFlightTime = 0.0f;

    float miniCannonTimer = 0.0f;
    float miniCannonReload = 0.0f;
    // Fractions of half the length and half the width where the guns fire from; the enemy's
    // decision to fire takes them as offsets in world units.
    std::vector<Vector2> miniCannonPorts;
    float miniCannonRange = 0.0f;

    // Hull corners in units of length and width, counter-clockwise.
    std::vector<Vector2> hull;

    Vector2 Forward() const;
    Vector2 ForwardVelocity() const;
    // The launch impulses of a broadside: the sideways part plus the ship's own way.
    Vector2 PortVelocity() const;
    Vector2 StarboardVelocity() const;
    // A ship-local offset (world units) turned into a world point.
    Vector2 LocalToWorld(const Vector2& offset) const;
    std::vector<Vector2> WorldHull() const;
    bool HullContains(const Vector2& point) const;
};
