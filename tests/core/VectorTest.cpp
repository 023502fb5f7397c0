#include "engine/math/Vec2i.h"
#include "engine/math/Vector2.h"
#include "engine/math/Vector3.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

namespace
{
    void ExpectNear(const Vector2& expected, const Vector2& actual)
    {
        EXPECT_NEAR(expected.X, actual.X, 1e-6f);
        EXPECT_NEAR(expected.Y, actual.Y, 1e-6f);
    }
}

TEST(Vector2Normalize, ScalesToUnitLength)
{
    EXPECT_EQ(Vector2(0.6f, 0.8f), Vector2::Normalize(Vector2(3.0f, 4.0f)));
}

TEST(Vector2Normalize, DirectionlessVectorsFallBackToAnAxis)
{
    EXPECT_EQ(Vector2(1.0f, 0.0f), Vector2::Normalize(Vector2(0.0f, 0.0f)));
    EXPECT_EQ(Vector2(0.0f, 1.0f), Vector2::Normalize(Vector2(-1e-8f, 1e-8f)));
    // A NaN length has no direction either.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(Vector2(1.0f, 0.0f), Vector2::Normalize(Vector2(nan, nan)));
}

TEST(Vector2Normalize, InPlaceFormChangesTheVector)
{
    Vector2 v(0.0f, -2.0f);
    v.Normalize();
    EXPECT_EQ(Vector2(0.0f, -1.0f), v);
}

TEST(Vector3Normalize, DirectionlessVectorsFallBackToAnAxis)
{
    EXPECT_EQ(Vector3(0.0f, 0.0f, 1.0f), Vector3::Normalize(Vector3(0.0f, 0.0f, 0.0f)));
    // Below the 1e-6 threshold, so no division happens.
    EXPECT_EQ(Vector3(1.0f, 0.0f, 0.0f), Vector3::Normalize(Vector3(1e-7f, 0.0f, 0.0f)));
    EXPECT_EQ(Vector3(0.0f, 1.0f, 0.0f), Vector3::Normalize(Vector3(0.0f, 1e-7f, 0.0f)));
}

TEST(VectorClamp, MinWinsWhenItExceedsMax)
{
    EXPECT_EQ(Vector2(3.0f, 3.0f), Vector2::Clamp(Vector2(5.0f, 5.0f), Vector2(3.0f, 3.0f), Vector2(1.0f, 1.0f)));
    EXPECT_EQ(Vector3(3.0f, 3.0f, 3.0f),
              Vector3::Clamp(Vector3(0.0f, 0.0f, 0.0f), Vector3(3.0f, 3.0f, 3.0f), Vector3(1.0f, 1.0f, 1.0f)));
}

TEST(VectorClamp, LimitsEachComponentSeparately)
{
    EXPECT_EQ(Vector2(1.0f, -1.0f), Vector2::Clamp(Vector2(5.0f, -5.0f), Vector2(-1.0f, -1.0f), Vector2(1.0f, 1.0f)));
    EXPECT_EQ(Vector2(0.5f, 0.0f), Vector2::Clamp(Vector2(0.5f, 0.0f), Vector2(-1.0f, -1.0f), Vector2(1.0f, 1.0f)));
}

TEST(Vector2Operations, GeometryHelpers)
{
    EXPECT_FLOAT_EQ(5.0f, Vector2::Distance(Vector2(1.0f, 1.0f), Vector2(4.0f, 5.0f)));
    EXPECT_FLOAT_EQ(25.0f, Vector2::DistanceSquared(Vector2(1.0f, 1.0f), Vector2(4.0f, 5.0f)));
    EXPECT_FLOAT_EQ(11.0f, Vector2::Dot(Vector2(1.0f, 2.0f), Vector2(3.0f, 4.0f)));
    // Bouncing off a floor flips the vertical component.
    EXPECT_EQ(Vector2(1.0f, 1.0f), Vector2::Reflect(Vector2(1.0f, -1.0f), Vector2(0.0f, 1.0f)));
    EXPECT_EQ(Vector2(3.0f, 6.0f), Vector2::Lerp(Vector2(1.0f, 2.0f), Vector2(2.0f, 4.0f), 2.0f));
    EXPECT_EQ(Vector2(1.0f, 2.0f), Vector2::Min(Vector2(1.0f, 5.0f), Vector2(3.0f, 2.0f)));
    EXPECT_EQ(Vector2(3.0f, 5.0f), Vector2::Max(Vector2(1.0f, 5.0f), Vector2(3.0f, 2.0f)));
    EXPECT_EQ(Vector2(-1.0f, 2.0f), -Vector2(1.0f, -2.0f));
}

TEST(Vector2Operations, CrossIsPositiveCounterClockwise)
{
    EXPECT_FLOAT_EQ(1.0f, Vector2::Cross(Vector2::UnitX, Vector2::UnitY));
    EXPECT_FLOAT_EQ(-1.0f, Vector2::Cross(Vector2::UnitY, Vector2::UnitX));
}

TEST(Vector2Operations, RotateTurnsCounterClockwise)
{
    const float quarterTurn = std::acos(-1.0f) / 2.0f;
    ExpectNear(Vector2(0.0f, 1.0f), Vector2::Rotate(Vector2(1.0f, 0.0f), quarterTurn));
    Vector2 v(0.0f, 2.0f);
    v.Rotate(quarterTurn);
    ExpectNear(Vector2(-2.0f, 0.0f), v);
}

TEST(Vector2Operations, CompoundAssignmentAndConversion)
{
    Vector2 v(1.0f, 2.0f);
    v += Vector2(1.0f, 1.0f);
    v -= Vector2(0.5f, 0.5f);
    v *= 4.0f;
    v /= 2.0f;
    EXPECT_EQ(Vector2(3.0f, 5.0f), v);
    EXPECT_EQ(Vector2(-3.0f, 7.0f), Vector2(Vec2i(-3, 7)));
    EXPECT_EQ(Vector2(2.5f, 2.5f), Vector2(2.5f));
    EXPECT_NE(Vector2(1.0f, 2.0f), Vector2(1.0f, 2.0001f));
}

TEST(VectorStreamOutput, SeparatesComponentsWithCommaAndBlank)
{
    std::ostringstream two, three;
    two << Vector2(1.5f, -2.0f);
    three << Vector3(1.0f, 2.0f, 3.25f);
    EXPECT_EQ("1.5, -2", two.str());
    EXPECT_EQ("1, 2, 3.25", three.str());
}

