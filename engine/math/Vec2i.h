#pragma once

#include <cstdint>

// A pair of signed 32-bit integers (grid cells, window sizes, pixel positions).
struct Vec2i
{
    int32_t X;
    int32_t Y;

    constexpr Vec2i() : X(0), Y(0) {}
    constexpr Vec2i(int32_t x, int32_t y) : X(x), Y(y) {}

    bool operator==(const Vec2i& other) const { return X == other.X && Y == other.Y; }
    bool operator!=(const Vec2i& other) const { return !(*this == other); }
};
