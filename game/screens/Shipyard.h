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

    // Spend the shown price on one level of the kind, when the ship has the rum.
    static bool BuyUpgrade(Ship* ship, UpgradeKind kind);
    static bool Repair(Ship* ship);
    // "Upgrade for 25", "Repair for 10", "Rum: 50".
    static String UpgradeLabel(const Ship& ship, UpgradeKind kind);
    static String RepairLabel(const Ship& ship);
    static String RumText(const Ship& ship);

private:
    void UpdateLabels(const Ship& ship);

    Button _upgradeButtons[UK_Count];
    Button _repairButton;
    Button _closeButton;
};
