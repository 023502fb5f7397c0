#pragma once

#include <cmath>

// Where a shape lies against the view volume, for splitting a batch's draw: a draw that has
// a single vertex outside the volume is clipped triangle by triangle on a slow path, so shapes
// wholly inside go out in draws of their own, shapes across the edge in others, and shapes
// wholly outside not at all. The split changes no pixel: the same triangles are drawn in the
// same order, and a shape outside the volume covers no pixel.
enum ClipPlacement
{
    CLIP_Inside,
    CLIP_Crossing,
    CLIP_Outside
};

// Keeps a shape this close to a plane (relative to the values compared) on the slow path:
// the volume is worked out here in other roundings than the driver's.
const float kClipRelativeMargin = 1.0e-4f;

// The six planes of the view volume of a projection times model-view matrix (column-major,
// as OpenGL keeps them), for circles in the z = 0 plane of the model-view's space.
class ClipVolume
{
public:
    // projection and modelView as glGetFloatv returns them.
    ClipVolume(const float projection[16], const float modelView[16]);

    // The circle of radius about (x, y, 0). Near the boundary it answers CLIP_Crossing, so
    // CLIP_Inside and CLIP_Outside are sure. Inline: a batch places every sprite it draws.
    ClipPlacement Place(float x, float y, float radius) const;

private:
    struct Plane
    {
        float A, B, D;
        // Length of (A, B): how fast the plane's value grows along z = 0.
        float Slope;
        // The sizes of A, B and D, for the margin.
        float AbsA, AbsB, AbsD;
    };

    // Whether point (x, y) with |x|, |y| and |radius| given lies outside plane or close to it;
    // each verdict only ever turns true.
    static void Judge(const Plane& plane, float x, float y, float absX, float absY, float absRadius,
                      bool& outside, bool& crossing);

    // The planes that depend on where in z = 0 a shape lies; the others' verdict is fixed.
    Plane _planes[6];
    int _planeCount;
    bool _fixedOutside;
    bool _fixedCrossing;
};

inline void ClipVolume::Judge(const Plane& plane, float x, float y, float absX, float absY, float absRadius,
                              bool& outside, bool& crossing)
{
    const float value = plane.A * x + plane.B * y + plane.D;
    const float reach = plane.Slope * absRadius;
    // |A x| is |A| |x| to the bit.
    const float margin = kClipRelativeMargin * (plane.AbsA * absX + plane.AbsB * absY + plane.AbsD + reach);
    outside = outside || value + reach < -margin;
    crossing = crossing || value - reach <= margin;
}

inline ClipPlacement ClipVolume::Place(float x, float y, float radius) const
{
    // Every plane is looked at: outside any plane is outside, as the first such plane would
    // say.
    const float absX = std::fabs(x);
    const float absY = std::fabs(y);
    const float absRadius = std::fabs(radius);
    bool outside = _fixedOutside;
    bool crossing = _fixedCrossing;
    for (int i = 0; i < _planeCount; ++i)
    {
        Judge(_planes[i], x, y, absX, absY, absRadius, outside, crossing);
    }
    return outside ? CLIP_Outside : (crossing ? CLIP_Crossing : CLIP_Inside);
}
