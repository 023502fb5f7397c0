// Angles, rounding, random ranges, boxes and polygons.
#include "engine/math/MathUtil.h"
#include "support/SystemLogCapture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

TEST(MathUtilAngles, ConvertAndMeasure)
{
    EXPECT_NEAR(180.0f, MathUtil::ToDegrees(MathUtil::Pi), 1e-3);
    EXPECT_NEAR(MathUtil::PiOver2, MathUtil::ToRadians(90.0f), 1e-6);
    const Vector2 up = MathUtil::VectorFromAngle(90.0f);
    EXPECT_NEAR(0.0f, up.X, 1e-6);
    EXPECT_NEAR(1.0f, up.Y, 1e-6);
    EXPECT_NEAR(MathUtil::PiOver4, MathUtil::AngleFromVector(Vector2(3.0f, 3.0f)), 1e-6);
    EXPECT_FLOAT_EQ(0.0f, MathUtil::AngleFromVector(Vector2(0.0f, 0.0f)));
    EXPECT_NEAR(MathUtil::PiOver2, MathUtil::AngleFromVectors(Vector2(0, 1), Vector2(1, 0)), 1e-6);
    EXPECT_NEAR(MathUtil::PiOver2, MathUtil::VectorDeltaAngle(Vector2(0, 1), Vector2(1, 0)), 1e-6);
}

TEST(MathUtilAngles, DeltaAndWrapCorrectOnce)
{
    EXPECT_FLOAT_EQ(3.5f - MathUtil::TwoPi, MathUtil::DeltaAngle(0.0f, 3.5f));
    EXPECT_FLOAT_EQ(10.0f - MathUtil::TwoPi, MathUtil::DeltaAngle(0.0f, 10.0f));
    EXPECT_FLOAT_EQ(-3.5f + MathUtil::TwoPi, MathUtil::DeltaAngle(3.5f, 0.0f));
    EXPECT_FLOAT_EQ(1.0f, MathUtil::DeltaAngle(1.0f, 2.0f));
    EXPECT_FLOAT_EQ(-4.0f + MathUtil::TwoPi, MathUtil::WrapAngleBelow(-4.0f));
    EXPECT_FLOAT_EQ(4.0f, MathUtil::WrapAngleBelow(4.0f));
}

TEST(MathUtilRounding, HalvesAndFuzz)
{
    EXPECT_EQ(-2, MathUtil::RoundToInt(-2.5f));
    EXPECT_EQ(3, MathUtil::RoundToInt(2.5));
    EXPECT_FLOAT_EQ(-3.0f, MathUtil::Round(-2.5f));
    EXPECT_FLOAT_EQ(3.0f, MathUtil::Round(2.5f));
    EXPECT_FALSE(MathUtil::FuzzyEquals(1.0f, 1.0f + 0.5f, 0.5f));
    EXPECT_TRUE(MathUtil::FuzzyEquals(Vector2(1, 1), Vector2(1.0000001f, 1)));
    EXPECT_TRUE(MathUtil::IsNaN(std::nanf("")));
    EXPECT_FLOAT_EQ(6.0f, MathUtil::Lerp(2.0f, 4.0f, 2.0f));
    EXPECT_FLOAT_EQ(4.0f, MathUtil::SmoothStep(2.0f, 4.0f, 2.0f));
    EXPECT_FLOAT_EQ(3.0f, MathUtil::SmoothStep(2.0f, 4.0f, 0.5f));
    // Beyond int's range a plain cast is undefined: the nearest limit, and 0 for NaN.
    EXPECT_EQ(INT_MIN, MathUtil::RoundToInt(-1e300));
    EXPECT_EQ(0, MathUtil::RoundToInt(std::nanf("")));
}

TEST(MathUtilRandom, StaysInItsRanges)
{
    EXPECT_EQ(0, MathUtil::RandomInt(0));
    EXPECT_EQ(0, MathUtil::RandomInt(-3));
    EXPECT_EQ(5, MathUtil::RandomIntInRange(5, 5));
    EXPECT_EQ(7, MathUtil::RandomIntWithError(7, 0));
    bool sawTwo = false;
    bool sawThree = false;
    for (int i = 0; i < 2000; ++i)
    {
        const int value = MathUtil::RandomIntInRange(2, 4);
        ASSERT_TRUE(value == 2 || value == 3) << value;
        sawTwo = sawTwo || value == 2;
        sawThree = sawThree || value == 3;

        const float fraction = MathUtil::RandomFloat();
        ASSERT_GE(fraction, 0.0f);
        ASSERT_LE(fraction, 0.9999f);
        const float ranged = MathUtil::RandomFloatInRange(-2.0f, 3.0f);
        ASSERT_GE(ranged, -2.0f);
        ASSERT_LT(ranged, 3.0f);
        const int withError = MathUtil::RandomIntWithError(10, 2);
        ASSERT_GE(withError, 8);
        ASSERT_LT(withError, 12);
        const Vector2 v = MathUtil::RandomVector(Vector2(1, 2), Vector2(2, 4));
        ASSERT_TRUE(v.X >= 1 && v.X < 2 && v.Y >= 2 && v.Y < 4);
    }
    EXPECT_TRUE(sawTwo && sawThree);
}

// Spans wider than an int: no overflow, both halves come up, and past int's limits it clamps.
TEST(MathUtilRandom, WideRangesStayInRangeAndReachBothHalves)
{
    int belowZero = 0;
    for (int i = 0; i < 400; ++i)
    {
        const int value = MathUtil::RandomIntInRange(INT_MIN, INT_MAX);
        ASSERT_LT(value, INT_MAX);
        belowZero += value < 0 ? 1 : 0;
        const int withError = MathUtil::RandomIntWithError(0, INT_MAX);
        ASSERT_TRUE(withError >= -INT_MAX && withError < INT_MAX) << withError;
        ASSERT_GE(MathUtil::RandomIntWithError(INT_MAX, 5), INT_MAX - 5);
        ASSERT_LE(MathUtil::RandomIntWithError(INT_MIN, 5), INT_MIN + 4);
    }
    EXPECT_TRUE(belowZero > 100 && belowZero < 300) << belowZero;
    EXPECT_EQ(INT_MIN, MathUtil::RandomIntInRange(INT_MIN, INT_MIN));
    EXPECT_EQ(INT_MAX, MathUtil::RandomIntWithError(INT_MAX, INT_MIN));
}

TEST(MathUtilRandom, PointFieldShrinksItsDistanceUntilThePointsFit)
{
    const Vector2List points = MathUtil::RandomPointField(5, Vector2(0, 0), Vector2(1, 1), 100.0f);
    ASSERT_EQ(5u, points.size());
    for (size_t i = 0; i < points.size(); ++i)
    {
        EXPECT_TRUE(points[i].X >= 0 && points[i].X < 1 && points[i].Y >= 0 && points[i].Y < 1);
    }
    EXPECT_TRUE(MathUtil::RandomPointField(0, Vector2(0, 0), Vector2(1, 1)).empty());
}

// The shrinking distance stalled at the smallest float: a box of no size or a NaN never returned.
TEST(MathUtilRandom, PointFieldEndsForEveryBox)
{
    EXPECT_EQ(3u, MathUtil::RandomPointField(3, Vector2(0, 0), Vector2(0, 0)).size());
    EXPECT_EQ(4u, MathUtil::RandomPointField(4, Vector2(-3e38f, -3e38f), Vector2(3e38f, 3e38f), 3e38f).size());
    SystemLogCapture().Lines.clear();
    EXPECT_TRUE(MathUtil::RandomPointField(3, Vector2(0, 0), Vector2(1, 1), std::nanf("")).empty());
    EXPECT_EQ(1, CountLines(SystemLogCapture(), "WARNING: RandomPointField"));
}

// Any count gets its points: more than 10,000 came back as an empty list.
TEST(MathUtilRandom, PointFieldHoldsAnyCount)
{
    EXPECT_EQ(10001u, MathUtil::RandomPointField(10001, Vector2(-100, -100), Vector2(100, 100)).size());
}

TEST(MathUtilBoxes, SplitAlongTheLongerAxis)
{
    const BoundingBox wide(Vector2(0, 0), Vector2(4, 2));
    EXPECT_EQ(0, MathUtil::GetLongerAxis(wide));
    EXPECT_EQ(1, MathUtil::GetLongerAxis(BoundingBox(Vector2(0, 0), Vector2(1, 3))));
    BoundingBox lower, upper;
    MathUtil::SplitBox(wide, 0, lower, upper);
    EXPECT_EQ(BoundingBox(Vector2(0, 0), Vector2(2, 2)), lower);
    EXPECT_EQ(BoundingBox(Vector2(2, 0), Vector2(4, 2)), upper);
    MathUtil::SplitBox(wide, 7, lower, upper);
    EXPECT_EQ(wide, lower);
    EXPECT_EQ(wide, upper);
}

TEST(MathUtilPolygons, PointInPolygonCountsTheClosingEdge)
{
    // A right triangle whose closing edge (last point back to the first) is the hypotenuse.
    const Vector2List triangle = {Vector2(0, 0), Vector2(4, 0), Vector2(4, 4)};
    EXPECT_TRUE(MathUtil::IsPointInPolygon(triangle, Vector2(3, 1)));
    // Inside the bounding box but beyond the hypotenuse.
    EXPECT_FALSE(MathUtil::IsPointInPolygon(triangle, Vector2(1, 3)));
    EXPECT_FALSE(MathUtil::IsPointInPolygon(triangle, Vector2(5, 1)));

    const Vector2List lShape = {Vector2(0, 0), Vector2(4, 0), Vector2(4, 1), Vector2(1, 1), Vector2(1, 4),
                                Vector2(0, 4)};
    EXPECT_TRUE(MathUtil::IsPointInPolygon(lShape, Vector2(0.5f, 3.0f)));
    EXPECT_TRUE(MathUtil::IsPointInPolygon(lShape, Vector2(3.0f, 0.5f)));
    EXPECT_FALSE(MathUtil::IsPointInPolygon(lShape, Vector2(3.0f, 3.0f)));
    EXPECT_FALSE(MathUtil::IsPointInPolygon(Vector2List(2, Vector2(0, 0)), Vector2(0, 0)));
}
