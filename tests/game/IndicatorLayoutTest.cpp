#include "game/screens/IndicatorLayout.h"

#include <gtest/gtest.h>

TEST(IndicatorLayout, RingIsFourTenthsOfTheWindowHeight)
{
    // 1024 x 768 showing 40 world units across: 25.6 pixels a unit.
    const IndicatorLayout layout(1024, 768, 40.0f);
    EXPECT_FLOAT_EQ(307.2f, layout.GetRingRadiusPixels());
    EXPECT_FLOAT_EQ(12.0f, layout.GetRingRadiusWorld());

    // A taller window widens the ring; a wider view shrinks the pixels per unit.
    const IndicatorLayout taller(1024, 1000, 40.0f);
    EXPECT_FLOAT_EQ(400.0f, taller.GetRingRadiusPixels());
    EXPECT_FLOAT_EQ(15.625f, taller.GetRingRadiusWorld());
    EXPECT_FLOAT_EQ(24.0f, IndicatorLayout(1024, 768, 80.0f).GetRingRadiusWorld());
}

TEST(IndicatorLayout, ShowsOnlyEnemiesBetweenTheRingAndOneHundredUnits)
{
    const IndicatorLayout layout(1024, 768, 40.0f);
    EXPECT_FALSE(layout.ShowsIndicator(5.0f));
    EXPECT_FALSE(layout.ShowsIndicator(12.0f));
    EXPECT_TRUE(layout.ShowsIndicator(12.01f));
    EXPECT_TRUE(layout.ShowsIndicator(99.9f));
    EXPECT_FALSE(layout.ShowsIndicator(100.0f));
}

TEST(IndicatorLayout, IconStandsOnTheRingTowardTheEnemy)
{
    const IndicatorLayout layout(1024, 768, 40.0f);
    const Vector2 right = layout.IconPosition(Vector2(30.0f, 0.0f));
    EXPECT_FLOAT_EQ(512.0f + 307.2f, right.X);
    EXPECT_FLOAT_EQ(384.0f, right.Y);
    // North in the world is up on the screen.
    const Vector2 up = layout.IconPosition(Vector2(0.0f, 50.0f));
    EXPECT_FLOAT_EQ(512.0f, up.X);
    EXPECT_NEAR(384.0f - 307.2f, up.Y, 1e-3f);
}

TEST(IndicatorLayout, DistanceReadsInWholeUnits)
{
    EXPECT_EQ("43", IndicatorLayout::DistanceText(42.6f));
    EXPECT_EQ("42", IndicatorLayout::DistanceText(42.4f));
    EXPECT_EQ("100", IndicatorLayout::DistanceText(99.7f));
}
