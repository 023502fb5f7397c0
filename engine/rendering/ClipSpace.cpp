#include "engine/rendering/ClipSpace.h"

#include <cmath>

namespace
{
// Keeps a shape this close to a plane (relative to the values compared) on the slow path:
// the volume is worked out here in other roundings than the driver's.
const float kRelativeMargin = 1.0e-4f;
}

ClipVolume::ClipVolume(const float projection[16], const float modelView[16])
{
    // Rows of projection * modelView, reduced to what a point (x, y, 0, 1) uses: x, y, w.
    float rows[4][3];
    for (int row = 0; row < 4; ++row)
    {
        const int columns[] = {0, 1, 3};
        for (int c = 0; c < 3; ++c)
        {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
            {
                sum += projection[k * 4 + row] * modelView[columns[c] * 4 + k];
            }
            rows[row][c] = sum;
        }
    }
    // Inside means -w <= x, y, z <= w: w + coordinate >= 0 and w - coordinate >= 0.
    for (int axis = 0; axis < 3; ++axis)
    {
        for (int side = 0; side < 2; ++side)
        {
            const float sign = side == 0 ? 1.0f : -1.0f;
            Plane& plane = _planes[axis * 2 + side];
            plane.A = rows[3][0] + sign * rows[axis][0];
            plane.B = rows[3][1] + sign * rows[axis][1];
            plane.D = rows[3][2] + sign * rows[axis][2];
            plane.Slope = std::sqrt(plane.A * plane.A + plane.B * plane.B);
        }
    }
}

ClipPlacement ClipVolume::Place(float x, float y, float radius) const
{
    ClipPlacement placement = CLIP_Inside;
    for (const Plane& plane : _planes)
    {
        const float value = plane.A * x + plane.B * y + plane.D;
        const float reach = plane.Slope * std::fabs(radius);
        const float margin =
            kRelativeMargin * (std::fabs(plane.A * x) + std::fabs(plane.B * y) + std::fabs(plane.D) + reach);
        if (value + reach < -margin)
        {
            return CLIP_Outside;
        }
        if (value - reach <= margin)
        {
            placement = CLIP_Crossing;
        }
    }
    return placement;
}
