#pragma once

#include "engine/messaging/MessageListener.h"
#include "game/screens/Button.h"
#include "game/screens/Form.h"
#include "game/ships/UpgradeKind.h"

class Ship;

// The tech race's shop between waves: the player's rum, a row per upgrade kind with its
// level and a button with its price, a repair button and a close button.
class Shipyard : public Form
{
public:
    Shipyard();

    void ReceiveMessage(Message* message) override;
    void Render() override;

    // Spends the exact price of the kind's next level (31.25 for the second) when the ship
    // has that much rum, an equal amount included. A null ship buys nothing.
    static bool BuyUpgrade(Ship* ship, UpgradeKind kind);
    // A quarter of a rum per point of missing health, charged exactly.
    static float RepairCost(const Ship& ship);
    static bool Repair(Ship* ship);
    // The labels round the price up and the rum down to whole numbers: "Upgrade for 32" for
    // 31.25, "Repair for 11" for 10.25, "Rum: 31" for 31.5.
    static String UpgradeLabel(const Ship& ship, UpgradeKind kind);
    static String RepairLabel(const Ship& ship);
    static String RumText(const Ship& ship);

private:
    void UpdateLabels(const Ship& ship);

    Button _upgradeButtons[UK_Count];
    Button _repairButton;
    Button _closeButton;
};
