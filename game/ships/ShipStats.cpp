#include "game/ships/ShipStats.h"

#include "game/ships/Ship.h"

#include <algorithm>
#include <cmath>

namespace
{
const int PentagonHull = 0;
const int SquareHull = 1;
const int PointedHull = 2;

Vector2List MakePentagon()
{
    Vector2List vertices;
    for (int k = 0; k < 5; ++k)
    {
        float angle = k * 2.0f * 3.14159265f / 5.0f;
        vertices.push_back(Vector2(0.5f * std::cos(angle), 0.5f * std::sin(angle)));
    }
    return vertices;
}
}

ShipStats::ShipStats()
    : _length(0.0f), _width(0.0f), _density(1.0f), _maxHealth(100.0f), _name("Missing Name"),
      _spriteFile("Missing File"), _broadsideCannons(0), _ballImpulse(0.0f),
      _ballFlightTime(0.0f), _ballDensity(0.0f), _ballRadius(0.0f), _ballDamage(0.0f),
      _miniCannonDamage(0.0f), _miniCannonRange(0.0f), _maxSpeed(0.0f), _minSpeed(0.0f),
      _acceleration(0.0f), _turnRate(0.0f), _velocityDrag(0.0f), _forwardDrag(0.0f),
      _turnDrag(0.0f), _broadsideReload(0.0f), _miniCannonReload(0.0f), _hullType(PointedHull),
      _health(_maxHealth), _owner(0)
{
}

ShipStats& ShipStats::MakeTestship()
{
    SetLength(6.0f).SetWidth(2.0f).SetDensity(1.0f).SetMaxHealth(100.0f);
    SetName("Testship").SetSpriteFile("Resources/Images/ship1.png");
    SetBroadsideCannons(4).SetBallImpulse(25.0f).SetBallFlightTime(1.5f);
    // Pairs: the first of each pair fires to port (+Y), the second to starboard.
    SetBroadsidePorts({Vector2(0.25f, 0.8f), Vector2(0.25f, -0.8f), Vector2(-0.25f, 0.8f),
                       Vector2(-0.25f, -0.8f)});
    SetBallDensity(2.0f).SetBallRadius(0.5f).SetBallDamage(3.0f);
    SetMiniCannonPorts({Vector2(-0.8f, 0.8f), Vector2(-0.8f, -0.8f)});
    SetMiniCannonDamage(5.0f).SetMiniCannonRange(15.0f);
    SetMaxSpeed(5.0f).SetMinSpeed(0.0f).SetAcceleration(2.0f).SetTurnRate(1.0f);
    SetVelocityDrag(35.0f).SetForwardDrag(10.0f).SetTurnDrag(35.0f);
    SetBroadsideReload(1.0f).SetMiniCannonReload(1.0f);
    SetHullType(PointedHull);
    return BuildHull();
}

ShipStats& ShipStats::BuildHull()
{
    switch (_hullType)
    {
    case PentagonHull:
        _hullPolygon = MakePentagon();
        break;
    case SquareHull:
        _hullPolygon = {Vector2(-0.5f, -0.5f), Vector2(0.5f, -0.5f), Vector2(0.5f, 0.5f),
                        Vector2(-0.5f, 0.5f)};
        break;
    case PointedHull:
        // Flat stern, bow point on the heading axis.
        _hullPolygon = {Vector2(-0.5f, -0.5f), Vector2(0.0f, -0.5f), Vector2(0.5f, 0.0f),
                        Vector2(0.0f, 0.5f), Vector2(-0.5f, 0.5f)};
        break;
    default:
        break;
    }
    return *this;
}

ShipStats& ShipStats::SetMaxHealth(float value)
{
    _maxHealth = value;
    _health.SetMaxHealth(value);
    if (value >= 0.0f)
        _health.SetHealth(value);
    return *this;
}

void ShipStats::ApplyUpgrade(UpgradeKind kind)
{
    _upgrades.ApplyUpgrade(kind);
    if (kind != UK_Strength)
        return;
    _health.SetMaxHealth(GetMaxHealth());
    _health.Heal();
    if (_owner != 0)
        _owner->FitHullToStats();
}

Vector2List ShipStats::GetScaledHull() const
{
    Vector2List scaled;
    for (const Vector2& vertex : _hullPolygon)
        scaled.push_back(Vector2(vertex.X * GetLength(), vertex.Y * GetWidth()));
    return scaled;
}

float ShipStats::GetHullRadius() const
{
    float radius = 0.0f;
    for (const Vector2& corner : GetScaledHull())
        radius = std::max(radius, corner.Length());
    return radius;
}
