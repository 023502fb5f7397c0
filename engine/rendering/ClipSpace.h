#pragma once

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

// The six planes of the view volume of a projection times model-view matrix (column-major,
// as OpenGL keeps them), for circles in the z = 0 plane of the model-view's space.
class ClipVolume
{
public:
    // projection and modelView as glGetFloatv returns them.
    ClipVolume(const float projection[16], const float modelView[16]);

    // The circle of radius about (x, y, 0). Near the boundary it answers CLIP_Crossing, so
    // CLIP_Inside and CLIP_Outside are sure.
    ClipPlacement Place(float x, float y, float radius) const;

private:
    struct Plane
    {
        float A, B, D;
        // Length of (A, B): how fast the plane's value grows along z = 0.
        float Slope;
    };

    Plane _planes[6];
};
