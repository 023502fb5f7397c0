#pragma once

#include "engine/math/Vec2i.h"

#include <ostream>

// A two-dimensional single-precision vector: positions, sizes, velocities.
struct Vector2
{
    float X;
    float Y;

    // Ordinary globals, assignable from scripts; read at the time of each call.
    static Vector2 Zero;
    static Vector2 One;
    static Vector2 UnitX;
    static Vector2 UnitY;

    // constexpr so the constants above are ready before any other global reads them.
    constexpr Vector2() : X(0.0f), Y(0.0f) {}
    constexpr Vector2(float x, float y) : X(x), Y(y) {}
    constexpr explicit Vector2(float value) : X(value), Y(value) {}
    constexpr explicit Vector2(const Vec2i& other) : X(static_cast<float>(other.X)), Y(static_cast<float>(other.Y)) {}

    float Length() const;
    float LengthSquared() const;

    // In place. Vectors too short to have a direction become UnitX or UnitY.
    void Normalize();
    // Rotates in place, counter-clockwise, by radians.
    void Rotate(float radians);

    static float Distance(const Vector2& a, const Vector2& b);
    static float DistanceSquared(const Vector2& a, const Vector2& b);
    static float Dot(const Vector2& a, const Vector2& b);
    // Scalar cross product: a.X * b.Y - a.Y * b.X (positive when b lies counter-clockwise of a).
    static float Cross(const Vector2& a, const Vector2& b);
    static Vector2 Normalize(const Vector2& v);
    static Vector2 Rotate(const Vector2& v, float radians);
    // Mirrors v about a surface with normal n; n is used as given, not normalised.
    static Vector2 Reflect(const Vector2& v, const Vector2& n);
    static Vector2 Min(const Vector2& a, const Vector2& b);
    static Vector2 Max(const Vector2& a, const Vector2& b);
    // Per component; where min exceeds max the result is min.
    static Vector2 Clamp(const Vector2& v, const Vector2& min, const Vector2& max);
    // t is not limited to 0..1.
    static Vector2 Lerp(const Vector2& a, const Vector2& b, float t);
    static Vector2 Negate(const Vector2& v);

    Vector2 operator+(const Vector2& other) const;
    Vector2 operator-(const Vector2& other) const;
    Vector2 operator*(float scalar) const;
    Vector2 operator/(float scalar) const;
    Vector2 operator-() const;
    Vector2& operator+=(const Vector2& other);
    Vector2& operator-=(const Vector2& other);
    Vector2& operator*=(float scalar);
    Vector2& operator/=(float scalar);
    bool operator==(const Vector2& other) const;
    bool operator!=(const Vector2& other) const;
};

// Writes "X, Y" in the stream's float format.
std::ostream& operator<<(std::ostream& stream, const Vector2& v);
