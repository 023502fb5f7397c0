#pragma once

#include <cstdint>

// A triple of signed 32-bit integers.
struct Vec3i
{
    int32_t X;
    int32_t Y;
    int32_t Z;

    constexpr Vec3i() : X(0), Y(0), Z(0) {}
    constexpr Vec3i(int32_t x, int32_t y, int32_t z) : X(x), Y(y), Z(z) {}

    bool operator==(const Vec3i& other) const { return X == other.X && Y == other.Y && Z == other.Z; }
    bool operator!=(const Vec3i& other) const { return !(*this == other); }
};
