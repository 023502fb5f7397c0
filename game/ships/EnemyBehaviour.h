#pragma once

#include "game/ships/ShipSnapshot.h"

#include <vector>

// Turn and throttle for one tick, in the ranges of the player's keys (throttle unclamped).
struct SteeringCommand
{
    float turn = 0.0f;
    float throttle = 0.0f;
};

struct MiniCannonAim
{
    bool request = false;
    Vector2 aimTarget;
};

struct FireDecision
{
    bool broadside = false;
    bool miniCannons = false;
    Vector2 aimTarget;
};

// The enemy's view of the battle: the player (null when sunk) and every other enemy.
struct EnemySurroundings
{
    const ShipSnapshot* player = nullptr;
    std::vector<ShipSnapshot> otherEnemies;
};

// Steering: wander while the player is far, close in on the player's nearer flank, follow the
// wake when sailing the same way, and steer around other enemies ahead.
Vector2 WanderTarget(float& wanderAngle, const ShipSnapshot& enemy, float dt);
SteeringCommand ComputeEnemySteering(float& wanderAngle, const ShipSnapshot& enemy,
                                     const EnemySurroundings& surroundings, float dt);
// Whether a broadside fired now would hit the player: a point abeam on each side, a full
// width from the centre, is stepped along the launch vector in quarter seconds over the balls'
// flight time, and counts when it comes within 0.5 of the player's centre.
bool ShouldFireBroadside(const ShipSnapshot& enemy, const ShipSnapshot* player, float dt);
// Creeps the aim toward the player while the two are close; the request says whether the
// port fractions, taken unscaled as muzzles, would put the aim inside the player's hull.
MiniCannonAim AimMiniCannons(const ShipSnapshot& enemy, const ShipSnapshot* player, float dt);
FireDecision DecideEnemyFire(const ShipSnapshot& enemy, const ShipSnapshot* player, float dt);
