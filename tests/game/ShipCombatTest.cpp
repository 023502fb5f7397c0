// A ship's hull, life bar, broadside, mini cannons and cannon-ball hits, on the real World.
#include "engine/core/World.h"
#include "engine/input/MouseListener.h"
#include "engine/math/MathUtil.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"
#include "game/ships/CannonBall.h"
#include "game/core/GameConstants.h"
#include "game/ships/Ship.h"
#include "game/ships/ShipContactListener.h"
#include "game/core/SkarrowGameManager.h"
#include "support/WorldWindow.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
const float Step = 1.0f / 60.0f;

ShipStats Testship()
{
    ShipStats stats;
    stats.MakeTestship();
    return stats;
}

// A ship with the World's physics and the game's contact rules, without the game manager.
class ShipCombatTest : public WorldWindow
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, chdir(ZARVO_SOURCE_DIR));
        WorldWindow::SetUp();
        ASSERT_TRUE(World::GetInstance()->SetupPhysics(Vector2(0.0f, 0.0f), &listener));
    }

    std::vector<CannonBall*> BallsInTheWorld()
    {
        std::vector<CannonBall*> balls;
        const RenderLayers& layers = World::GetInstance()->GetLayers();
        RenderLayers::const_iterator found = layers.find(3);
        if (found == layers.end())
            return balls;
        for (Renderable* renderable : found->second)
        {
            CannonBall* ball = dynamic_cast<CannonBall*>(renderable);
            if (ball != nullptr)
                balls.push_back(ball);
        }
        return balls;
    }

    // A "Testship" ball flying at the given velocity (set directly, not as an impulse).
    CannonBall* Ball(bool ownerIsPlayer, const Vector2& position, const Vector2& velocity)
    {
        CannonBall* ball = new CannonBall(0.5f, 1.5f, ownerIsPlayer, 2.0f, 3.0f, position, Vector2::Zero);
        ball->GetBody()->SetLinearVelocity(b2Vec2(velocity.X, velocity.Y));
        return ball;
    }

    // Steps the physics until the ball has been used up by a hit, at most a second.
    void FlyFor(int steps, CannonBall* ball = nullptr)
    {
        for (int i = 0; i < steps && (ball == nullptr || !ball->IsDestroyed()); ++i)
            World::GetInstance()->RunPhysics(Step);
    }

    static float Health(Ship* ship) { return ship->GetStats().GetHealth().GetHealth(); }

    ShipContactListener listener;
};

struct Expected
{
    Vector2 position;
    Vector2 direction;
};

void ExpectBroadside(const std::vector<CannonBall*>& balls, const std::vector<Expected>& expected)
{
    // Impulse 25 on a ball of mass 2 x pi x 0.25.
    const float sideSpeed = 25.0f / (2.0f * MathUtil::Pi * 0.25f);
    ASSERT_EQ(expected.size(), balls.size());
    for (const Expected& e : expected)
    {
        int matches = 0;
        for (CannonBall* ball : balls)
        {
            if (Vector2::Distance(ball->GetPosition(), e.position) > 1e-3f)
                continue;
            ++matches;
            b2Vec2 v = ball->GetBody()->GetLinearVelocity();
            EXPECT_NEAR(e.direction.X * sideSpeed, v.x, 1e-3f);
            EXPECT_NEAR(e.direction.Y * sideSpeed, v.y, 1e-3f);
            EXPECT_FLOAT_EQ(1.0f, ball->GetSize().X);
            EXPECT_FLOAT_EQ(3.0f, ball->GetDamage());
            EXPECT_FLOAT_EQ(1.5f, ball->GetFlightTime());
        }
        EXPECT_EQ(1, matches) << "no single ball at " << e.position.X << ", " << e.position.Y;
    }
}
}

TEST_F(ShipCombatTest, TestshipHullAndMass)
{
    Ship* ship = new Ship(Testship(), 0.0f, false, Vector2(70.0f, 70.0f));
    World::GetInstance()->Add(ship, 2);
    b2Body* body = ship->GetBody();
    ASSERT_NE(nullptr, body);
    EXPECT_EQ(b2_dynamicBody, body->GetType());
    EXPECT_NEAR(9.0f, body->GetMass(), 1e-3f);
    EXPECT_EQ(0, ship->GetGroupIndex());
    b2Fixture* fixture = body->GetFixtureList();
    ASSERT_NE(nullptr, fixture);
    EXPECT_FLOAT_EQ(0.8f, fixture->GetFriction());
    EXPECT_FLOAT_EQ(0.2f, fixture->GetRestitution());
    EXPECT_EQ(ship, reinterpret_cast<Ship*>(body->GetUserData().pointer));
    EXPECT_FLOAT_EQ(6.0f, ship->GetSize().X);
    EXPECT_FLOAT_EQ(2.0f, ship->GetSize().Y);
    // Bow point 3 ahead, flat stern 3 behind, 2 wide.
    EXPECT_TRUE(fixture->TestPoint(b2Vec2(72.9f, 70.0f)));
    EXPECT_FALSE(fixture->TestPoint(b2Vec2(73.1f, 70.0f)));
    EXPECT_TRUE(fixture->TestPoint(b2Vec2(67.1f, 70.9f)));
    EXPECT_FALSE(fixture->TestPoint(b2Vec2(66.9f, 70.0f)));
    EXPECT_FALSE(fixture->TestPoint(b2Vec2(72.0f, 70.9f)));
    // A ship of twice the density weighs twice as much.
    ShipStats heavy = Testship();
    heavy.SetDensity(2.0f);
    Ship* second = new Ship(heavy, 0.0f, false, Vector2(30.0f, 30.0f));
    EXPECT_NEAR(18.0f, second->GetBody()->GetMass(), 1e-3f);
}

TEST_F(ShipCombatTest, LifeBarShrinksFromTheRight)
{
    Ship* ship = new Ship(Testship(), 0.0f, true, Vector2(70.0f, 70.0f));
    World::GetInstance()->Add(ship, 2);
    ship->Update(0.0f);
    // Frame and bar above the ship by half its length and one more.
    EXPECT_FLOAT_EQ(70.0f, ship->GetLifeFrame()->GetPosition().X);
    EXPECT_FLOAT_EQ(66.0f, ship->GetLifeFrame()->GetPosition().Y);
    EXPECT_FLOAT_EQ(6.0f, ship->GetLifeFrame()->GetSize().X);
    EXPECT_FLOAT_EQ(0.5f, ship->GetLifeFrame()->GetSize().Y);
    EXPECT_FLOAT_EQ(70.0f, ship->GetLifeBar()->GetPosition().X);
    EXPECT_FLOAT_EQ(6.0f, ship->GetLifeBar()->GetSize().X);

    ship->TakeDamage(50.0f, ship->GetPosition());
    ship->Update(0.0f);
    EXPECT_FLOAT_EQ(3.0f, ship->GetLifeBar()->GetSize().X);
    EXPECT_FLOAT_EQ(66.0f, ship->GetLifeBar()->GetPosition().Y);
    // Left ends together at 67, the bar's right end at 70.
    Actor* bar = ship->GetLifeBar();
    EXPECT_FLOAT_EQ(67.0f, bar->GetPosition().X - bar->GetSize().X * 0.5f);
    EXPECT_FLOAT_EQ(70.0f, bar->GetPosition().X + bar->GetSize().X * 0.5f);

    ship->TakeDamage(25.0f, ship->GetPosition());
    ship->Update(0.0f);
    EXPECT_FLOAT_EQ(1.5f, bar->GetSize().X);
    EXPECT_FLOAT_EQ(67.0f, bar->GetPosition().X - bar->GetSize().X * 0.5f);
    EXPECT_FALSE(ship->IsDestroyed());
}

TEST_F(ShipCombatTest, BallsHurtByClosingSpeedAndHullZone)
{
    // Three enemies far apart, each struck at 10 units per second.
    Ship* middle = new Ship(Testship(), 0.0f, false, Vector2(70.0f, 70.0f));
    Ship* bow = new Ship(Testship(), 0.0f, false, Vector2(70.0f, 90.0f));
    Ship* stern = new Ship(Testship(), 0.0f, false, Vector2(70.0f, 110.0f));
    CannonBall* toMiddle = Ball(true, Vector2(69.5f, 72.0f), Vector2(0.0f, -10.0f));
    CannonBall* toBow = Ball(true, Vector2(74.0f, 90.0f), Vector2(-10.0f, 0.0f));
    CannonBall* toStern = Ball(true, Vector2(66.0f, 110.0f), Vector2(10.0f, 0.0f));
    FlyFor(60);
    EXPECT_TRUE(toMiddle->IsDestroyed());
    EXPECT_TRUE(toBow->IsDestroyed());
    EXPECT_TRUE(toStern->IsDestroyed());
    EXPECT_NEAR(70.0f, Health(middle), 1e-3f);
    EXPECT_NEAR(94.0f, Health(bow), 1e-3f);
    EXPECT_NEAR(85.0f, Health(stern), 1e-3f);
}

TEST_F(ShipCombatTest, FasterBallsHurtMoreAndEnemyBallsHurtThePlayer)
{
    Ship* player = new Ship(Testship(), 0.0f, true, Vector2(70.0f, 70.0f));
    Ship* enemy = new Ship(Testship(), 0.0f, false, Vector2(70.0f, 90.0f));
    CannonBall* enemyBall = Ball(false, Vector2(69.5f, 72.0f), Vector2(0.0f, -4.0f));
    CannonBall* fastBall = Ball(true, Vector2(69.5f, 92.0f), Vector2(0.0f, -20.0f));
    FlyFor(60);
    EXPECT_TRUE(enemyBall->IsDestroyed());
    EXPECT_TRUE(fastBall->IsDestroyed());
    EXPECT_NEAR(88.0f, Health(player), 1e-3f);
    EXPECT_NEAR(40.0f, Health(enemy), 1e-3f);
}

TEST_F(ShipCombatTest, BallsPassThroughShipsOfTheirOwnSide)
{
    Ship* player = new Ship(Testship(), 0.0f, true, Vector2(70.0f, 70.0f));
    Ship* enemy = new Ship(Testship(), 0.0f, false, Vector2(70.0f, 90.0f));
    CannonBall* playerBall = Ball(true, Vector2(69.5f, 72.0f), Vector2(0.0f, -10.0f));
    CannonBall* enemyBall = Ball(false, Vector2(69.5f, 92.0f), Vector2(0.0f, -10.0f));
    FlyFor(60);
    EXPECT_FALSE(playerBall->IsDestroyed());
    EXPECT_FALSE(enemyBall->IsDestroyed());
    EXPECT_FLOAT_EQ(100.0f, Health(player));
    EXPECT_FLOAT_EQ(100.0f, Health(enemy));
    // Straight through: out at the far side at full speed, the ships unmoved.
    EXPECT_LT(playerBall->GetBody()->GetPosition().y, 66.0f);
    EXPECT_LT(enemyBall->GetBody()->GetPosition().y, 86.0f);
    EXPECT_NEAR(-10.0f, playerBall->GetBody()->GetLinearVelocity().y, 1e-3f);
    EXPECT_NEAR(0.0f, player->GetBody()->GetLinearVelocity().Length(), 1e-4f);
}

TEST_F(ShipCombatTest, BroadsideFiresTwoPairsFromThePorts)
{
    Ship* ship = new Ship(Testship(), 0.0f, true, Vector2(70.0f, 70.0f));
    World::GetInstance()->Add(ship, 2);
    ship->MouseDownEvent(Vec2i(512, 384), MOUSE_RIGHT);
    ASSERT_TRUE(ship->HasBroadsideRequest());
    ship->UpdateWeapons(0.1f);
    EXPECT_FLOAT_EQ(0.0f, ship->GetBroadsideTimer());
    std::vector<CannonBall*> balls = BallsInTheWorld();
    // Ports a quarter length fore and aft, 0.6 outside the sides; port balls fly to +Y.
    ExpectBroadside(balls, {{Vector2(71.5f, 71.6f), Vector2(0.0f, 1.0f)},
                            {Vector2(71.5f, 68.4f), Vector2(0.0f, -1.0f)},
                            {Vector2(68.5f, 71.6f), Vector2(0.0f, 1.0f)},
                            {Vector2(68.5f, 68.4f), Vector2(0.0f, -1.0f)}});
    for (CannonBall* ball : balls)
        EXPECT_TRUE(ball->IsOwnerPlayer());

    // Held, it fires again only after the reload.
    ship->UpdateWeapons(0.5f);
    EXPECT_EQ(4u, BallsInTheWorld().size());
    ship->UpdateWeapons(0.5f);
    EXPECT_EQ(4u, BallsInTheWorld().size());
    ship->UpdateWeapons(0.1f);
    EXPECT_EQ(8u, BallsInTheWorld().size());
    ship->MouseUpEvent(Vec2i(512, 384), MOUSE_RIGHT);
    ship->UpdateWeapons(2.0f);
    EXPECT_EQ(8u, BallsInTheWorld().size());
}

TEST_F(ShipCombatTest, BroadsideTurnsWithTheShip)
{
    Ship* ship = new Ship(Testship(), MathUtil::PiOver2, true, Vector2(40.0f, 40.0f));
    World::GetInstance()->Add(ship, 2);
    ship->MouseDownEvent(Vec2i(512, 384), MOUSE_RIGHT);
    ship->UpdateWeapons(0.1f);
    // Heading +Y: port is -X.
    ExpectBroadside(BallsInTheWorld(), {{Vector2(38.4f, 41.5f), Vector2(-1.0f, 0.0f)},
                                        {Vector2(41.6f, 41.5f), Vector2(1.0f, 0.0f)},
                                        {Vector2(38.4f, 38.5f), Vector2(-1.0f, 0.0f)},
                                        {Vector2(41.6f, 38.5f), Vector2(1.0f, 0.0f)}});
}

TEST_F(ShipCombatTest, OddCannonCountsFireWholePairsOnly)
{
    ShipStats three = Testship();
    three.SetBroadsideCannons(3);
    Ship* ship = new Ship(three, 0.0f, true, Vector2(70.0f, 70.0f));
    ship->MouseDownEvent(Vec2i(512, 384), MOUSE_RIGHT);
    ship->UpdateWeapons(0.1f);
    ExpectBroadside(BallsInTheWorld(), {{Vector2(71.5f, 71.6f), Vector2(0.0f, 1.0f)},
                                        {Vector2(71.5f, 68.4f), Vector2(0.0f, -1.0f)}});

    ShipStats one = Testship();
    one.SetBroadsideCannons(1);
    Ship* single = new Ship(one, 0.0f, true, Vector2(30.0f, 30.0f));
    single->MouseDownEvent(Vec2i(512, 384), MOUSE_RIGHT);
    single->UpdateWeapons(0.1f);
    EXPECT_EQ(2u, BallsInTheWorld().size());
    EXPECT_FLOAT_EQ(0.0f, single->GetBroadsideTimer());
}

TEST_F(ShipCombatTest, TurnDragSlowsASpinAndOnALongFrameStopsItWithoutReversing)
{
    Ship* ship = new Ship(Testship(), 0.0f, false, Vector2(70.0f, 70.0f));
    World::GetInstance()->Add(ship, 2);
    b2Body* body = ship->GetBody();
    // The pointed hull's centre of mass lies behind its origin, so the inertia about the
    // origin is the larger one.
    ASSERT_GT(body->GetLocalCenter().LengthSquared(), 0.01f);
    b2MassData mass;
    body->GetMassData(&mass);
    const float centreInertia = mass.I - mass.mass * body->GetLocalCenter().LengthSquared();

    body->SetAngularVelocity(1.0f);
    ship->ApplyWaterDrag(Step);
    EXPECT_NEAR(1.0f - (std::exp(35.0f * Step) - 1.0f) / centreInertia, body->GetAngularVelocity(), 1e-4f);

    // On frames this long the bare formula takes away more spin than there is: it stops.
    for (float longFrame : {0.09f, 0.12f, 0.17f})
    {
        ASSERT_GT(std::exp(35.0f * longFrame) - 1.0f, centreInertia);
        body->SetAngularVelocity(1.0f);
        ship->ApplyWaterDrag(longFrame);
        EXPECT_NEAR(0.0f, body->GetAngularVelocity(), 1e-4f) << longFrame << " s";
        body->SetAngularVelocity(-1.0f);
        ship->ApplyWaterDrag(longFrame);
        EXPECT_NEAR(0.0f, body->GetAngularVelocity(), 1e-4f) << longFrame << " s";
    }
}

namespace
{
// Mini cannons need the game manager's list of enemies: a hardcore battle with three.
class MiniCannonTest : public WorldWindow
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, chdir(ZARVO_SOURCE_DIR));
        WorldWindow::SetUp();
        manager = SkarrowGameManager::GetInstance();
        World::GetInstance()->SetGameManager(manager);
        Message start(StartHardcoreModeMessage);
        manager->ReceiveMessage(&start);
        ASSERT_EQ(GS_Hardcore, manager->GetState());
        manager->SpawnWave();
        manager->SpawnWave();
        ASSERT_EQ(3u, manager->GetEnemies().size());
        enemies.assign(manager->GetEnemies().begin(), manager->GetEnemies().end());
        player = manager->GetPlayerShip();
        // Facing +X, so the muzzles sit at (67.6, 70 +- 0.8).
        Place(player, Vector2(70.0f, 70.0f));
    }

    static void Place(Ship* ship, const Vector2& position)
    {
        ship->GetBody()->SetTransform(b2Vec2(position.X, position.Y), 0.0f);
    }

    void AimAt(const Vector2& world, MouseButtonInput button = MOUSE_LEFT)
    {
        Vector2 screen = MathUtil::WorldToScreen(world);
        Vec2i pixel((int)std::lround(screen.X), (int)std::lround(screen.Y));
        ASSERT_GE(pixel.X, 0);
        ASSERT_LT(pixel.X, (int)Width);
        ASSERT_GE(pixel.Y, 0);
        ASSERT_LT(pixel.Y, (int)Height);
        player->MouseDownEvent(pixel, button);
        ASSERT_LT(Vector2::Distance(world, player->GetAimTarget()), 0.1f);
    }

    static float Health(Ship* ship) { return ship->GetStats().GetHealth().GetHealth(); }

    SkarrowGameManager* manager = nullptr;
    Ship* player = nullptr;
    std::vector<Ship*> enemies;
};
}

TEST_F(MiniCannonTest, HitOnlyTheFirstEnemyUnderTheClampedAimPoint)
{
    // The aim point 20 away is out of range: each muzzle's shot stops 15 from it, near x 82.6.
    Place(enemies[0], Vector2(89.0f, 70.0f));
    Place(enemies[1], Vector2(82.6f, 70.0f));
    Place(enemies[2], Vector2(82.6f, 70.0f));
    AimAt(Vector2(88.0f, 70.0f));
    ASSERT_TRUE(player->HasMiniCannonRequest());
    player->UpdateWeapons(0.1f);
    EXPECT_FLOAT_EQ(0.0f, player->GetMiniCannonTimer());
    EXPECT_FLOAT_EQ(100.0f, Health(enemies[0]));
    EXPECT_FLOAT_EQ(90.0f, Health(enemies[1]));
    EXPECT_FLOAT_EQ(100.0f, Health(enemies[2]));
    EXPECT_FLOAT_EQ(100.0f, Health(player));

    // Held, the next shots come after the reload.
    player->UpdateWeapons(0.5f);
    EXPECT_FLOAT_EQ(90.0f, Health(enemies[1]));
    player->UpdateWeapons(0.6f);
    EXPECT_FLOAT_EQ(80.0f, Health(enemies[1]));
    EXPECT_FLOAT_EQ(100.0f, Health(enemies[2]));
}

TEST_F(MiniCannonTest, ShotsWithinRangeHitAtTheAimPointAndMissesDoNothing)
{
    Place(enemies[0], Vector2(100.0f, 100.0f));
    Place(enemies[1], Vector2(78.0f, 74.0f));
    Place(enemies[2], Vector2(100.0f, 40.0f));
    // In range of both muzzles and inside the second enemy's hull.
    AimAt(Vector2(78.5f, 74.0f));
    player->UpdateWeapons(0.1f);
    EXPECT_FLOAT_EQ(90.0f, Health(enemies[1]));
    EXPECT_FLOAT_EQ(100.0f, Health(enemies[0]));
    EXPECT_FLOAT_EQ(100.0f, Health(enemies[2]));
    player->MouseUpEvent(Vec2i(0, 0), MOUSE_LEFT);
    EXPECT_FALSE(player->HasMiniCannonRequest());

    // A miss over open water still spends the shot.
    AimAt(Vector2(70.0f, 80.0f));
    player->UpdateWeapons(1.1f);
    EXPECT_FLOAT_EQ(0.0f, player->GetMiniCannonTimer());
    EXPECT_FLOAT_EQ(90.0f, Health(enemies[1]));

    // The middle button only moves the aim.
    player->MouseUpEvent(Vec2i(0, 0), MOUSE_LEFT);
    AimAt(Vector2(78.5f, 74.0f), MOUSE_MIDDLE);
    EXPECT_FALSE(player->HasMiniCannonRequest());
    EXPECT_FALSE(player->HasBroadsideRequest());
    player->UpdateWeapons(1.1f);
    EXPECT_FLOAT_EQ(90.0f, Health(enemies[1]));
}
