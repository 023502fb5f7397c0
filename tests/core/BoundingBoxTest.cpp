#include "engine/math/BoundingBox.h"

#include <gtest/gtest.h>

namespace
{
    const BoundingBox kUnitBox(Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f));
}

TEST(BoundingBoxFromPoints, NoPointsGiveTheZeroBox)
{
    EXPECT_EQ(BoundingBox(Vector2::Zero, Vector2::Zero), BoundingBox::FromPoints(nullptr, 0));
    const Vector2 points[] = {Vector2(5.0f, 5.0f)};
    EXPECT_EQ(BoundingBox(), BoundingBox::FromPoints(points, -3));
}

TEST(BoundingBoxFromPoints, MissingArrayIsRefusedNotRead)
{
    EXPECT_EQ(BoundingBox(), BoundingBox::FromPoints(nullptr, 4));
}

TEST(BoundingBoxFromPoints, SpansEveryPoint)
{
    const Vector2 points[] = {Vector2(1.0f, -2.0f), Vector2(-3.0f, 4.0f), Vector2(0.0f, 0.0f)};
    EXPECT_EQ(BoundingBox(Vector2(-3.0f, -2.0f), Vector2(1.0f, 4.0f)), BoundingBox::FromPoints(points, 3));
    // One point: a box of no extent at that point.
    EXPECT_EQ(BoundingBox(points[0], points[0]), BoundingBox::FromPoints(points, 1));
}

TEST(BoundingBoxShape, UnionCentroidHalfExtentsAndCorners)
{
    const BoundingBox other(Vector2(2.0f, -1.0f), Vector2(3.0f, 0.5f));
    EXPECT_EQ(BoundingBox(Vector2(0.0f, -1.0f), Vector2(3.0f, 1.0f)), BoundingBox::Union(kUnitBox, other));

    const BoundingBox box(Vector2(2.0f, 4.0f), Vector2(6.0f, 10.0f));
    EXPECT_EQ(Vector2(4.0f, 7.0f), box.Centroid());
    EXPECT_EQ(Vector2(2.0f, 3.0f), box.HalfExtents());

    Vector2 corners[4];
    box.GetCorners(corners);
    EXPECT_EQ(Vector2(2.0f, 4.0f), corners[0]);
    EXPECT_EQ(Vector2(2.0f, 10.0f), corners[1]);
    EXPECT_EQ(Vector2(6.0f, 10.0f), corners[2]);
    EXPECT_EQ(Vector2(6.0f, 4.0f), corners[3]);
}

TEST(BoundingBoxContainment, EdgesCountAsInside)
{
    const BoundingBox point(Vector2(1.0f, 1.0f), Vector2(1.0f, 1.0f));
    EXPECT_TRUE(point.Contains(Vector2(1.0f, 1.0f)));
    EXPECT_TRUE(kUnitBox.Contains(Vector2(0.0f, 0.5f)));
    EXPECT_FALSE(kUnitBox.Contains(Vector2(1.01f, 0.5f)));
}

TEST(BoundingBoxContainment, ClassifyTouchingInsideAndApart)
{
    const BoundingBox rightNeighbour(Vector2(1.0f, 0.0f), Vector2(2.0f, 1.0f));
    EXPECT_TRUE(kUnitBox.Intersects(rightNeighbour));
    EXPECT_EQ(2, kUnitBox.Classify(rightNeighbour));
    EXPECT_EQ(1, kUnitBox.Classify(kUnitBox));

    const BoundingBox big(Vector2(-1.0f, -1.0f), Vector2(2.0f, 2.0f));
    EXPECT_EQ(1, kUnitBox.Classify(big));
    EXPECT_EQ(2, big.Classify(kUnitBox));

    const BoundingBox far(Vector2(5.0f, 5.0f), Vector2(6.0f, 6.0f));
    EXPECT_FALSE(kUnitBox.Intersects(far));
    EXPECT_EQ(0, kUnitBox.Classify(far));
}

TEST(BoundingBoxRay, HitFromOutsideReportsEntryDistance)
{
    const BoundingBox box(Vector2(2.0f, -1.0f), Vector2(4.0f, 1.0f));
    float distance = -1.0f;
    EXPECT_TRUE(box.IntersectsRay(Ray2(Vector2(0.0f, 0.0f), Vector2(1.0f, 0.0f)), distance));
    EXPECT_FLOAT_EQ(2.0f, distance);
    // Distance is in lengths of the direction vector.
    EXPECT_TRUE(box.IntersectsRay(Ray2(Vector2(0.0f, 0.0f), Vector2(2.0f, 0.0f)), distance));
    EXPECT_FLOAT_EQ(1.0f, distance);
}

TEST(BoundingBoxRay, RayFromInsideReportsExitDistance)
{
    float distance = -1.0f;
    EXPECT_TRUE(kUnitBox.IntersectsRay(Ray2(Vector2(0.25f, 0.5f), Vector2(1.0f, 0.0f)), distance));
    EXPECT_FLOAT_EQ(0.75f, distance);
}

TEST(BoundingBoxRay, ParallelRayOnTheEdgeStillHits)
{
    float distance = -1.0f;
    EXPECT_TRUE(kUnitBox.IntersectsRay(Ray2(Vector2(0.0f, -2.0f), Vector2(0.0f, 1.0f)), distance));
    EXPECT_FLOAT_EQ(2.0f, distance);
    EXPECT_FALSE(kUnitBox.IntersectsRay(Ray2(Vector2(-0.01f, -2.0f), Vector2(0.0f, 1.0f)), distance));
}

TEST(BoundingBoxRay, MissesBehindAndBeside)
{
    float distance = -1.0f;
    EXPECT_FALSE(kUnitBox.IntersectsRay(Ray2(Vector2(2.0f, 0.5f), Vector2(1.0f, 0.0f)), distance));
    EXPECT_EQ(0.0f, distance);
    EXPECT_FALSE(kUnitBox.IntersectsRay(Ray2(Vector2(-1.0f, 3.0f), Vector2(1.0f, 0.1f)), distance));
}

TEST(BoundingBoxCircle, SidesCornersAndInside)
{
    EXPECT_TRUE(kUnitBox.IntersectsCircle(Vector2(0.5f, 0.5f), 0.0f));
    // Beside the box: only the distance along one axis counts.
    EXPECT_TRUE(kUnitBox.IntersectsCircle(Vector2(0.5f, 1.5f), 0.5f));
    EXPECT_FALSE(kUnitBox.IntersectsCircle(Vector2(0.5f, 1.6f), 0.5f));
    EXPECT_TRUE(kUnitBox.IntersectsCircle(Vector2(-0.5f, 0.5f), 0.5f));
    EXPECT_FALSE(kUnitBox.IntersectsCircle(Vector2(1.6f, 0.5f), 0.5f));
    // Diagonal: measured to the nearest corner, so the circle's square hull is not enough.
    EXPECT_TRUE(kUnitBox.IntersectsCircle(Vector2(2.0f, 2.0f), 1.5f));
    EXPECT_FALSE(kUnitBox.IntersectsCircle(Vector2(1.8f, 1.8f), 1.0f));
    EXPECT_TRUE(kUnitBox.IntersectsCircle(Vector2(-0.5f, -0.5f), 0.75f));
}
