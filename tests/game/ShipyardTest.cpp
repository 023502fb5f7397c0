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
    EXPECT_EQ("Upgrade for 32", Shipyard::UpgradeLabel(*ship, UK_Cannon));
    EXPECT_TRUE(Shipyard::BuyUpgrade(ship, UK_Velocity));
    EXPECT_EQ(0.0f, ship->GetRum());
    EXPECT_EQ("Rum: 0", Shipyard::RumText(*ship));
    EXPECT_FALSE(Shipyard::BuyUpgrade(ship, UK_Handling));
    EXPECT_EQ(0, ship->GetStats().GetUpgradeLevel(UK_Handling));
}

TEST_F(ShipyardTest, ShownRumAndPriceAgreeWithWhatCanBeBought)
{
    // 31.5 rum shows as 31 and the second cannon level as 32: it must not be sold.
    ship->AddRum(-50.0f + 25.0f + 31.5f);
    ASSERT_TRUE(Shipyard::BuyUpgrade(ship, UK_Cannon));
    EXPECT_EQ("Rum: 31", Shipyard::RumText(*ship));
    EXPECT_EQ("Upgrade for 32", Shipyard::UpgradeLabel(*ship, UK_Cannon));
    EXPECT_FALSE(Shipyard::BuyUpgrade(ship, UK_Cannon));
}

TEST_F(ShipyardTest, RepairCostsAQuarterRumPerPoint)
{
    ship->GetStats().GetHealth().SetHealth(60.0f);
    EXPECT_EQ("Repair for 10", Shipyard::RepairLabel(*ship));
    EXPECT_TRUE(Shipyard::Repair(ship));
    EXPECT_FLOAT_EQ(100.0f, ship->GetStats().GetHealth().GetHealth());
    EXPECT_FLOAT_EQ(40.0f, ship->GetRum());
}

TEST_F(ShipyardTest, StrengthReachesTheHullAndTheBodyMass)
{
    ASSERT_NE(nullptr, ship->GetBody());
    EXPECT_NEAR(9.0f, ship->GetBody()->GetMass(), 1e-3f);
    ASSERT_TRUE(Shipyard::BuyUpgrade(ship, UK_Strength));
    EXPECT_FLOAT_EQ(125.0f, ship->GetStats().GetHealth().GetHealth());
    EXPECT_FLOAT_EQ(125.0f, ship->GetStats().GetHealth().GetMaxHealth());
    EXPECT_NEAR(6.6f, ship->GetSize().X, 1e-4f);
    EXPECT_NEAR(2.2f, ship->GetSize().Y, 1e-4f);
    // 1.21 times the area at 1.25 times the density.
    EXPECT_NEAR(9.0f * 1.21f * 1.25f, ship->GetBody()->GetMass(), 1e-2f);
}
