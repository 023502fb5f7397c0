// The ship type record, its upgrade block and the health record.
#include "game/ships/ShipStats.h"

#include <gtest/gtest.h>

TEST(ShipStatsTest, DefaultRecordIsUnupgradedAndHealthy)
{
    ShipStats stats;
    EXPECT_FLOAT_EQ(100.0f, stats.GetHealth().GetHealth());
    EXPECT_FLOAT_EQ(100.0f, stats.GetHealth().GetMaxHealth());
    for (int slot = 0; slot < US_Count; ++slot)
    {
        EXPECT_FLOAT_EQ(1.0f, stats.Multiplier(slot)) << slot;
        EXPECT_EQ(0, stats.GetUpgrades().GetLevelOfSlot(slot)) << slot;
    }
    EXPECT_EQ("Missing Name", stats.GetName());
    EXPECT_EQ(nullptr, stats.GetOwner());
}

TEST(ShipStatsTest, TestshipHasItsPortsAndAPointedHullInWorldUnits)
{
    ShipStats stats;
    stats.MakeTestship();
    EXPECT_EQ("Testship", stats.GetName());
    ASSERT_EQ(4u, stats.GetBroadsidePorts().size());
    ASSERT_EQ(2u, stats.GetMiniCannonPorts().size());
    Vector2List hull = stats.GetScaledHull();
    const Vector2 expected[] = {Vector2(-3, -1), Vector2(0, -1), Vector2(3, 0), Vector2(0, 1),
                                Vector2(-3, 1)};
    ASSERT_EQ(5u, hull.size());
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_FLOAT_EQ(expected[i].X, hull[i].X) << i;
        EXPECT_FLOAT_EQ(expected[i].Y, hull[i].Y) << i;
    }
}

TEST(ShipStatsTest, EffectiveValuesFollowTheirMultipliers)
{
    ShipStats stats;
    stats.MakeTestship();
    stats.GetUpgrades().SetMultiplier(US_Size, 1.1f);
    stats.GetUpgrades().SetMultiplier(US_MaxSpeed, 1.5f);
    EXPECT_FLOAT_EQ(6.6f, stats.GetLength());
    EXPECT_FLOAT_EQ(2.2f, stats.GetWidth());
    EXPECT_FLOAT_EQ(7.5f, stats.GetMaxSpeed());
    EXPECT_FLOAT_EQ(3.3f, stats.GetScaledHull()[2].X);
    stats.GetUpgrades().Reset();
    EXPECT_FLOAT_EQ(6.0f, stats.GetLength());
}

TEST(ShipStatsTest, ACopySharesNothingWithItsTemplate)
{
    ShipStats original;
    original.MakeTestship();
    ShipStats copy = original;
    copy.SetHullPolygon(Vector2List(3, Vector2(1, 1)));
    copy.GetHealth().AddHealth(-40.0f);
    copy.GetUpgrades().SetMultiplier(US_Size, 2.0f);
    EXPECT_EQ(5u, original.GetHullPolygon().size());
    EXPECT_FLOAT_EQ(100.0f, original.GetHealth().GetHealth());
    EXPECT_FLOAT_EQ(6.0f, original.GetLength());
}

TEST(ShipStatsTest, HullTypes)
{
    ShipStats stats;
    stats.SetHullType(1).BuildHull();
    EXPECT_EQ(4u, stats.GetHullPolygon().size());
    stats.SetHullType(0).BuildHull();
    ASSERT_EQ(5u, stats.GetHullPolygon().size());
    EXPECT_NEAR(0.5f, stats.GetHullPolygon()[0].X, 1e-6);
    EXPECT_NEAR(0.0f, stats.GetHullPolygon()[0].Y, 1e-6);
    stats.SetHullType(7).BuildHull();
    EXPECT_EQ(5u, stats.GetHullPolygon().size());
}

TEST(ShipStatsTest, MaxHealthSetterCarriesIntoTheHealthRecord)
{
    ShipStats stats;
    stats.SetMaxHealth(125.0f);
    EXPECT_FLOAT_EQ(125.0f, stats.GetHealth().GetHealth());
    EXPECT_FLOAT_EQ(125.0f, stats.GetHealth().GetMaxHealth());
}

TEST(ShipStatsTest, UpgradeBlockAndHealthRecordCanBeSetInAChain)
{
    ShipUpgrades upgrades;
    upgrades.ApplyUpgrade(UK_Velocity);
    Damageable health(80.0f);
    health.SetHealth(30.0f);
    ShipStats stats;
    stats.MakeTestship().SetUpgrades(upgrades).SetHealth(health).SetName("Refitted");
    EXPECT_EQ("Refitted", stats.GetName());
    EXPECT_EQ(1, stats.GetUpgradeLevel(UK_Velocity));
    EXPECT_FLOAT_EQ(5.0f * upgrades.GetMultiplier(US_MaxSpeed), stats.GetMaxSpeed());
    EXPECT_GT(stats.GetMaxSpeed(), 5.0f);
    EXPECT_FLOAT_EQ(30.0f, stats.GetHealth().GetHealth());
    EXPECT_FLOAT_EQ(80.0f, stats.GetHealth().GetMaxHealth());
}

TEST(DamageableTest, HealthStaysWithinZeroAndTheMaximum)
{
    Damageable health(100.0f);
    health.SetHealth(-1.0f);
    EXPECT_FLOAT_EQ(100.0f, health.GetHealth());
    health.SetHealth(101.0f);
    EXPECT_FLOAT_EQ(100.0f, health.GetHealth());
    health.SetHealth(100.0f);
    EXPECT_FLOAT_EQ(100.0f, health.GetHealth());
    health.AddHealth(-1e9f);
    EXPECT_EQ(0.0f, health.GetHealth());
    EXPECT_TRUE(health.IsDead());
    health.AddHealth(1e9f);
    EXPECT_FLOAT_EQ(100.0f, health.GetHealth());
    health.SetHealthFraction(2.0f);
    EXPECT_FLOAT_EQ(100.0f, health.GetHealth());
    health.SetHealthFraction(0.25f);
    EXPECT_FLOAT_EQ(25.0f, health.GetHealth());
    EXPECT_FLOAT_EQ(0.25f, health.GetHealthFraction());
    EXPECT_FLOAT_EQ(75.0f, health.GetMissingHealth());
    health.SetHealthFraction(-1.0f);
    EXPECT_FLOAT_EQ(0.0f, health.GetHealth());
    health.Heal();
    EXPECT_FLOAT_EQ(100.0f, health.GetHealth());
    EXPECT_FALSE(health.IsDead());
}
