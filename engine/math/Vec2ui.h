#pragma once

#include <cstdint>

// A pair of unsigned 32-bit integers.
struct Vec2ui
{
    uint32_t X;
    uint32_t Y;

    constexpr Vec2ui() : X(0), Y(0) {}
    constexpr Vec2ui(uint32_t x, uint32_t y) : X(x), Y(y) {}

    bool operator==(const Vec2ui& other) const { return X == other.X && Y == other.Y; }
    bool operator!=(const Vec2ui& other) const { return !(*this == other); }
};
