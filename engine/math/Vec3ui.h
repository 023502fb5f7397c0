#pragma once

#include <cstdint>

// A triple of unsigned 32-bit integers.
struct Vec3ui
{
    uint32_t X;
    uint32_t Y;
    uint32_t Z;

    constexpr Vec3ui() : X(0), Y(0), Z(0) {}
    constexpr Vec3ui(uint32_t x, uint32_t y, uint32_t z) : X(x), Y(y), Z(z) {}

    bool operator==(const Vec3ui& other) const { return X == other.X && Y == other.Y && Z == other.Z; }
    bool operator!=(const Vec3ui& other) const { return !(*this == other); }
};
