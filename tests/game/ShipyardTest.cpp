#include "engine/core/World.h"
#include "game/ships/Ship.h"
#include "game/screens/Shipyard.h"
#include "support/WorldWindow.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace
{
    class ShipyardTest : public WorldWindow
    {
    protected:
        void SetUp() override
        {
            ASSERT_EQ(0, chdir(ZARVO_SOURCE_DIR));
            WorldWindow::SetUp();
            World::GetInstance()->SetupPhysics(Vector2(0.0f, 0.0f), 0);
            ShipStats stats;
            stats.MakeTestship();
            ship = new Ship(stats, 0.0f, true, Vector2(70.0f, 70.0f));
        }

        Ship* ship = nullptr;
    };
}

TEST_F(ShipyardTest, ANewShipAffordsExactlyTwoFirstLevels)
{
    EXPECT_EQ("Rum: 50", Shipyard::RumText(*ship));
    EXPECT_EQ("Upgrade for 25", Shipyard::UpgradeLabel(*ship, UK_Cannon));
    EXPECT_TRUE(Shipyard::BuyUpgrade(ship, UK_Cannon));
    EXPECT_TRUE(Shipyard::BuyUpgrade(ship, UK_Velocity));
    EXPECT_EQ(0.0f, ship->GetRum());
    EXPECT_EQ("Rum: 0", Shipyard::RumText(*ship));
    EXPECT_FALSE(Shipyard::BuyUpgrade(ship, UK_Handling));
    EXPECT_EQ(0, ship->GetStats().GetUpgradeLevel(UK_Handling));
    EXPECT_FALSE(Shipyard::BuyUpgrade(nullptr, UK_Handling));
}

TEST_F(ShipyardTest, ChargesTheExactPriceWhileTheLabelsRound)
{
    // 56.25 rum buys the first level (25) and the second (31.25), which reads 32 over 31 rum.
    ship->AddRum(6.25f);
    ASSERT_TRUE(Shipyard::BuyUpgrade(ship, UK_Handling));
    EXPECT_EQ("Rum: 31", Shipyard::RumText(*ship));
    EXPECT_EQ("Upgrade for 32", Shipyard::UpgradeLabel(*ship, UK_Handling));
    ASSERT_TRUE(Shipyard::BuyUpgrade(ship, UK_Handling));
    EXPECT_EQ(0.0f, ship->GetRum());

    // Rum equal to the price buys: 95.37 at handling level 6.
    for (int level = 2; level < 6; ++level)
        ship->GetStats().ApplyUpgrade(UK_Handling);
    ship->AddRum(ship->GetStats().GetUpgradePrice(UK_Handling));
    EXPECT_TRUE(Shipyard::BuyUpgrade(ship, UK_Handling));
    EXPECT_EQ(0.0f, ship->GetRum());
}

TEST_F(ShipyardTest, RepairCostsAQuarterRumPerPoint)
{
    ship->GetStats().GetHealth().SetHealth(60.0f);
    EXPECT_EQ("Repair for 10", Shipyard::RepairLabel(*ship));
    EXPECT_TRUE(Shipyard::Repair(ship));
    EXPECT_FLOAT_EQ(100.0f, ship->GetStats().GetHealth().GetHealth());
    EXPECT_FLOAT_EQ(40.0f, ship->GetRum());

    // 10.25 reads 11 and costs 10.25.
    ship->GetStats().GetHealth().SetHealth(59.0f);
    EXPECT_EQ("Repair for 11", Shipyard::RepairLabel(*ship));
    EXPECT_TRUE(Shipyard::Repair(ship));
    EXPECT_FLOAT_EQ(29.75f, ship->GetRum());
}

// The body keeps the mass it was built with; size, polygon and health follow the level.
TEST_F(ShipyardTest, StrengthGrowsTheHullButKeepsTheBodysMass)
{
    b2Body* body = ship->GetBody();
    ASSERT_NE(nullptr, body);
    ship->AddRum(1000.0f);
    for (int level = 1; level <= 6; ++level)
    {
        ASSERT_TRUE(Shipyard::BuyUpgrade(ship, UK_Strength));
        EXPECT_NEAR(9.0f, body->GetMass(), 1e-3f) << level;
    }
    EXPECT_FLOAT_EQ(250.0f, ship->GetStats().GetHealth().GetHealth());
    EXPECT_NEAR(9.6f, ship->GetSize().X, 1e-4f);
    EXPECT_TRUE(body->GetFixtureList()->TestPoint(b2Vec2(70.0f + 4.75f, 70.0f)));
    EXPECT_FALSE(body->GetFixtureList()->TestPoint(b2Vec2(70.0f + 4.85f, 70.0f)));
}
