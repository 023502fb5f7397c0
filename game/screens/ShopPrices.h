#pragma once

#include "game/ships/UpgradeKind.h"

class ShipStats;

// The shipyard trades in whole rum: the price a button shows is the price the player pays,
// and the rum shown is the rum that can be spent, so what is shown always agrees with what
// can be bought.
class ShopPrices
{
public:
    // Rounds a raw price up to whole rum, forgiving float noise (25.000002 is 25).
    static float Whole(float rawPrice);
    static float UpgradeCost(const ShipStats& stats, UpgradeKind kind);
    // A quarter of a rum per point of missing health.
    static float RepairCost(const ShipStats& stats);
    static float SpendableRum(float rum);
};
