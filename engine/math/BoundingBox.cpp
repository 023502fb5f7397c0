#include "engine/math/BoundingBox.h"

#include "engine/log/CompoundLog.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>

namespace
{
    const float kLargestFloat = 3.402823e+38f;
    // Below this a ray direction component counts as parallel to the slab.
    const float kParallelThreshold = 1e-6f;

    enum AxisSide
    {
        SIDE_Below = 0,
        SIDE_Within = 1,
        SIDE_Above = 2
    };

    AxisSide ClassifyOnAxis(float value, float min, float max)
    {
        if (value < min)
            return SIDE_Below;
        if (value > max)
            return SIDE_Above;
        return SIDE_Within;
    }

    // One slab of the ray test; narrows [tmin, tmax] and says whether a hit is
    // still possible.
    bool ClipRayToSlab(float origin, float direction, float min, float max, float& tmin, float& tmax)
    {
        if (std::fabs(direction) < kParallelThreshold)
            return origin >= min && origin <= max;

        const float inverse = 1.0f / direction;
        float t1 = (min - origin) * inverse;
        float t2 = (max - origin) * inverse;
        if (t1 > t2)
            std::swap(t1, t2);
        tmin = std::max(tmin, t1);
        tmax = std::min(tmax, t2);
        return !(tmax < tmin || tmax < 0.0f);
    }

    void DrawCorners(const Vector2 corners[4], GLenum mode)
    {
        const GLfloat vertices[8] = {corners[0].X, corners[0].Y, corners[1].X, corners[1].Y,
                                     corners[2].X, corners[2].Y, corners[3].X, corners[3].Y};
        glEnableClientState(GL_VERTEX_ARRAY);
        // No texture coordinates here: an array left enabled by an earlier draw may point
        // into an actor that has since been deleted.
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glVertexPointer(2, GL_FLOAT, 0, vertices);
        glDrawArrays(mode, 0, 4);
    }
}

BoundingBox::BoundingBox() {}

BoundingBox::BoundingBox(const Vector2& min, const Vector2& max) : Min(min), Max(max) {}

BoundingBox BoundingBox::FromPoints(const Vector2* points, int count)
{
    if (count < 1)
        return BoundingBox();
    if (points == nullptr)
    {
        CompoundLog::GetSystemLog().Printf("ERROR: BoundingBox::FromPoints was given %d points but no point array.",
                                           count);
        return BoundingBox();
    }

    BoundingBox box(Vector2(kLargestFloat, kLargestFloat), Vector2(-kLargestFloat, -kLargestFloat));
    for (int i = 0; i < count; ++i)
    {
        box.Min = Vector2::Min(box.Min, points[i]);
        box.Max = Vector2::Max(box.Max, points[i]);
    }
    return box;
}

BoundingBox BoundingBox::Union(const BoundingBox& a, const BoundingBox& b)
{
    return BoundingBox(Vector2::Min(a.Min, b.Min), Vector2::Max(a.Max, b.Max));
}

Vector2 BoundingBox::Centroid() const
{
    return Min + (Max - Min) * 0.5f;
}

Vector2 BoundingBox::HalfExtents() const
{
    return (Max - Min) * 0.5f;
}

void BoundingBox::GetCorners(Vector2 corners[4]) const
{
    corners[0] = Vector2(Min.X, Min.Y);
    corners[1] = Vector2(Min.X, Max.Y);
    corners[2] = Vector2(Max.X, Max.Y);
    corners[3] = Vector2(Max.X, Min.Y);
}

bool BoundingBox::Contains(const Vector2& point) const
{
    return Min.X <= point.X && point.X <= Max.X && Min.Y <= point.Y && point.Y <= Max.Y;
}

bool BoundingBox::Intersects(const BoundingBox& other) const
{
    return Min.X <= other.Max.X && Max.X >= other.Min.X && Min.Y <= other.Max.Y && Max.Y >= other.Min.Y;
}

int BoundingBox::Classify(const BoundingBox& other) const
{
    if (!Intersects(other))
        return 0;
    const bool inside = other.Min.X <= Min.X && other.Min.Y <= Min.Y && Max.X <= other.Max.X && Max.Y <= other.Max.Y;
    return inside ? 1 : 2;
}

bool BoundingBox::IntersectsRay(const Ray2& ray, float& distance) const
{
    distance = 0.0f;
    float tmin = -kLargestFloat;
    float tmax = kLargestFloat;
    if (!ClipRayToSlab(ray.Position.X, ray.Direction.X, Min.X, Max.X, tmin, tmax))
        return false;
    if (!ClipRayToSlab(ray.Position.Y, ray.Direction.Y, Min.Y, Max.Y, tmin, tmax))
        return false;
    // From inside the box the entry lies behind the origin, so report the exit.
    distance = (tmin > 0.0f) ? tmin : tmax;
    return true;
}

bool BoundingBox::IntersectsCircle(const Vector2& centre, float radius) const
{
    const AxisSide sideX = ClassifyOnAxis(centre.X, Min.X, Max.X);
    const AxisSide sideY = ClassifyOnAxis(centre.Y, Min.Y, Max.Y);
    const Vector2 boxCentre = Centroid();
    const Vector2 halfExtents = HalfExtents();

    if (sideX == SIDE_Within && sideY == SIDE_Within)
        return true;
    if (sideX == SIDE_Within)
        return std::fabs(centre.Y - boxCentre.Y) <= halfExtents.Y + radius;
    if (sideY == SIDE_Within)
        return std::fabs(centre.X - boxCentre.X) <= halfExtents.X + radius;

    const Vector2 nearestCorner(sideX == SIDE_Below ? Min.X : Max.X, sideY == SIDE_Below ? Min.Y : Max.Y);
    return Vector2::DistanceSquared(centre, nearestCorner) <= radius * radius;
}

void BoundingBox::RenderOutline() const
{
    Vector2 corners[4];
    GetCorners(corners);
    DrawCorners(corners, GL_LINE_LOOP);
}

void BoundingBox::RenderFilled() const
{
    // Strip order: top right, top left, bottom right, bottom left.
    const Vector2 corners[4] = {Vector2(Max.X, Max.Y), Vector2(Min.X, Max.Y), Vector2(Max.X, Min.Y),
                                Vector2(Min.X, Min.Y)};
    DrawCorners(corners, GL_TRIANGLE_STRIP);
}

bool BoundingBox::operator==(const BoundingBox& other) const
{
    return Min == other.Min && Max == other.Max;
}

bool BoundingBox::operator!=(const BoundingBox& other) const
{
    return !(*this == other);
}
