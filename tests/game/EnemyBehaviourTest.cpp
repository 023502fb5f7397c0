#include "game/ships/EnemyBehaviour.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
    const float Pi = 3.1415927f;

    // The game's one ship type, as a ship of it reports itself in battle.
    ShipSnapshot Testship(const Vector2& position, float heading, float speed = 0.0f)
    {
        ShipSnapshot ship;
        ship.position = position;
        ship.heading = heading;
        ship.size = Vector2(6.0f, 2.0f);
        ship.speedSetting = speed;
        ship.maxSpeed = 5.0f;
        ship.aimTarget = position;
        ship.broadsideTimer = 1.0f;
        ship.broadsideReload = 1.0f;
        ship.broadsideCannons = 4;
        ship.broadsidePorts = {Vector2(0.25f, 0.8f), Vector2(0.25f, -0.8f), Vector2(-0.25f, 0.8f), Vector2(-0.25f, -0.8f)};
        ship.ballImpulse = 25.0f;
        ship.ballDensity = 2.0f;
        ship.ballRadius = 0.5f;
        ship.ballFlightTime = 1.5f;
        ship.miniCannonTimer = 1.0f;
        ship.miniCannonReload = 1.0f;
        ship.miniCannonPorts = {Vector2(-0.8f, 0.8f), Vector2(-0.8f, -0.8f)};
        ship.miniCannonRange = 15.0f;
        ship.hull = {Vector2(-0.5f, -0.5f), Vector2(0.0f, -0.5f), Vector2(0.5f, 0.0f), Vector2(0.0f, 0.5f), Vector2(-0.5f, 0.5f)};
        return ship;
    }

    EnemySurroundings With(const ShipSnapshot& player)
    {
        EnemySurroundings surroundings;
        surroundings.player = &player;
        return surroundings;
    }

    // The heading error the steering produced, recovered from an unclamped turn.
    float HeadingToward(const Vector2& from, const Vector2& to)
    {
        return std::atan2(to.Y - from.Y, to.X - from.X);
    }
}

TEST(EnemySteering, WithoutPlayerCoastsWhileTheWanderAngleAdvances)
{
    const ShipSnapshot enemy = Testship(Vector2(50.0f, 50.0f), 0.3f, 3.0f);
    float wander = 1.0f;
    const SteeringCommand command = ComputeEnemySteering(wander, enemy, EnemySurroundings(), 0.5f);
    EXPECT_EQ(0.0f, command.turn);
    EXPECT_EQ(0.0f, command.throttle);
    EXPECT_FLOAT_EQ(1.125f, wander);
}

TEST(EnemySteering, WanderAngleWrapsAfterAFullTurn)
{
    const ShipSnapshot enemy = Testship(Vector2(0.0f, 0.0f), 0.0f);
    float wander = 6.28f;
    const Vector2 target = WanderTarget(wander, enemy, 0.1f);
    EXPECT_NEAR(6.305f - 6.283185f, wander, 1e-5f);
    EXPECT_NEAR(5.0f, target.Length(), 1e-4f);
}

TEST(EnemySteering, FarFromThePlayerHeadsForTheWanderPointAndAccelerates)
{
    const ShipSnapshot player = Testship(Vector2(30.0f, 0.0f), 2.0f, 5.0f);
    const ShipSnapshot enemy = Testship(Vector2(0.0f, 0.0f), 0.0f);
    float wander = Pi / 2.0f - 0.25f * 0.1f;  // reaches straight up (left of the bow) after the step
    const SteeringCommand command = ComputeEnemySteering(wander, enemy, With(player), 0.1f);
    EXPECT_EQ(1.0f, command.turn);
    // Five units to the wander point plus the player's speed, times the gain.
    EXPECT_NEAR(5.0f * (5.0f + 5.0f), command.throttle, 1e-3f);
}

TEST(EnemySteering, NearThePlayerClosesOnItsNearerFlank)
{
    // Player at the origin facing +X; enemy 10 units to its port side, facing away, both stopped.
    const ShipSnapshot player = Testship(Vector2(0.0f, 0.0f), 0.0f);
    const ShipSnapshot enemy = Testship(Vector2(0.0f, 10.0f), Pi);
    float wander = 0.0f;
    const SteeringCommand command = ComputeEnemySteering(wander, enemy, With(player), 0.0f);
    // The flank point is (0, 4): 0.5 * 2 + 0.5 * 2 + 2 from the player's centre, 6 units away.
    EXPECT_NEAR(5.0f * 6.0f, command.throttle, 1e-3f);
    const float error = HeadingToward(enemy.position, Vector2(0.0f, 4.0f)) - enemy.heading + 2.0f * Pi;
    EXPECT_EQ(error * 5.0f > 1.0f ? 1.0f : -1.0f, command.turn);
}

TEST(EnemySteering, TurnIsFiveTimesTheHeadingErrorClampedToOne)
{
    const ShipSnapshot player = Testship(Vector2(200.0f, 0.0f), 0.0f);
    for (float error : {0.1f, 0.3f, -0.1f})
    {
        const ShipSnapshot enemy = Testship(Vector2(0.0f, 0.0f), 0.0f);
        float wander = error - 0.25f * 0.01f;
        const SteeringCommand command = ComputeEnemySteering(wander, enemy, With(player), 0.01f);
        EXPECT_NEAR(std::fmax(-1.0f, std::fmin(1.0f, 5.0f * error)), command.turn, 1e-4f) << error;
    }
}

TEST(EnemySteering, TurningHardAboveHalfSpeedBacksTheThrottle)
{
    const ShipSnapshot player = Testship(Vector2(200.0f, 0.0f), 0.0f);
    float wander = 1.0f;
    const SteeringCommand fast = ComputeEnemySteering(wander, Testship(Vector2(0.0f, 0.0f), 0.0f, 3.0f), With(player), 0.0f);
    EXPECT_EQ(1.0f, fast.turn);
    EXPECT_EQ(-1.0f, fast.throttle);

    wander = 1.0f;
    const SteeringCommand slow = ComputeEnemySteering(wander, Testship(Vector2(0.0f, 0.0f), 0.0f, 2.5f), With(player), 0.0f);
    EXPECT_GT(slow.throttle, 0.0f);
}

TEST(EnemySteering, FollowsTheWakeOfAPlayerSailingTheSameWay)
{
    // Both at 2 of 5, below the half speed at which a hard turn would brake.
    const ShipSnapshot player = Testship(Vector2(10.0f, 0.0f), 0.0f, 2.0f);
    const ShipSnapshot enemy = Testship(Vector2(0.0f, 1.0f), 0.2f, 2.0f);
    float wander = 0.0f;
    const SteeringCommand command = ComputeEnemySteering(wander, enemy, With(player), 0.0f);
    // pp = (10.5, 0), sp = enemy + 0.25 * its velocity; the target lies as far beyond pp.
    const Vector2 enemyAhead = enemy.position + enemy.ForwardVelocity() * 0.25f;
    const Vector2 target = Vector2(10.5f, 0.0f) * 2.0f - enemyAhead;
    EXPECT_NEAR(5.0f * Vector2::Distance(target, enemy.position), command.throttle, 1e-3f);
    EXPECT_NEAR(std::fmax(-1.0f, 5.0f * (HeadingToward(enemy.position, target) - 0.2f)), command.turn, 1e-4f);
}

TEST(EnemySteering, SteersAroundAnotherEnemyOnACrossingCourse)
{
    // Player ahead but facing across, so the wake rule does not apply.
    const ShipSnapshot player = Testship(Vector2(20.0f, 0.0f), Pi / 2.0f);
    const ShipSnapshot enemy = Testship(Vector2(0.0f, 0.0f), 0.0f, 1.0f);
    EnemySurroundings surroundings = With(player);
    surroundings.otherEnemies.push_back(Testship(Vector2(8.0f, 0.0f), Pi / 2.0f, 1.0f));  // crossing ahead
    float wander = 0.0f;
    const SteeringCommand command = ComputeEnemySteering(wander, enemy, surroundings, 0.0f);
    // After three 0.6 s steps the two are 6.45 apart, so they meet at (8, 1.8); pass behind
    // the other ship: (8, 1.8) + (6 + 2) * (cos, sin)(pi/2 + pi) = (8, -6.2).
    const Vector2 behind(8.0f, -6.2f);
    EXPECT_NEAR(5.0f * (Vector2::Distance(behind, enemy.position) - 1.0f), command.throttle, 1e-3f);
    EXPECT_EQ(-1.0f, command.turn);
}

TEST(EnemySteering, PassesAParallelEnemyOnItsNearerSide)
{
    const ShipSnapshot player = Testship(Vector2(20.0f, 0.0f), Pi / 2.0f);
    const ShipSnapshot enemy = Testship(Vector2(0.0f, 0.5f), 0.0f, 1.0f);
    EnemySurroundings surroundings = With(player);
    surroundings.otherEnemies.push_back(Testship(Vector2(5.0f, 0.0f), 0.0f, 1.0f));
    float wander = 0.0f;
    const SteeringCommand command = ComputeEnemySteering(wander, enemy, surroundings, 0.0f);
    // Both sail +X at the same speed: they stay 5 apart, so the meeting point is 0.6 s ahead
    // (5.6, 0); its port point (5.6, 4) is nearer than (5.6, -4).
    const Vector2 side(5.6f, 4.0f);
    EXPECT_NEAR(5.0f * (Vector2::Distance(side, enemy.position) - 1.0f), command.throttle, 1e-3f);
    EXPECT_NEAR(5.0f * HeadingToward(enemy.position, side) > 1.0f ? 1.0f : 5.0f * HeadingToward(enemy.position, side),
                command.turn, 1e-4f);
}

TEST(EnemySteering, IgnoresEnemiesBehindOrFarAway)
{
    const ShipSnapshot player = Testship(Vector2(20.0f, 0.0f), Pi / 2.0f);
    const ShipSnapshot enemy = Testship(Vector2(0.0f, 0.0f), 0.0f, 1.0f);
    EnemySurroundings alone = With(player);
    EnemySurroundings crowded = With(player);
    crowded.otherEnemies.push_back(Testship(Vector2(-5.0f, 0.0f), 0.0f));   // behind
    crowded.otherEnemies.push_back(Testship(Vector2(18.5f, 0.0f), 0.0f));   // beyond 3 lengths
    float first = 0.0f;
    float second = 0.0f;
    const SteeringCommand expected = ComputeEnemySteering(first, enemy, alone, 0.0f);
    const SteeringCommand actual = ComputeEnemySteering(second, enemy, crowded, 0.0f);
    EXPECT_EQ(expected.turn, actual.turn);
    EXPECT_EQ(expected.throttle, actual.throttle);
}

TEST(EnemyBroadside, HoldsFireWhileReloadingOrWithoutPlayer)
{
    ShipSnapshot enemy = Testship(Vector2(0.0f, 0.0f), 0.0f);
    const ShipSnapshot player = Testship(Vector2(0.0f, 8.0f), 0.0f);
    EXPECT_FALSE(ShouldFireBroadside(enemy, nullptr, 1.0f / 60.0f));
    enemy.broadsideTimer = 1.0f;  // not strictly past the reload
    EXPECT_FALSE(ShouldFireBroadside(enemy, &player, 1.0f / 60.0f));
    enemy.broadsideTimer = 1.01f;
    EXPECT_TRUE(ShouldFireBroadside(enemy, &player, 1.0f / 60.0f));
}

TEST(EnemyBroadside, PredictsTheRangeOfADraggedBall)
{
    // A ball of mass 2 * pi * 0.25 = 1.571 leaves at 25 / 1.571 = 15.9 units/s and loses about
    // half its speed each second, so it carries about 15 units in its 1.5 s.
    ShipSnapshot enemy = Testship(Vector2(0.0f, 0.0f), 0.0f);
    enemy.broadsideTimer = 2.0f;
    const float tick = 1.0f / 60.0f;
    const ShipSnapshot inReach = Testship(Vector2(0.0f, 15.0f), 0.0f);
    const ShipSnapshot outOfReach = Testship(Vector2(0.0f, 19.0f), 0.0f);
    const ShipSnapshot starboard = Testship(Vector2(1.5f, -14.0f), 0.0f);
    EXPECT_TRUE(ShouldFireBroadside(enemy, &inReach, tick));
    EXPECT_FALSE(ShouldFireBroadside(enemy, &outOfReach, tick));
    EXPECT_TRUE(ShouldFireBroadside(enemy, &starboard, tick));
}

TEST(EnemyBroadside, DoesNotFireAlongTheKeel)
{
    ShipSnapshot enemy = Testship(Vector2(0.0f, 0.0f), 0.0f);
    enemy.broadsideTimer = 2.0f;
    const ShipSnapshot ahead = Testship(Vector2(12.0f, 0.0f), 0.0f);
    EXPECT_FALSE(ShouldFireBroadside(enemy, &ahead, 1.0f / 60.0f));
}

TEST(EnemyBroadside, LeadsAMovingPlayer)
{
    ShipSnapshot enemy = Testship(Vector2(0.0f, 0.0f), 0.0f);
    enemy.broadsideTimer = 2.0f;
    // The player crosses ahead of the guns: now out of the line of fire, in it by the time the balls arrive.
    const ShipSnapshot crossing = Testship(Vector2(-6.0f, 10.0f), 0.0f, 5.0f);
    const ShipSnapshot leaving = Testship(Vector2(4.0f, 10.0f), 0.0f, 5.0f);
    EXPECT_TRUE(ShouldFireBroadside(enemy, &crossing, 1.0f / 60.0f));
    EXPECT_FALSE(ShouldFireBroadside(enemy, &leaving, 1.0f / 60.0f));
}

TEST(EnemyMiniCannons, AimCreepsTowardThePlayer)
{
    ShipSnapshot enemy = Testship(Vector2(0.0f, 0.0f), 0.0f);
    const ShipSnapshot player = Testship(Vector2(10.0f, 0.0f), 0.0f);
    const MiniCannonAim aim = AimMiniCannons(enemy, &player, 1.0f / 60.0f);
    EXPECT_NEAR(0.125f, aim.aimTarget.X, 1e-5f);
    EXPECT_NEAR(0.0f, aim.aimTarget.Y, 1e-5f);
    EXPECT_FALSE(aim.request);
}

TEST(EnemyMiniCannons, SnapsBackWhenThePlayerIsOutOfReach)
{
    ShipSnapshot enemy = Testship(Vector2(0.0f, 0.0f), 0.0f);
    enemy.aimTarget = Vector2(5.0f, 0.0f);
    const ShipSnapshot player = Testship(Vector2(18.0f, 0.0f), 0.0f);  // reach is 3 + 15
    const MiniCannonAim aim = AimMiniCannons(enemy, &player, 0.1f);
    EXPECT_EQ(enemy.position, aim.aimTarget);
    EXPECT_FALSE(aim.request);
    EXPECT_EQ(enemy.position, AimMiniCannons(enemy, nullptr, 0.1f).aimTarget);
}

TEST(EnemyMiniCannons, FiresWhenTheRealMuzzlesReachThePlayer)
{
    // The muzzles stand 2.4 units astern of the centre: (-2.4, +-0.8).
    ShipSnapshot enemy = Testship(Vector2(0.0f, 0.0f), 0.0f);
    enemy.miniCannonTimer = 1.5f;
    // The aim already on a player whose stern is 15.5 ahead of the centre: in reach of the
    // centre, but 17.9 from the muzzles, which carry 15 units.
    ShipSnapshot far = Testship(Vector2(18.5f, 0.0f), 0.0f);
    enemy.aimTarget = Vector2(15.5f, 0.0f);
    EXPECT_FALSE(AimMiniCannons(enemy, &far, 0.0f).request);

    ShipSnapshot near = Testship(Vector2(14.0f, 0.0f), 0.0f);
    enemy.aimTarget = Vector2(12.0f, 0.0f);
    EXPECT_TRUE(AimMiniCannons(enemy, &near, 0.0f).request);

    enemy.miniCannonTimer = 0.5f;  // reloading
    EXPECT_FALSE(AimMiniCannons(enemy, &near, 0.0f).request);
}

TEST(EnemyFire, CombinesBroadsideAndMiniCannonDecisions)
{
    ShipSnapshot enemy = Testship(Vector2(0.0f, 0.0f), 0.0f);
    enemy.broadsideTimer = 2.0f;
    enemy.miniCannonTimer = 2.0f;
    const ShipSnapshot player = Testship(Vector2(-1.0f, 6.0f), 0.0f);
    enemy.aimTarget = player.position;
    const FireDecision decision = DecideEnemyFire(enemy, &player, 1.0f / 60.0f);
    EXPECT_TRUE(decision.broadside);
    EXPECT_TRUE(decision.miniCannons);
    EXPECT_EQ(player.position, decision.aimTarget);
}
