#include "engine/math/Vector2.h"

#include <algorithm>
#include <cmath>

Vector2 Vector2::Zero(0.0f, 0.0f);
Vector2 Vector2::One(1.0f, 1.0f);
Vector2 Vector2::UnitX(1.0f, 0.0f);
Vector2 Vector2::UnitY(0.0f, 1.0f);

namespace
{
    // Below this length a vector has no usable direction.
    const float kNormalizeThreshold = 1e-7f;
}

float Vector2::Length() const
{
    return std::sqrt(LengthSquared());
}

float Vector2::LengthSquared() const
{
    return X * X + Y * Y;
}

void Vector2::Normalize()
{
    const float length = Length();
    // Written so a NaN length also takes the fallback.
    if (length >= kNormalizeThreshold)
    {
        X /= length;
        Y /= length;
    }
    else
    {
        *this = (X < Y) ? UnitY : UnitX;
    }
}

void Vector2::Rotate(float radians)
{
    *this = Rotate(*this, radians);
}

float Vector2::Distance(const Vector2& a, const Vector2& b)
{
    return (b - a).Length();
}

float Vector2::DistanceSquared(const Vector2& a, const Vector2& b)
{
    return (b - a).LengthSquared();
}

float Vector2::Dot(const Vector2& a, const Vector2& b)
{
    return a.X * b.X + a.Y * b.Y;
}

float Vector2::Cross(const Vector2& a, const Vector2& b)
{
    return a.X * b.Y - a.Y * b.X;
}

Vector2 Vector2::Normalize(const Vector2& v)
{
    Vector2 result(v);
    result.Normalize();
    return result;
}

Vector2 Vector2::Rotate(const Vector2& v, float radians)
{
    const float cosine = std::cos(radians);
    const float sine = std::sin(radians);
    return Vector2(v.X * cosine - v.Y * sine, v.X * sine + v.Y * cosine);
}

Vector2 Vector2::Reflect(const Vector2& v, const Vector2& n)
{
    return v - n * (2.0f * Dot(v, n));
}

Vector2 Vector2::Min(const Vector2& a, const Vector2& b)
{
    return Vector2(std::min(a.X, b.X), std::min(a.Y, b.Y));
}

Vector2 Vector2::Max(const Vector2& a, const Vector2& b)
{
    return Vector2(std::max(a.X, b.X), std::max(a.Y, b.Y));
}

Vector2 Vector2::Clamp(const Vector2& v, const Vector2& min, const Vector2& max)
{
    return Max(Min(v, max), min);
}

Vector2 Vector2::Lerp(const Vector2& a, const Vector2& b, float t)
{
    return a + (b - a) * t;
}

Vector2 Vector2::Negate(const Vector2& v)
{
    return Zero - v;
}

Vector2 Vector2::operator+(const Vector2& other) const { return Vector2(X + other.X, Y + other.Y); }
Vector2 Vector2::operator-(const Vector2& other) const { return Vector2(X - other.X, Y - other.Y); }
Vector2 Vector2::operator*(float scalar) const { return Vector2(X * scalar, Y * scalar); }
Vector2 Vector2::operator/(float scalar) const { return Vector2(X / scalar, Y / scalar); }
Vector2 Vector2::operator-() const { return Negate(*this); }

Vector2& Vector2::operator+=(const Vector2& other)
{
    X += other.X;
    Y += other.Y;
    return *this;
}

Vector2& Vector2::operator-=(const Vector2& other)
{
    X -= other.X;
    Y -= other.Y;
    return *this;
}

Vector2& Vector2::operator*=(float scalar)
{
    X *= scalar;
    Y *= scalar;
    return *this;
}

Vector2& Vector2::operator/=(float scalar)
{
    X /= scalar;
    Y /= scalar;
    return *this;
}

bool Vector2::operator==(const Vector2& other) const { return X == other.X && Y == other.Y; }
bool Vector2::operator!=(const Vector2& other) const { return !(*this == other); }

std::ostream& operator<<(std::ostream& stream, const Vector2& v)
{
    return stream << v.X << ", " << v.Y;
}
