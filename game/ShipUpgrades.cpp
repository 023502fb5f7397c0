#include "game/ShipUpgrades.h"

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
