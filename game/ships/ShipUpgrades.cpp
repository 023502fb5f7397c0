#include "game/ships/ShipUpgrades.h"

#include <algorithm>
#include <cmath>

namespace
{
    // The level slot each kind is read from, in kind order.
    const int LevelSlotOfKind[UK_Count] = {US_Size, US_MaxSpeed, US_TurnRate, US_BallDamage, US_MiniCannonDamage};
    const float PriceGrowth = 0.22314355f;  // ln 1.25

    bool IsKind(UpgradeKind kind)
    {
        return kind >= 0 && kind < UK_Count;
    }
}

ShipUpgrades::ShipUpgrades()
{
    Reset();
}

void ShipUpgrades::Reset()
{
    for (int slot = 0; slot < US_Count; ++slot)
    {
        _multipliers[slot] = 1.0f;
        _levels[slot] = 0;
    }
}

float ShipUpgrades::GetMultiplier(int slot) const
{
    return IsSlot(slot) ? _multipliers[slot] : 1.0f;
}

void ShipUpgrades::SetMultiplier(int slot, float multiplier)
{
    if (IsSlot(slot))
        _multipliers[slot] = multiplier;
}

int ShipUpgrades::GetLevelOfSlot(int slot) const
{
    return IsSlot(slot) ? _levels[slot] : 0;
}

void ShipUpgrades::SetLevelOfSlot(int slot, int level)
{
    if (IsSlot(slot))
        _levels[slot] = level;
}

void ShipUpgrades::ApplyUpgrade(UpgradeKind kind)
{
    if (!IsKind(kind))
        return;
    const int level = GetLevel(kind) + 1;
    const float steps = static_cast<float>(level);
    auto raise = [&](int slot, float multiplier) {
        _levels[slot] = level;
        _multipliers[slot] = multiplier;
    };
    switch (kind)
    {
    case UK_Strength:
        raise(US_Size, 1.0f + 0.1f * steps);
        raise(US_Density, 1.0f + 0.25f * steps);
        raise(US_MaxHealth, 1.0f + 0.25f * steps);
        break;
    case UK_Velocity:
        raise(US_MaxSpeed, 1.0f + 0.25f * steps);
        raise(US_Acceleration, 1.0f + 0.05f * steps);
        raise(US_ForwardDrag, std::max(0.0f, 1.0f - 0.05f * steps));
        break;
    case UK_Handling:
        raise(US_TurnRate, 1.0f + 0.25f * steps);
        raise(US_VelocityDrag, 1.0f + 0.05f * steps);
        raise(US_TurnDrag, 1.0f);
        break;
    case UK_Cannon:
        raise(US_Cannon, 1.0f + 0.25f * steps);
        raise(US_BallImpulse, 1.0f + 0.1f * steps);
        raise(US_BallDensity, 1.0f);
        raise(US_BallRadius, 1.0f);
        raise(US_BallDamage, 1.0f);
        break;
    case UK_MiniCannon:
        raise(US_MiniCannon, 1.0f + 0.25f * steps);
        raise(US_MiniCannonDamage, 1.0f + 0.25f * steps);
        raise(US_MiniCannonRange, 1.0f + 0.1f * steps);
        break;
    default:
        break;
    }
}

int ShipUpgrades::GetLevel(UpgradeKind kind) const
{
    return IsKind(kind) ? _levels[LevelSlotOfKind[kind]] : 0;
}

float ShipUpgrades::UpgradePrice(UpgradeKind kind) const
{
    const float level = static_cast<float>(GetLevel(kind));
    return 100.0f * std::exp((level + 1.0f) * PriceGrowth) - 100.0f * std::exp(level * PriceGrowth);
}
