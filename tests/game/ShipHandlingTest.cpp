// Speed setting, turning power and water drag, as numbers.
#include "game/ships/ShipHandling.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(ShipHandlingTest, OneSecondOfThrottleFromAStandstill)
{
    float speed = 0.0f;
    for (int tick = 0; tick < 60; ++tick)
        speed = NextSpeedSetting(speed, 2.0f, 1.0f, 1.0f / 60.0f, 0.0f, 5.0f);
    EXPECT_NEAR(2.0f, speed, 1e-4);
    for (int tick = 0; tick < 600; ++tick)
        speed = NextSpeedSetting(speed, 2.0f, 1.0f, 1.0f / 60.0f, 0.0f, 5.0f);
    EXPECT_FLOAT_EQ(5.0f, speed);
    for (int tick = 0; tick < 600; ++tick)
        speed = NextSpeedSetting(speed, 2.0f, -1.0f, 1.0f / 60.0f, 0.0f, 5.0f);
    EXPECT_FLOAT_EQ(0.0f, speed);
    // Forward and back held together cancel.
    EXPECT_FLOAT_EQ(3.0f, NextSpeedSetting(3.0f, 2.0f, 0.0f, 0.5f, 0.0f, 5.0f));
}

TEST(ShipHandlingTest, TurnFactorAtRestModerateAndFullSpeed)
{
    EXPECT_FLOAT_EQ(0.0f, TurnFactor(0.0f, 5.0f));
    EXPECT_NEAR(0.33f, TurnFactor(5.0f, 5.0f), 1e-6);
    EXPECT_NEAR(0.8433f, TurnFactor(2.75f, 5.0f), 1e-3);
    EXPECT_GT(TurnFactor(2.75f, 5.0f), TurnFactor(1.0f, 5.0f));
    EXPECT_GT(TurnFactor(2.75f, 5.0f), TurnFactor(4.5f, 5.0f));
    // A ship type without a top speed must not divide by zero.
    EXPECT_FLOAT_EQ(0.0f, TurnFactor(0.0f, 0.0f));
}

TEST(ShipHandlingTest, DragFollowsItsFormulaAtNormalFrameRates)
{
    float dt = 1.0f / 60.0f;
    EXPECT_FLOAT_EQ((std::exp(35.0f * dt) - 1.0f) * 4.0f, DragImpulse(35.0f, dt, 4.0f, 9.0f));
    EXPECT_FLOAT_EQ((std::exp(10.0f * dt) - 1.0f) * 4.0f, DragImpulse(10.0f, dt, 4.0f, 9.0f));
    EXPECT_FLOAT_EQ(0.0f, DragImpulse(35.0f, dt, 0.0f, 9.0f));
}

TEST(ShipHandlingTest, DragOnALongFrameStopsButNeverReverses)
{
    // A sixth of a second: the bare formula would give 340 times the speed.
    float impulse = DragImpulse(35.0f, 1.0f / 6.0f, 4.0f, 9.0f);
    EXPECT_FLOAT_EQ(36.0f, impulse);
    float velocityAfter = 4.0f - impulse / 9.0f;
    EXPECT_GE(velocityAfter, 0.0f);
}
