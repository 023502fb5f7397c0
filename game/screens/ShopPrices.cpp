#include "game/screens/ShopPrices.h"

#include "game/ships/ShipStats.h"

#include <cmath>

namespace
{
    const float PriceTolerance = 0.001f;
    const float RepairCostPerHealth = 0.25f;
}

float ShopPrices::Whole(float rawPrice)
{
    if (!(rawPrice > 0.0f))
        return 0.0f;
    return std::ceil(rawPrice - PriceTolerance);
}

float ShopPrices::UpgradeCost(const ShipStats& stats, UpgradeKind kind)
{
    return Whole(stats.GetUpgradePrice(kind));
}

float ShopPrices::RepairCost(const ShipStats& stats)
{
    return Whole(stats.GetHealth().GetMissingHealth() * RepairCostPerHealth);
}

float ShopPrices::SpendableRum(float rum)
{
    return std::floor(rum);
}
