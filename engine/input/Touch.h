#pragma once

#include "engine/math/Vec2i.h"

#include <vector>

// One finger on a touch screen. The desktop has none: only scripts create touches, so
// scripts written for touch devices keep working.
struct Touch
{
    // Both points zero, started now on the World's clock, not yet moving.
    Touch();

    Vec2i StartingPoint;
    Vec2i CurrentPoint;
    float StartTime;
    // -1 until the touch moves.
    float MotionStartTime;
    // A touch platform's own record of the touch.
    void* __platformTouch;
};

typedef std::vector<Touch*> TouchList;

// A gesture's figures as touch platforms report them; nothing fills it here.
struct GestureData
{
    GestureData() : Velocity(0.0f), GestureMagnitude(0.0f) {}

    float Velocity;
    float GestureMagnitude;
};
