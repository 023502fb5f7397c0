#pragma once

#include "engine/math/BoundingBox.h"
#include "engine/math/Vec2i.h"
#include "engine/math/Vector2.h"

#include <vector>

typedef std::vector<Vector2> Vector2List;

// Numeric constants and helpers: angles, rounding, random numbers, fuzzy comparison,
// boxes and polygons, and the conversions between window pixels and world units.
class MathUtil
{
public:
    static const float E;
    static const float Log10E;
    static const float Log2E;
    static const float Pi;
    static const float PiOver2;
    static const float PiOver4;
    static const float TwoPi;
    static const float MaxFloat;
    static const float MinFloat;
    static const float Epsilon;

    // Angles: degrees in, radians out unless named otherwise.
    static float ToDegrees(float radians);
    static float ToRadians(float degrees);
    static Vector2 VectorFromAngle(float angleDegrees);
    static float AngleFromVector(const Vector2& v);
    static float AngleFromVectors(const Vector2& v1, const Vector2& v2);
    // One correction into -Pi..Pi only; angles further out stay out.
    static float DeltaAngle(float a1, float a2);
    static float WrapAngleBelow(float angle);
    static float VectorDeltaAngle(const Vector2& v1, const Vector2& v2);

    // Halves round up; clamped into int's range like ClampToInt.
    static int RoundToInt(float x);
    static int RoundToInt(double x);
    // Cut toward zero into an int: beyond int's range the nearest limit, NaN 0. A plain cast of
    // those is undefined behaviour, so every float that may hold a script's number goes here.
    static int ClampToInt(double value);
    // Halves round away from zero.
    static float Round(float x);
    static bool IsNaN(float x);
    static bool FuzzyEquals(float value1, float value2, float epsilon = 0.000001f);
    static bool FuzzyEquals(const Vector2& v1, const Vector2& v2, float epsilon = 0.000001f);

    // Interpolation for float, Vector2, Vector3 and Color alike; t is not limited.
    template <typename T>
    static T Lerp(const T& value1, const T& value2, float amount)
    {
        return value1 + (value2 - value1) * amount;
    }
    // Eases in and out; t is limited to 0..1.
    template <typename T>
    static T SmoothStep(const T& value1, const T& value2, float amount)
    {
        float t = amount > 1.0f ? 1.0f : (amount < 0.0f ? 0.0f : amount);
        t = t * t * (3.0f - 2.0f * t);
        return value1 + (value2 - value1) * t;
    }

    // Random numbers; the upper bounds are exclusive.
    static int RandomInt(int maximum);
    static int RandomIntInRange(int minimum, int maximum);
    static int RandomIntWithError(int target, int error);
    static float RandomFloat(float maximum = 1.0f);
    static float RandomFloatInRange(float minimum, float maximum);
    static float RandomFloatWithError(float target, float error);
    static bool RandomBool();
    static Vector2 RandomVector();
    static Vector2 RandomVector(const Vector2& maxValues);
    static Vector2 RandomVector(const Vector2& minValues, const Vector2& maxValues);
    // count points at least about sqrt(minDistance) apart; the distance shrinks whenever the
    // points don't fit, and once it has shrunk to nothing a point is kept wherever it falls, so
    // any finite box (even one of zero size) gets its points. A non-finite corner or distance,
    // or a count whose list can't be allocated, gets an empty list and a "WARNING: " line.
    // Each point is compared with every earlier one, so the work grows with count squared.
    static Vector2List RandomPointField(int count, const Vector2& minValue, const Vector2& maxValue,
                                        float minDistance = 0.5f);

    // Window pixels (origin top left, Y down) and world units (Y up), through the camera.
    static Vector2 GetWorldDimensions();
    static Vector2 ScreenToWorld(int x, int y);
    static Vector2 ScreenToWorld(const Vec2i& screenCoordinates);
    static Vector2 WorldToScreen(const Vector2& worldCoordinates);
    static Vector2 WorldToScreen(float x, float y);
    static float PixelsToWorldUnits(float pixels);
    static float WorldUnitsToPixels(float worldUnits);

    // Boxes and polygons.
    static void SplitBox(const BoundingBox& source, int axis, BoundingBox& lower, BoundingBox& upper);
    static int GetLongerAxis(const BoundingBox& source);
    static bool IsPointInPolygon(const Vector2List& points, const Vector2& point);

private:
    static void SeedOnce();
    static float RandomFraction();
    // lowest plus a draw below span (lowest itself when span < 1), clamped into int's range;
    // computed in 64 bits, so the widest int ranges neither overflow nor wrap.
    static int DrawFromSpan(long long lowest, long long span);

    static bool s_needsSeeding;
};
