#include "engine/math/Vector3.h"

#include <algorithm>
#include <cmath>

Vector3 Vector3::Zero(0.0f, 0.0f, 0.0f);
Vector3 Vector3::One(1.0f, 1.0f, 1.0f);
Vector3 Vector3::UnitX(1.0f, 0.0f, 0.0f);
Vector3 Vector3::UnitY(0.0f, 1.0f, 0.0f);
Vector3 Vector3::UnitZ(0.0f, 0.0f, 1.0f);

namespace
{
    // Below this length a vector has no usable direction.
    const float kNormalizeThreshold = 1e-6f;
}

float Vector3::Length() const
{
    return std::sqrt(LengthSquared());
}

float Vector3::LengthSquared() const
{
    return X * X + Y * Y + Z * Z;
}

void Vector3::Normalize()
{
    const float length = Length();
    // Written so a NaN length also takes the fallback.
    if (length >= kNormalizeThreshold)
    {
        X /= length;
        Y /= length;
        Z /= length;
    }
    else if (X < Y)
        *this = UnitY;
    else if (Z < X)
        *this = UnitX;
    else
        *this = UnitZ;
}

float Vector3::Distance(const Vector3& a, const Vector3& b)
{
    return (b - a).Length();
}

float Vector3::DistanceSquared(const Vector3& a, const Vector3& b)
{
    return (b - a).LengthSquared();
}

float Vector3::Dot(const Vector3& a, const Vector3& b)
{
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}

Vector3 Vector3::Normalize(const Vector3& v)
{
    Vector3 result(v);
    result.Normalize();
    return result;
}

Vector3 Vector3::Reflect(const Vector3& v, const Vector3& n)
{
    return v - n * (2.0f * Dot(v, n));
}

Vector3 Vector3::Min(const Vector3& a, const Vector3& b)
{
    return Vector3(std::min(a.X, b.X), std::min(a.Y, b.Y), std::min(a.Z, b.Z));
}

Vector3 Vector3::Max(const Vector3& a, const Vector3& b)
{
    return Vector3(std::max(a.X, b.X), std::max(a.Y, b.Y), std::max(a.Z, b.Z));
}

Vector3 Vector3::Clamp(const Vector3& v, const Vector3& min, const Vector3& max)
{
    return Max(Min(v, max), min);
}

Vector3 Vector3::Lerp(const Vector3& a, const Vector3& b, float t)
{
    return a + (b - a) * t;
}

Vector3 Vector3::Negate(const Vector3& v)
{
    return Zero - v;
}

Vector3 Vector3::operator+(const Vector3& other) const { return Vector3(X + other.X, Y + other.Y, Z + other.Z); }
Vector3 Vector3::operator-(const Vector3& other) const { return Vector3(X - other.X, Y - other.Y, Z - other.Z); }
Vector3 Vector3::operator*(float scalar) const { return Vector3(X * scalar, Y * scalar, Z * scalar); }
Vector3 Vector3::operator/(float scalar) const { return Vector3(X / scalar, Y / scalar, Z / scalar); }
Vector3 Vector3::operator-() const { return Negate(*this); }

Vector3& Vector3::operator+=(const Vector3& other)
{
    X += other.X;
    Y += other.Y;
    Z += other.Z;
    return *this;
}

Vector3& Vector3::operator-=(const Vector3& other)
{
    X -= other.X;
    Y -= other.Y;
    Z -= other.Z;
    return *this;
}

Vector3& Vector3::operator*=(float scalar)
{
    X *= scalar;
    Y *= scalar;
    Z *= scalar;
    return *this;
}

Vector3& Vector3::operator/=(float scalar)
{
    X /= scalar;
    Y /= scalar;
    Z /= scalar;
    return *this;
}

bool Vector3::operator==(const Vector3& other) const { return X == other.X && Y == other.Y && Z == other.Z; }
bool Vector3::operator!=(const Vector3& other) const { return !(*this == other); }

std::ostream& operator<<(std::ostream& stream, const Vector3& v)
{
    return stream << v.X << ", " << v.Y << ", " << v.Z;
}
