#include "engine/core/World.h"
#include "game/ships/Ship.h"
#include "game/screens/Shipyard.h"
#include "support/WorldWindow.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

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
    // The labels of levels 0 to 5 round the price up.
    for (const char* label : {"25", "32", "40", "49", "62", "77"})
    {
        EXPECT_EQ(std::string("Upgrade for ") + label, Shipyard::UpgradeLabel(*ship, UK_Cannon));
        ship->GetStats().ApplyUpgrade(UK_Cannon);
    }

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
    const float price = ship->GetStats().GetUpgradePrice(UK_Handling);
    EXPECT_NEAR(95.367f, price, 1e-3f);
    ship->AddRum(price);
    EXPECT_TRUE(Shipyard::BuyUpgrade(ship, UK_Handling));
    EXPECT_EQ(0.0f, ship->GetRum());
    EXPECT_EQ(7, ship->GetStats().GetUpgradeLevel(UK_Handling));
}

TEST_F(ShipyardTest, RepairCostsAQuarterRumPerPoint)
{
    EXPECT_EQ("Repair for 0", Shipyard::RepairLabel(*ship));
    EXPECT_TRUE(Shipyard::Repair(ship));
    EXPECT_FLOAT_EQ(50.0f, ship->GetRum());

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
    EXPECT_EQ("Rum: 29", Shipyard::RumText(*ship));

    // A hull at 0 costs 25, more than the 24.75 left.
    ship->GetStats().GetHealth().SetHealth(0.0f);
    ship->AddRum(-5.0f);
    EXPECT_FALSE(Shipyard::Repair(ship));
    EXPECT_FLOAT_EQ(0.0f, ship->GetStats().GetHealth().GetHealth());
}

TEST_F(ShipyardTest, StrengthGrowsTheHullButKeepsTheBodysMass)
{
    b2Body* body = ship->GetBody();
    ASSERT_NE(nullptr, body);
    const float inertia = body->GetInertia();
    ship->AddRum(1000.0f);
    const int levels[] = {1, 3, 6};
    const float lengths[] = {6.6f, 7.8f, 9.6f};
    const float healths[] = {125.0f, 175.0f, 250.0f};
    int bought = 0;
    for (int i = 0; i < 3; ++i)
    {
        while (bought < levels[i])
        {
            ASSERT_TRUE(Shipyard::BuyUpgrade(ship, UK_Strength));
            ++bought;
        }
        // Mass, inertia and density stay as built: the ship handles as before.
        EXPECT_NEAR(9.0f, body->GetMass(), 1e-3f) << bought;
        EXPECT_NEAR(inertia, body->GetInertia(), 1e-3f) << bought;
        EXPECT_FLOAT_EQ(1.0f, body->GetFixtureList()->GetDensity()) << bought;
        // Size, polygon, maximum health and the full repair follow the level.
        EXPECT_FLOAT_EQ(healths[i], ship->GetStats().GetMaxHealth());
        EXPECT_FLOAT_EQ(healths[i], ship->GetStats().GetHealth().GetHealth());
        EXPECT_NEAR(lengths[i], ship->GetSize().X, 1e-4f);
        const float bow = 70.0f + lengths[i] / 2.0f;
        EXPECT_TRUE(body->GetFixtureList()->TestPoint(b2Vec2(bow - 0.05f, 70.0f))) << bought;
        EXPECT_FALSE(body->GetFixtureList()->TestPoint(b2Vec2(bow + 0.05f, 70.0f))) << bought;
    }
}
