#pragma once

#include <ostream>

// A three-dimensional single-precision vector.
struct Vector3
{
    float X;
    float Y;
    float Z;

    // Ordinary globals, assignable from scripts; read at the time of each call.
    static Vector3 Zero;
    static Vector3 One;
    static Vector3 UnitX;
    static Vector3 UnitY;
    static Vector3 UnitZ;

    // constexpr so the constants above are ready before any other global reads them.
    constexpr Vector3() : X(0.0f), Y(0.0f), Z(0.0f) {}
    constexpr Vector3(float x, float y, float z) : X(x), Y(y), Z(z) {}
    constexpr explicit Vector3(float value) : X(value), Y(value), Z(value) {}

    float Length() const;
    float LengthSquared() const;

    // In place. Vectors too short to have a direction become a unit axis.
    void Normalize();

    static float Distance(const Vector3& a, const Vector3& b);
    static float DistanceSquared(const Vector3& a, const Vector3& b);
    static float Dot(const Vector3& a, const Vector3& b);
    static Vector3 Normalize(const Vector3& v);
    // Mirrors v about a surface with normal n; n is used as given, not normalised.
    static Vector3 Reflect(const Vector3& v, const Vector3& n);
    static Vector3 Min(const Vector3& a, const Vector3& b);
    static Vector3 Max(const Vector3& a, const Vector3& b);
    // Per component; where min exceeds max the result is min.
    static Vector3 Clamp(const Vector3& v, const Vector3& min, const Vector3& max);
    // t is not limited to 0..1.
    static Vector3 Lerp(const Vector3& a, const Vector3& b, float t);
    static Vector3 Negate(const Vector3& v);

    Vector3 operator+(const Vector3& other) const;
    Vector3 operator-(const Vector3& other) const;
    Vector3 operator*(float scalar) const;
    Vector3 operator/(float scalar) const;
    Vector3 operator-() const;
    Vector3& operator+=(const Vector3& other);
    Vector3& operator-=(const Vector3& other);
    Vector3& operator*=(float scalar);
    Vector3& operator/=(float scalar);
    bool operator==(const Vector3& other) const;
    bool operator!=(const Vector3& other) const;
};

// Writes "X, Y, Z" in the stream's float format.
std::ostream& operator<<(std::ostream& stream, const Vector3& v);
