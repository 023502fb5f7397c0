#pragma once

#include "engine/math/Vector2.h"

// A ray from Position along Direction; the direction need not be of unit length.
struct Ray2
{
    Vector2 Position;
    Vector2 Direction;

    Ray2() {}
    Ray2(const Vector2& position, const Vector2& direction) : Position(position), Direction(direction) {}
};
