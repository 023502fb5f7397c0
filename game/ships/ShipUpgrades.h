#pragma once

#include "game/ships/UpgradeKind.h"

// Which ship value each multiplier slot scales. Slots 9 and 10 are raised by upgrades
// but scale nothing.
enum UpgradeSlot
{
    US_MaxSpeed = 0,
    US_Acceleration = 1,
    US_Size = 2,
    US_Density = 3,
    US_MaxHealth = 4,
    US_TurnRate = 5,
    US_VelocityDrag = 6,
    US_ForwardDrag = 7,
    US_TurnDrag = 8,
    US_Cannon = 9,
    US_MiniCannon = 10,
    US_BallImpulse = 11,
    US_BallDensity = 12,
    US_BallRadius = 13,
    US_BallDamage = 14,
    US_MiniCannonDamage = 15,
    US_MiniCannonRange = 16,
    US_Count = 17
};

// The multipliers and levels that upgrades write and a ship's effective values read.
class ShipUpgrades
{
public:
    ShipUpgrades();

    // Every multiplier back to 1, every level back to 0.
    void Reset();

    float GetMultiplier(int slot) const;
    void SetMultiplier(int slot, float multiplier);
    int GetLevelOfSlot(int slot) const;
    void SetLevelOfSlot(int slot, int level);

    // Raises the kind one level and recomputes the multipliers it owns.
    void ApplyUpgrade(UpgradeKind kind);
    int GetLevel(UpgradeKind kind) const;
    // Rum for the next level: the step from 100 e^(L k) to 100 e^((L + 1) k), k = ln 1.25,
    // that is 25 * 1.25^L.
    float UpgradePrice(UpgradeKind kind) const;

private:
    static bool IsSlot(int slot) { return slot >= 0 && slot < US_Count; }

    float _multipliers[US_Count];
    int _levels[US_Count];
};
