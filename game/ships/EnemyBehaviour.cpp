#include "game/ships/EnemyBehaviour.h"

#include <algorithm>
#include <cmath>

namespace
{
    const float TwoPi = 6.283185f;
    const float Pi = 3.1415927f;
    const float WanderTurnRate = 0.25f;
    const float WanderRadius = 5.0f;
    const float EngageDistance = 25.0f;
    const float FlankClearance = 2.0f;
    const float WakeHeadingLimit = 0.7853982f;
    const float WakeSpeedLimit = 8.0f;
    const float PredictionStep = 0.25f;
    const float AvoidMinCosine = 0.6f;
    const float AvoidLengths = 3.0f;
    const float AvoidStep = 0.6f;
    const int AvoidSteps = 5;
    const float AvoidCollisionDistance = 6.5f;
    const float ParallelCosine = 0.8f;
    const float SteeringGain = 5.0f;
    const float HardTurn = 0.35f;
    const float BrakeSpeedRatio = 0.5f;
    const float MiniCannonReach = 15.0f;
    const float AimSpeed = 7.5f;
    const float BroadsideHitRadius = 0.5f;
    // Steps of the broadside prediction per second of the balls' flight.
    const float PredictionStepsPerSecond = 4.0f;
    // Far beyond any ball's flight; keeps a broken flight time from overflowing the count.
    const float MaxPredictionSteps = 10000.0f;

    Vector2 Direction(float angle)
    {
        return Vector2(std::cos(angle), std::sin(angle));
    }

    Vector2 NearerOf(const Vector2& from, const Vector2& first, const Vector2& second)
    {
        return Vector2::Distance(from, second) < Vector2::Distance(from, first) ? second : first;
    }

    Vector2 FlankPoint(const ShipSnapshot& enemy, const ShipSnapshot& player)
    {
        const Vector2 side = Direction(player.heading + Pi / 2.0f);
        const float clearance = 0.5f * player.size.Y + 0.5f * enemy.size.Y + FlankClearance;
        return NearerOf(enemy.position, player.position + side * clearance, player.position - side * clearance);
    }

    bool FollowWake(const ShipSnapshot& enemy, const ShipSnapshot& player, Vector2& target)
    {
        const float headingDifference = std::fabs(player.heading - enemy.heading);
        const Vector2 playerVelocity = player.ForwardVelocity();
        const Vector2 enemyDirection = Vector2::Normalize(enemy.ForwardVelocity());
        if (headingDifference >= WakeHeadingLimit || Vector2::Dot(playerVelocity, enemyDirection) >= WakeSpeedLimit)
            return false;
        const Vector2 playerAhead = player.position + playerVelocity * PredictionStep;
        const Vector2 enemyAhead = enemy.position + enemy.ForwardVelocity() * PredictionStep;
        target = playerAhead + (playerAhead - enemyAhead);
        return true;
    }

    // The other enemy most in the way: ahead (cosine at least 0.6), near, preferring close and straight ahead.
    const ShipSnapshot* MostInTheWay(const ShipSnapshot& enemy, const std::vector<ShipSnapshot>& others)
    {
        const Vector2 ahead = Vector2::Normalize(enemy.ForwardVelocity());
        const ShipSnapshot* kept = nullptr;
        float bestScore = 0.0f;
        for (const ShipSnapshot& other : others)
        {
            const Vector2 offset = other.position - enemy.position;
            const float distance = offset.Length();
            const float cosine = Vector2::Dot(Vector2::Normalize(offset), ahead);
            if (cosine < AvoidMinCosine || distance > AvoidLengths * enemy.size.X)
                continue;
            const float score = distance > 0.0f ? cosine / distance : cosine * 1e30f;
            if (!kept || score > bestScore)
            {
                kept = &other;
                bestScore = score;
            }
        }
        return kept;
    }

    Vector2 AvoidancePoint(const ShipSnapshot& enemy, const ShipSnapshot& other)
    {
        Vector2 meeting = other.position;
        Vector2 otherAhead = other.position;
        Vector2 selfAhead = enemy.position;
        for (int step = 0; step < AvoidSteps; ++step)
        {
            otherAhead += other.ForwardVelocity() * AvoidStep;
            selfAhead += enemy.ForwardVelocity() * AvoidStep;
            if (Vector2::Distance(selfAhead, otherAhead) < AvoidCollisionDistance)
            {
                meeting = otherAhead;
                break;
            }
        }
        const Vector2 otherDirection = Vector2::Normalize(other.ForwardVelocity());
        const Vector2 ownDirection = Vector2::Normalize(enemy.ForwardVelocity());
        if (std::fabs(Vector2::Dot(otherDirection, ownDirection)) > ParallelCosine)
        {
            const Vector2 side = Direction(other.heading + Pi / 2.0f);
            const float clearance = other.size.Y + enemy.size.Y;
            return NearerOf(enemy.position, meeting + side * clearance, meeting - side * clearance);
        }
        // Crossing courses: pass behind the other ship.
        return meeting + Direction(other.heading + Pi) * (other.size.X + enemy.size.Y);
    }

    SteeringCommand SteerToward(const Vector2& target, const ShipSnapshot& enemy, const ShipSnapshot& player)
    {
        const Vector2 toTarget = Vector2::Normalize(target - enemy.position);
        float error = std::atan2(toTarget.Y, toTarget.X) - enemy.heading;
        if (error > Pi)
            error -= TwoPi;
        else if (error < -Pi)
            error += TwoPi;

        SteeringCommand command;
        command.turn = std::clamp(SteeringGain * error, -1.0f, 1.0f);
        command.throttle = SteeringGain * (Vector2::Distance(target, enemy.position) + player.speedSetting - enemy.speedSetting);
        const float speedRatio = enemy.maxSpeed > 0.0f ? enemy.speedSetting / enemy.maxSpeed : 0.0f;
        if (std::fabs(command.turn) > HardTurn && speedRatio > BrakeSpeedRatio)
            command.throttle = -1.0f;
        return command;
    }

    bool WithinHitRadius(const Vector2& first, const Vector2& second, const Vector2& target)
    {
        return Vector2::Distance(first, target) < BroadsideHitRadius || Vector2::Distance(second, target) < BroadsideHitRadius;
    }
}

Vector2 WanderTarget(float& wanderAngle, const ShipSnapshot& enemy, float dt)
{
    wanderAngle += WanderTurnRate * dt;
    if (wanderAngle > TwoPi)
        wanderAngle -= TwoPi;
    return enemy.position + Direction(wanderAngle) * WanderRadius;
}

SteeringCommand ComputeEnemySteering(float& wanderAngle, const ShipSnapshot& enemy,
                                     const EnemySurroundings& surroundings, float dt)
{
    Vector2 target = WanderTarget(wanderAngle, enemy, dt);
    if (!surroundings.player)
        return SteeringCommand();
    const ShipSnapshot& player = *surroundings.player;

    if (Vector2::Distance(enemy.position, player.position) < EngageDistance)
    {
        target = FlankPoint(enemy, player);
        Vector2 wake;
        if (FollowWake(enemy, player, wake))
            target = wake;
        else if (enemy.speedSetting > 0.0f)
        {
            if (const ShipSnapshot* other = MostInTheWay(enemy, surroundings.otherEnemies))
                target = AvoidancePoint(enemy, *other);
        }
    }
    return SteerToward(target, enemy, player);
}

bool ShouldFireBroadside(const ShipSnapshot& enemy, const ShipSnapshot* player, float dt)
{
    if (!player || !(enemy.broadsideTimer > enemy.broadsideReload))
        return false;

    // The enemy's guess at its balls: one point per side, abeam a full width from the centre,
    // sails at the launch vector over this divisor, a little faster every step.
    const float divisor = 2.0f * Pi * enemy.ballDensity * enemy.ballRadius;
    Vector2 port = enemy.LocalToWorld(Vector2(0.0f, enemy.size.Y));
    Vector2 starboard = enemy.LocalToWorld(Vector2(0.0f, -enemy.size.Y));
    Vector2 target = player->position;
    if (WithinHitRadius(port, starboard, target))
        return true;
    // Balls without mass or size give no launch speed to predict with.
    if (!(divisor > 0.0f))
        return false;

    Vector2 portVelocity = enemy.PortVelocity() / divisor;
    Vector2 starboardVelocity = enemy.StarboardVelocity() / divisor;
    const Vector2 playerVelocity = player->ForwardVelocity();
    const float growth = std::exp(dt);
    const float stepCount = std::floor(enemy.ballFlightTime * PredictionStepsPerSecond + 0.5f);
    const int steps = stepCount > 0.0f ? static_cast<int>(std::min(stepCount, MaxPredictionSteps)) : 0;
    bool hit = false;
    for (int step = 0; step < steps; ++step)
    {
        port += portVelocity * PredictionStep;
        starboard += starboardVelocity * PredictionStep;
        target += playerVelocity * PredictionStep;
        portVelocity *= growth;
        starboardVelocity *= growth;
        hit = hit || WithinHitRadius(port, starboard, target);
    }
    return hit;
}

MiniCannonAim AimMiniCannons(const ShipSnapshot& enemy, const ShipSnapshot* player, float dt)
{
    MiniCannonAim aim;
    aim.aimTarget = enemy.position;
    if (!player)
        return aim;

    const float reach = 0.5f * player->size.X + MiniCannonReach;
    if (!(Vector2::Distance(player->position, enemy.position) < reach)
        || !(Vector2::Distance(enemy.aimTarget, player->position) < reach))
        return aim;

    const float creep = AimSpeed * dt;
    const Vector2 toPlayer = player->position - enemy.aimTarget;
    aim.aimTarget = toPlayer.Length() <= creep ? player->position
                                               : enemy.aimTarget + Vector2::Normalize(toPlayer) * creep;
    if (!(enemy.miniCannonTimer > enemy.miniCannonReload))
        return aim;

    for (const Vector2& port : enemy.miniCannonPorts)
    {
        // The port fractions as they stand, not scaled by the hull: the decision's own muzzles.
        const Vector2 muzzle = enemy.LocalToWorld(port);
        Vector2 target = aim.aimTarget;
        if (Vector2::Distance(target, muzzle) > enemy.miniCannonRange)
            target = muzzle + Vector2::Normalize(target - muzzle) * enemy.miniCannonRange;
        aim.request = player->HullContains(target);
    }
    return aim;
}

FireDecision DecideEnemyFire(const ShipSnapshot& enemy, const ShipSnapshot* player, float dt)
{
    FireDecision decision;
    decision.broadside = ShouldFireBroadside(enemy, player, dt);
    const MiniCannonAim aim = AimMiniCannons(enemy, player, dt);
    decision.miniCannons = aim.request;
    decision.aimTarget = aim.aimTarget;
    return decision;
}
