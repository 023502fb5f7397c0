#pragma once

#include "engine/math/Vector2.h"
#include "engine/util/StringTypes.h"
#include "game/ships/Damageable.h"
#include "game/ships/ShipUpgrades.h"

#include <vector>

class Ship;

typedef std::vector<Vector2> Vector2List;

// Everything that defines a ship type. Every ship holds its own copy, so upgrades and
// damage change only that ship. Getters of upgradable values return the effective value
// (base value times its multiplier).
class ShipStats
{
public:
    ShipStats();

    // Fills in the game's one ship type.
    ShipStats& MakeTestship();
    // Replaces the hull polygon by the one of the hull type; unknown types keep it.
    ShipStats& BuildHull();

    ShipStats& SetLength(float value) { _length = value; return *this; }
    ShipStats& SetWidth(float value) { _width = value; return *this; }
    ShipStats& SetDensity(float value) { _density = value; return *this; }
    // Also sets the health record's maximum and, for values of 0 or more, its health.
    ShipStats& SetMaxHealth(float value);
    ShipStats& SetName(const String& value) { _name = value; return *this; }
    ShipStats& SetSpriteFile(const String& value) { _spriteFile = value; return *this; }
    ShipStats& SetBroadsideCannons(int value) { _broadsideCannons = value; return *this; }
    ShipStats& SetBallImpulse(float value) { _ballImpulse = value; return *this; }
    ShipStats& SetBallFlightTime(float value) { _ballFlightTime = value; return *this; }
    ShipStats& SetBroadsidePorts(const Vector2List& value) { _broadsidePorts = value; return *this; }
    ShipStats& SetBallDensity(float value) { _ballDensity = value; return *this; }
    ShipStats& SetBallRadius(float value) { _ballRadius = value; return *this; }
    ShipStats& SetBallDamage(float value) { _ballDamage = value; return *this; }
    ShipStats& SetMiniCannonPorts(const Vector2List& value) { _miniCannonPorts = value; return *this; }
    ShipStats& SetMiniCannonDamage(float value) { _miniCannonDamage = value; return *this; }
    ShipStats& SetMiniCannonRange(float value) { _miniCannonRange = value; return *this; }
    ShipStats& SetMaxSpeed(float value) { _maxSpeed = value; return *this; }
    ShipStats& SetMinSpeed(float value) { _minSpeed = value; return *this; }
    ShipStats& SetAcceleration(float value) { _acceleration = value; return *this; }
    ShipStats& SetTurnRate(float value) { _turnRate = value; return *this; }
    ShipStats& SetVelocityDrag(float value) { _velocityDrag = value; return *this; }
    ShipStats& SetForwardDrag(float value) { _forwardDrag = value; return *this; }
    ShipStats& SetTurnDrag(float value) { _turnDrag = value; return *this; }
    ShipStats& SetBroadsideReload(float value) { _broadsideReload = value; return *this; }
    ShipStats& SetMiniCannonReload(float value) { _miniCannonReload = value; return *this; }
    ShipStats& SetHullType(int value) { _hullType = value; return *this; }
    ShipStats& SetHullPolygon(const Vector2List& value) { _hullPolygon = value; return *this; }
    ShipStats& SetUpgrades(const ShipUpgrades& value) { _upgrades = value; return *this; }
    ShipStats& SetHealth(const Damageable& value) { _health = value; return *this; }
    ShipStats& SetOwner(Ship* owner) { _owner = owner; return *this; }

    float GetLength() const { return _length * Multiplier(US_Size); }
    float GetWidth() const { return _width * Multiplier(US_Size); }
    // Length and width of the hull, upgrades included: the ship's actor size.
    Vector2 GetSize() const { return Vector2(GetLength(), GetWidth()); }
    float GetDensity() const { return _density * Multiplier(US_Density); }
    float GetMaxHealth() const { return _maxHealth * Multiplier(US_MaxHealth); }
    const String& GetName() const { return _name; }
    const String& GetSpriteFile() const { return _spriteFile; }
    int GetBroadsideCannons() const { return _broadsideCannons; }
    float GetBallImpulse() const { return _ballImpulse * Multiplier(US_BallImpulse); }
    float GetBallFlightTime() const { return _ballFlightTime; }
    const Vector2List& GetBroadsidePorts() const { return _broadsidePorts; }
    float GetBallDensity() const { return _ballDensity * Multiplier(US_BallDensity); }
    float GetBallRadius() const { return _ballRadius * Multiplier(US_BallRadius); }
    float GetBallDamage() const { return _ballDamage * Multiplier(US_BallDamage); }
    const Vector2List& GetMiniCannonPorts() const { return _miniCannonPorts; }
    float GetMiniCannonDamage() const { return _miniCannonDamage * Multiplier(US_MiniCannonDamage); }
    float GetMiniCannonRange() const { return _miniCannonRange * Multiplier(US_MiniCannonRange); }
    float GetMaxSpeed() const { return _maxSpeed * Multiplier(US_MaxSpeed); }
    float GetMinSpeed() const { return _minSpeed; }
    float GetAcceleration() const { return _acceleration * Multiplier(US_Acceleration); }
    float GetTurnRate() const { return _turnRate * Multiplier(US_TurnRate); }
    float GetVelocityDrag() const { return _velocityDrag * Multiplier(US_VelocityDrag); }
    float GetForwardDrag() const { return _forwardDrag * Multiplier(US_ForwardDrag); }
    float GetTurnDrag() const { return _turnDrag * Multiplier(US_TurnDrag); }
    float GetBroadsideReload() const { return _broadsideReload; }
    float GetMiniCannonReload() const { return _miniCannonReload; }
    int GetHullType() const { return _hullType; }
    const Vector2List& GetHullPolygon() const { return _hullPolygon; }
    // The hull polygon in world units: every vertex scaled by the effective size.
    Vector2List GetScaledHull() const;
    // How far the farthest corner of the scaled hull lies from the ship's centre: at any
    // heading the hull stays within this circle (3.16 for the "Testship").
    float GetHullRadius() const;
    Ship* GetOwner() const { return _owner; }

    float Multiplier(int slot) const { return _upgrades.GetMultiplier(slot); }
    // Buys one level of the kind. Strength also raises the health ceiling and repairs fully,
    // and gives the owning ship (when there is one) its bigger size and polygon.
    void ApplyUpgrade(UpgradeKind kind);
    int GetUpgradeLevel(UpgradeKind kind) const { return _upgrades.GetLevel(kind); }
    float GetUpgradePrice(UpgradeKind kind) const { return _upgrades.UpgradePrice(kind); }
    ShipUpgrades& GetUpgrades() { return _upgrades; }
    const ShipUpgrades& GetUpgrades() const { return _upgrades; }
    Damageable& GetHealth() { return _health; }
    const Damageable& GetHealth() const { return _health; }

private:
    float _length;
    float _width;
    float _density;
    float _maxHealth;
    String _name;
    String _spriteFile;
    int _broadsideCannons;
    float _ballImpulse;
    float _ballFlightTime;
    Vector2List _broadsidePorts;
    float _ballDensity;
    float _ballRadius;
    float _ballDamage;
    Vector2List _miniCannonPorts;
    float _miniCannonDamage;
    float _miniCannonRange;
    float _maxSpeed;
    float _minSpeed;
    float _acceleration;
    float _turnRate;
    float _velocityDrag;
    float _forwardDrag;
    float _turnDrag;
    float _broadsideReload;
    float _miniCannonReload;
    int _hullType;
    Vector2List _hullPolygon;
    ShipUpgrades _upgrades;
    Damageable _health;
    Ship* _owner;
};
