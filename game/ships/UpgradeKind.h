#pragma once

// What the shipyard sells; the index of the row, its button and its price.
enum UpgradeKind
{
    UK_Strength = 0,
    UK_Velocity = 1,
    UK_Handling = 2,
    UK_Cannon = 3,
    UK_MiniCannon = 4,
    UK_Count = 5
};
