#include "engine/rendering/ClipSpace.h"

#include <cmath>

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
    _planeCount = 0;
    _fixedOutside = false;
    _fixedCrossing = false;
    for (int axis = 0; axis < 3; ++axis)
    {
        for (int side = 0; side < 2; ++side)
        {
            const float sign = side == 0 ? 1.0f : -1.0f;
            Plane plane;
            plane.A = rows[3][0] + sign * rows[axis][0];
            plane.B = rows[3][1] + sign * rows[axis][1];
            plane.D = rows[3][2] + sign * rows[axis][2];
            plane.Slope = std::sqrt(plane.A * plane.A + plane.B * plane.B);
            plane.AbsA = std::fabs(plane.A);
            plane.AbsB = std::fabs(plane.B);
            plane.AbsD = std::fabs(plane.D);
            if (plane.A == 0.0f && plane.B == 0.0f)
            {
                // The same for every point of the plane z = 0 (the near and far planes of an
                // untilted camera): judged once here, as it would judge any shape.
                Judge(plane, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, _fixedOutside, _fixedCrossing);
            }
            else
            {
                _planes[_planeCount++] = plane;
            }
        }
    }
}
