#pragma once

#include "engine/math/Ray2.h"
#include "engine/math/Vector2.h"

// An axis-aligned box between a lower-left and an upper-right corner.
// Nothing enforces Min <= Max.
struct BoundingBox
{
    Vector2 Min;
    Vector2 Max;

    // The zero box: both corners at the origin.
    BoundingBox();
    BoundingBox(const Vector2& min, const Vector2& max);

    // The smallest box holding the points; no points give the zero box.
    static BoundingBox FromPoints(const Vector2* points, int count);
    static BoundingBox Union(const BoundingBox& a, const BoundingBox& b);

    Vector2 Centroid() const;
    Vector2 HalfExtents() const;
    // Fills four corners: (Min.X, Min.Y), (Min.X, Max.Y), (Max.X, Max.Y), (Max.X, Min.Y).
    void GetCorners(Vector2 corners[4]) const;

    // Edges count as inside, so touching boxes intersect.
    bool Contains(const Vector2& point) const;
    bool Intersects(const BoundingBox& other) const;
    // 0 when the boxes are apart, 1 when this box lies wholly inside other
    // (edges inclusive), 2 when they overlap otherwise.
    int Classify(const BoundingBox& other) const;

    // On a hit, distance is how far along the ray (in Direction lengths) it enters
    // the box, or leaves it when the ray starts inside.
    bool IntersectsRay(const Ray2& ray, float& distance) const;
    bool IntersectsCircle(const Vector2& centre, float radius) const;

    // Draw with the current colour and transformation; they leave the vertex
    // array client state enabled.
    void RenderOutline() const;
    void RenderFilled() const;

    bool operator==(const BoundingBox& other) const;
    bool operator!=(const BoundingBox& other) const;
};
