#include "engine/math/MathUtil.h"

#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "engine/rendering/Camera.h"
#include "engine/util/TryReserve.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <ctime>

const float MathUtil::E = 2.718282f;
const float MathUtil::Log10E = 0.4342945f;
const float MathUtil::Log2E = 1.442695f;
const float MathUtil::Pi = 3.141593f;
const float MathUtil::PiOver2 = 1.570796f;
const float MathUtil::PiOver4 = 0.7853982f;
const float MathUtil::TwoPi = 6.283185f;
const float MathUtil::MaxFloat = 3.402823e+38f;
const float MathUtil::MinFloat = -3.402823e+38f;
const float MathUtil::Epsilon = 0.000001f;

bool MathUtil::s_needsSeeding = true;

namespace
{
const float kDegreesPerRadian = 57.29578f;
const float kRadiansPerDegree = 0.01745329f;

Vector2 RotateDegrees(const Vector2& v, float degrees)
{
    const float radians = degrees * kRadiansPerDegree;
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    return Vector2(v.X * c - v.Y * s, v.X * s + v.Y * c);
}

// A minimised window reports a height (or width) of 0; one pixel keeps the ratios finite.
float AtLeastOnePixel(int pixels) { return pixels < 1 ? 1.0f : (float)pixels; }

bool IsFinite(const Vector2& v) { return std::isfinite(v.X) && std::isfinite(v.Y); }

// A value between low and high; in double, so a box wider than a float can span still gives one.
float Between(float low, float high, float fraction) { return (float)(low + fraction * ((double)high - low)); }
}

float MathUtil::ToDegrees(float radians) { return radians * kDegreesPerRadian; }

float MathUtil::ToRadians(float degrees) { return degrees * kRadiansPerDegree; }

Vector2 MathUtil::VectorFromAngle(float angleDegrees)
{
    const float radians = angleDegrees * kRadiansPerDegree;
    return Vector2(std::cos(radians), std::sin(radians));
}

float MathUtil::AngleFromVector(const Vector2& v)
{
    if (v.X == 0.0f && v.Y == 0.0f)
    {
        return 0.0f;
    }
    Vector2 direction = Vector2::Normalize(v);
    return std::atan2(direction.Y, direction.X);
}

float MathUtil::AngleFromVectors(const Vector2& v1, const Vector2& v2)
{
    return std::atan2(v1.Y, v1.X) - std::atan2(v2.Y, v2.X);
}

float MathUtil::DeltaAngle(float a1, float a2)
{
    float delta = a2 - a1;
    if (delta > Pi)
    {
        delta -= TwoPi;
    }
    else if (delta < -Pi)
    {
        delta += TwoPi;
    }
    return delta;
}

float MathUtil::WrapAngleBelow(float angle) { return angle < -Pi ? angle + TwoPi : angle; }

float MathUtil::VectorDeltaAngle(const Vector2& v1, const Vector2& v2)
{
    return std::acos(Vector2::Dot(v1, v2));
}

int MathUtil::RoundToInt(float x) { return ClampToInt(std::floor(x + 0.5f)); }

int MathUtil::RoundToInt(double x) { return ClampToInt(std::floor(x + 0.5)); }

int MathUtil::ClampToInt(double value)
{
    if (std::isnan(value))
    {
        return 0;
    }
    if (value >= (double)INT_MAX)
    {
        return INT_MAX;
    }
    return value <= (double)INT_MIN ? INT_MIN : (int)value;
}

float MathUtil::Round(float x) { return x >= 0.0f ? std::floor(x + 0.5f) : std::ceil(x - 0.5f); }

bool MathUtil::IsNaN(float x) { return std::isnan(x); }

bool MathUtil::FuzzyEquals(float value1, float value2, float epsilon)
{
    return std::fabs(value1 - value2) < epsilon;
}

bool MathUtil::FuzzyEquals(const Vector2& v1, const Vector2& v2, float epsilon)
{
    return FuzzyEquals(v1.X, v2.X, epsilon) && FuzzyEquals(v1.Y, v2.Y, epsilon);
}

void MathUtil::SeedOnce()
{
    if (s_needsSeeding)
    {
        s_needsSeeding = false;
        srand((unsigned int)time(0));
    }
}

float MathUtil::RandomFraction() { return (float)(rand() % 10000) / 10000.0f; }

int MathUtil::RandomInt(int maximum)
{
    SeedOnce();
    return maximum < 1 ? 0 : rand() % maximum;
}

int MathUtil::RandomIntInRange(int minimum, int maximum)
{
    SeedOnce();
    return DrawFromSpan(minimum, (long long)maximum - minimum);
}

int MathUtil::RandomIntWithError(int target, int error)
{
    SeedOnce();
    return DrawFromSpan((long long)target - error, 2LL * error);
}

int MathUtil::DrawFromSpan(long long lowest, long long span)
{
    if (span < 1)
    {
        return ClampToInt((double)lowest);
    }
    // One draw reaches only RAND_MAX: a wider span takes two, so its upper part comes up too.
    long long draw = rand();
    if (span > (long long)RAND_MAX + 1)
    {
        draw = draw * ((long long)RAND_MAX + 1) + rand();
    }
    // Only a target within error of int's limits reaches past them; a double holds the sum exactly.
    return ClampToInt((double)(lowest + draw % span));
}

float MathUtil::RandomFloat(float maximum)
{
    SeedOnce();
    return RandomFraction() * maximum;
}

float MathUtil::RandomFloatInRange(float minimum, float maximum)
{
    SeedOnce();
    return minimum + RandomFraction() * (maximum - minimum);
}

float MathUtil::RandomFloatWithError(float target, float error)
{
    return RandomFloatInRange(target - error, target + error);
}

bool MathUtil::RandomBool()
{
    SeedOnce();
    return (rand() % 2) == 1;
}

Vector2 MathUtil::RandomVector() { return RandomVector(Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f)); }

Vector2 MathUtil::RandomVector(const Vector2& maxValues) { return RandomVector(Vector2(0.0f, 0.0f), maxValues); }

Vector2 MathUtil::RandomVector(const Vector2& minValues, const Vector2& maxValues)
{
    const float x = RandomFloatInRange(minValues.X, maxValues.X);
    const float y = RandomFloatInRange(minValues.Y, maxValues.Y);
    return Vector2(x, y);
}

Vector2List MathUtil::RandomPointField(int count, const Vector2& minValue, const Vector2& maxValue,
                                       float minDistance)
{
    Vector2List points;
    if (count <= 0)
    {
        return points;
    }
    if (!IsFinite(minValue) || !IsFinite(maxValue) || !std::isfinite(minDistance))
    {
        CompoundLog::GetSystemLog().Printf(
            "WARNING: RandomPointField takes a finite box and a finite distance; no points.");
        return points;
    }
    if (!TryReserve(points, (size_t)count))
    {
        CompoundLog::GetSystemLog().Printf("WARNING: RandomPointField can't hold %d points in memory; no points.",
                                           count);
        return points;
    }
    SeedOnce();
    const int kDrawsBeforeShrinking = 100;
    int draws = 0;
    while (true)
    {
        Vector2 candidate;
        candidate.Y = Between(minValue.Y, maxValue.Y, RandomFraction());
        candidate.X = Between(minValue.X, maxValue.X, RandomFraction());
        ++draws;

        // Shrunk below the smallest normal float, the distance is nothing: it would stall at
        // the smallest float, and a box too small for its points would never be filled.
        const bool distanceLeft = minDistance >= FLT_MIN;
        bool fits = true;
        for (size_t i = 0; i < points.size() && fits && distanceLeft; ++i)
        {
            fits = Vector2::DistanceSquared(candidate, points[i]) >= minDistance;
        }
        if (draws >= kDrawsBeforeShrinking && distanceLeft)
        {
            minDistance *= 0.75f;
            draws = 0;
            continue;
        }
        if (fits)
        {
            points.push_back(candidate);
            if ((int)points.size() == count)
            {
                return points;
            }
            draws = 0;
        }
    }
}

Vector2 MathUtil::GetWorldDimensions()
{
    Camera* camera = Camera::GetInstance();
    const float width = AtLeastOnePixel(camera->GetWindowWidth());
    const float height = AtLeastOnePixel(camera->GetWindowHeight());
    const float aspect = width / height;
    const float halfAperture = (float)(camera->GetAperture() * 0.5) * (MathUtil::Pi / 180.0f);
    const float span = 2.0f * std::tan(halfAperture) * std::fabs(camera->GetZ());
    if (width > height)
    {
        return Vector2(span * aspect, span);
    }
    return Vector2(span, span / aspect);
}

Vector2 MathUtil::ScreenToWorld(int x, int y)
{
    float screenX = (float)x;
    float screenY = (float)y;
    if (World::GetInstance()->IsHighDensityScreen())
    {
        screenX *= 2.0f;
        screenY *= 2.0f;
    }
    Camera* camera = Camera::GetInstance();
    const Vector2 dimensions = GetWorldDimensions();
    const Vector2 offset(dimensions.X * (screenX / AtLeastOnePixel(camera->GetWindowWidth()) - 0.5f),
                         dimensions.Y * (0.5f - screenY / AtLeastOnePixel(camera->GetWindowHeight())));
    return RotateDegrees(offset, -camera->GetRotation()) + camera->GetPosition();
}

Vector2 MathUtil::ScreenToWorld(const Vec2i& screenCoordinates)
{
    return ScreenToWorld(screenCoordinates.X, screenCoordinates.Y);
}

Vector2 MathUtil::WorldToScreen(const Vector2& worldCoordinates)
{
    Camera* camera = Camera::GetInstance();
    const Vector2 rotated = RotateDegrees(worldCoordinates - camera->GetPosition(), camera->GetRotation());
    const Vector2 dimensions = GetWorldDimensions();
    const float width = (float)camera->GetWindowWidth();
    const float height = (float)camera->GetWindowHeight();
    return Vector2(width * (rotated.X / dimensions.X + 0.5f),
                   height - height * (rotated.Y / dimensions.Y + 0.5f));
}

Vector2 MathUtil::WorldToScreen(float x, float y) { return WorldToScreen(Vector2(x, y)); }

float MathUtil::PixelsToWorldUnits(float pixels)
{
    return pixels / (AtLeastOnePixel(Camera::GetInstance()->GetWindowWidth()) / GetWorldDimensions().X);
}

float MathUtil::WorldUnitsToPixels(float worldUnits)
{
    return (AtLeastOnePixel(Camera::GetInstance()->GetWindowWidth()) / GetWorldDimensions().X) * worldUnits;
}

void MathUtil::SplitBox(const BoundingBox& source, int axis, BoundingBox& lower, BoundingBox& upper)
{
    lower = source;
    upper = source;
    if (axis == 0)
    {
        const float middle = source.Min.X + (source.Max.X - source.Min.X) * 0.5f;
        lower.Max.X = middle;
        upper.Min.X = middle;
    }
    else if (axis == 1)
    {
        const float middle = source.Min.Y + (source.Max.Y - source.Min.Y) * 0.5f;
        lower.Max.Y = middle;
        upper.Min.Y = middle;
    }
}

int MathUtil::GetLongerAxis(const BoundingBox& source)
{
    const Vector2 extent = source.Max - source.Min;
    return extent.X < extent.Y ? 1 : 0;
}

bool MathUtil::IsPointInPolygon(const Vector2List& points, const Vector2& point)
{
    if (points.size() < 3)
    {
        return false;
    }
    BoundingBox bounds = BoundingBox::FromPoints(&points[0], (int)points.size());
    if (!bounds.Contains(point))
    {
        return false;
    }
    // Every edge, the closing one from the last point back to the first included.
    bool inside = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++)
    {
        const Vector2& a = points[j];
        const Vector2& b = points[i];
        const bool straddles = (a.Y > point.Y) != (b.Y > point.Y);
        if (straddles && point.X < (b.X - a.X) * (point.Y - a.Y) / (b.Y - a.Y) + a.X)
        {
            inside = !inside;
        }
    }
    return inside;
}
