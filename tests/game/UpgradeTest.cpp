#include "game/ships/ShipStats.h"

#include <gtest/gtest.h>

namespace
{
    ShipStats Testship()
    {
        ShipStats stats;
        stats.MakeTestship();
        return stats;
    }
}

TEST(UpgradePrices, RawPriceGrowsByAQuarterPerLevel)
{
    ShipStats stats = Testship();
    EXPECT_NEAR(25.0f, stats.GetUpgradePrice(UK_Velocity), 1e-4f);
    stats.ApplyUpgrade(UK_Velocity);
    EXPECT_NEAR(31.25f, stats.GetUpgradePrice(UK_Velocity), 1e-4f);
    // Levels of one kind leave the others' prices alone.
    EXPECT_NEAR(25.0f, stats.GetUpgradePrice(UK_Handling), 1e-4f);
}

TEST(UpgradeMultipliers, StrengthGrowsTheHullAndRepairsToTheNewMaximum)
{
    ShipStats stats = Testship();
    stats.GetHealth().SetHealth(40.0f);
    stats.ApplyUpgrade(UK_Strength);
    EXPECT_FLOAT_EQ(125.0f, stats.GetHealth().GetHealth());
    EXPECT_FLOAT_EQ(125.0f, stats.GetHealth().GetMaxHealth());
    EXPECT_FLOAT_EQ(125.0f, stats.GetMaxHealth());
    EXPECT_FLOAT_EQ(6.6f, stats.GetLength());
    EXPECT_FLOAT_EQ(2.2f, stats.GetWidth());
    EXPECT_FLOAT_EQ(1.25f, stats.GetDensity());
    EXPECT_EQ(1, stats.GetUpgradeLevel(UK_Strength));
    for (int slot : {US_Size, US_Density, US_MaxHealth})
        EXPECT_EQ(1, stats.GetUpgrades().GetLevelOfSlot(slot));

    stats.ApplyUpgrade(UK_Strength);
    EXPECT_FLOAT_EQ(150.0f, stats.GetHealth().GetMaxHealth());
    EXPECT_FLOAT_EQ(150.0f, stats.GetMaxHealth());
    EXPECT_FLOAT_EQ(7.2f, stats.GetLength());
}

TEST(UpgradeMultipliers, VelocityRaisesSpeedAndAccelerationAndCutsForwardDragToZero)
{
    ShipStats stats = Testship();
    stats.ApplyUpgrade(UK_Velocity);
    EXPECT_FLOAT_EQ(6.25f, stats.GetMaxSpeed());
    EXPECT_FLOAT_EQ(2.1f, stats.GetAcceleration());
    EXPECT_FLOAT_EQ(9.5f, stats.GetForwardDrag());
    for (int level = 1; level < 22; ++level)
        stats.ApplyUpgrade(UK_Velocity);
    EXPECT_EQ(0.0f, stats.Multiplier(US_ForwardDrag));
}

TEST(UpgradeMultipliers, HandlingRaisesTurnRateAndVelocityDragButNotTurnDrag)
{
    ShipStats stats = Testship();
    stats.ApplyUpgrade(UK_Handling);
    stats.ApplyUpgrade(UK_Handling);
    EXPECT_FLOAT_EQ(1.5f, stats.GetTurnRate());
    EXPECT_FLOAT_EQ(38.5f, stats.GetVelocityDrag());
    EXPECT_FLOAT_EQ(35.0f, stats.GetTurnDrag());
    EXPECT_EQ(2, stats.GetUpgradeLevel(UK_Handling));
}

TEST(UpgradeMultipliers, CannonRaisesTheBallImpulseOnly)
{
    ShipStats stats = Testship();
    stats.ApplyUpgrade(UK_Cannon);
    EXPECT_FLOAT_EQ(27.5f, stats.GetBallImpulse());
    EXPECT_FLOAT_EQ(1.25f, stats.Multiplier(US_Cannon));
    EXPECT_FLOAT_EQ(2.0f, stats.GetBallDensity());
    EXPECT_FLOAT_EQ(0.5f, stats.GetBallRadius());
    EXPECT_FLOAT_EQ(3.0f, stats.GetBallDamage());
    // The row shows the level of the ball-damage slot.
    EXPECT_EQ(1, stats.GetUpgradeLevel(UK_Cannon));
}

TEST(UpgradeMultipliers, MiniCannonRaisesDamageAndRange)
{
    ShipStats stats = Testship();
    stats.ApplyUpgrade(UK_MiniCannon);
    EXPECT_FLOAT_EQ(6.25f, stats.GetMiniCannonDamage());
    EXPECT_FLOAT_EQ(16.5f, stats.GetMiniCannonRange());
    EXPECT_FLOAT_EQ(1.25f, stats.Multiplier(US_MiniCannon));
    EXPECT_EQ(1, stats.GetUpgradeLevel(UK_MiniCannon));
}

TEST(UpgradeMultipliers, UnknownKindChangesNothing)
{
    ShipStats stats = Testship();
    stats.ApplyUpgrade(static_cast<UpgradeKind>(7));
    for (int slot = 0; slot < US_Count; ++slot)
    {
        EXPECT_EQ(1.0f, stats.Multiplier(slot));
        EXPECT_EQ(0, stats.GetUpgrades().GetLevelOfSlot(slot));
    }
    EXPECT_EQ(0, stats.GetUpgradeLevel(static_cast<UpgradeKind>(-1)));
}
