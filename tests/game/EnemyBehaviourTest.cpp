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
    const ShipSnapshot player = Testship(Vector2(0.0f, 6.0f), 0.0f);
    EXPECT_FALSE(ShouldFireBroadside(enemy, nullptr, 1.0f / 60.0f));
    enemy.broadsideTimer = 1.0f;  // not strictly past the reload
    EXPECT_FALSE(ShouldFireBroadside(enemy, &player, 1.0f / 60.0f));
    enemy.broadsideTimer = 1.01f;
    EXPECT_TRUE(ShouldFireBroadside(enemy, &player, 1.0f / 60.0f));
}

TEST(EnemyBroadside, APlayerBesideAStartPointIsFiredAtWithoutStepping)
{
    // The start points lie a full width (2) abeam; with no flight time there are no steps.
    ShipSnapshot enemy = Testship(Vector2(0.0f, 0.0f), 0.0f);
    enemy.broadsideTimer = 2.0f;
    enemy.ballFlightTime = 0.0f;
    const ShipSnapshot nearPort = Testship(Vector2(0.0f, 2.4f), 0.0f);
    const ShipSnapshot nearStarboard = Testship(Vector2(0.4f, -2.0f), 0.0f);
    const ShipSnapshot tooFar = Testship(Vector2(0.0f, 2.6f), 0.0f);
    EXPECT_TRUE(ShouldFireBroadside(enemy, &nearPort, 1.0f / 60.0f));
    EXPECT_TRUE(ShouldFireBroadside(enemy, &nearStarboard, 1.0f / 60.0f));
    EXPECT_FALSE(ShouldFireBroadside(enemy, &tooFar, 1.0f / 60.0f));
}

TEST(EnemyBroadside, AStoppedEnemyReachesAboutEightUnitsAbeam)
{
    // Worked by hand for a 1/60 s tick: the launch vector 25 over 2 pi x 2 x 0.5 is 3.979
    // units/s, so the port point goes 0.995 in the first quarter second, each step 1.0168
    // times the last: 2, 2.995, 4.006, 5.035, 6.080, 7.144, 8.225 units abeam.
    ShipSnapshot enemy = Testship(Vector2(0.0f, 0.0f), 0.0f);
    enemy.broadsideTimer = 2.0f;
    const float tick = 1.0f / 60.0f;
    for (float abeam : {4.2f, 6.0f, 8.0f})
    {
        const ShipSnapshot port = Testship(Vector2(0.0f, abeam), 0.0f);
        const ShipSnapshot starboard = Testship(Vector2(0.0f, -abeam), 0.0f);
        EXPECT_TRUE(ShouldFireBroadside(enemy, &port, tick)) << abeam;
        EXPECT_TRUE(ShouldFireBroadside(enemy, &starboard, tick)) << abeam;
    }
    // Between two steps (0.52 and 0.54 from the nearest), beyond the last, ahead, abeam but off the line.
    for (const Vector2& miss : {Vector2(0.0f, 6.6f), Vector2(0.0f, 12.0f), Vector2(0.0f, 18.0f),
                                Vector2(8.0f, 0.0f), Vector2(0.6f, 6.0f)})
    {
        const ShipSnapshot player = Testship(miss, 0.0f);
        EXPECT_FALSE(ShouldFireBroadside(enemy, &player, tick)) << miss.X << ", " << miss.Y;
    }
}

TEST(EnemyBroadside, TurnsWithTheHeadingAndLeadsAMovingPlayer)
{
    ShipSnapshot enemy = Testship(Vector2(10.0f, 10.0f), Pi / 2.0f);
    enemy.broadsideTimer = 2.0f;
    // Facing +Y, the port side is -X.
    const ShipSnapshot west = Testship(Vector2(4.0f, 10.0f), 0.0f);
    const ShipSnapshot north = Testship(Vector2(10.0f, 16.0f), 0.0f);
    EXPECT_TRUE(ShouldFireBroadside(enemy, &west, 1.0f / 60.0f));
    EXPECT_FALSE(ShouldFireBroadside(enemy, &north, 1.0f / 60.0f));

    // Without a tick's growth the port point is 4.984 abeam after three steps, when a player
    // sailing -X at 4 from 3 units aside has come to the line; at rest there it is missed.
    enemy = Testship(Vector2(0.0f, 0.0f), 0.0f);
    enemy.broadsideTimer = 2.0f;
    const ShipSnapshot crossing = Testship(Vector2(3.0f, 5.0f), Pi, 4.0f);
    const ShipSnapshot waiting = Testship(Vector2(3.0f, 5.0f), Pi);
    EXPECT_TRUE(ShouldFireBroadside(enemy, &crossing, 0.0f));
    EXPECT_FALSE(ShouldFireBroadside(enemy, &waiting, 0.0f));
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

TEST(EnemyMiniCannons, DecidesFromTheUnscaledPortFractions)
{
    // The decision's muzzles stand at (-0.8, +-0.8) from the centre, the last port's deciding;
    // the guns themselves fire from (-2.4, +-0.8).
    ShipSnapshot enemy = Testship(Vector2(0.0f, 0.0f), 0.0f);
    enemy.miniCannonTimer = 1.5f;
    // The aim 14.8 from the deciding muzzle, on a hull from 13.5 to 19.5: within its 15 units.
    // From the real muzzle it is 16.4 away, so that one would fall short.
    const ShipSnapshot near = Testship(Vector2(16.5f, 0.0f), 0.0f);
    enemy.aimTarget = Vector2(14.0f, 0.0f);
    EXPECT_TRUE(AimMiniCannons(enemy, &near, 0.0f).request);

    // 15.8 away: pulled in to x = 14.2, short of a hull that starts at 14.5.
    const ShipSnapshot far = Testship(Vector2(17.5f, 0.0f), 0.0f);
    enemy.aimTarget = Vector2(15.0f, 0.0f);
    EXPECT_FALSE(AimMiniCannons(enemy, &far, 0.0f).request);

    enemy.aimTarget = Vector2(14.0f, 0.0f);
    enemy.miniCannonTimer = 0.5f;  // reloading
    EXPECT_FALSE(AimMiniCannons(enemy, &near, 0.0f).request);
}

TEST(EnemyFire, CombinesBroadsideAndMiniCannonDecisions)
{
    ShipSnapshot enemy = Testship(Vector2(0.0f, 0.0f), 0.0f);
    enemy.broadsideTimer = 2.0f;
    enemy.miniCannonTimer = 2.0f;
    const ShipSnapshot player = Testship(Vector2(0.0f, 6.0f), 0.0f);
    enemy.aimTarget = player.position;
    const FireDecision decision = DecideEnemyFire(enemy, &player, 1.0f / 60.0f);
    EXPECT_TRUE(decision.broadside);
    EXPECT_TRUE(decision.miniCannons);
    EXPECT_EQ(player.position, decision.aimTarget);
}
