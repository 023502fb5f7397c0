#include "game/screens/Shipyard.h"

#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"
#include "engine/rendering/FontRegistry.h"
#include "game/core/GameConstants.h"
#include "game/ships/Ship.h"
#include "game/core/SkarrowGameManager.h"

#include <cmath>
#include <sstream>

namespace
{
    const float ButtonsRightOfCentre = 100.0f;
    const float RowSpacing = 50.0f;
    const Color Ink(0.0f, 0.0f, 0.0f, 1.0f);
    const float RepairCostPerHealth = 0.25f;

    const String* const UpgradeMessages[UK_Count] = {&UpgradeShipStrengthMessage, &UpgradeShipVelocityMessage,
                                                     &UpgradeShipHandlingMessage, &UpgradeCannonMessage,
                                                     &UpgradeMinicannonMessage};

    String WithAmount(const String& prefix, float amount)
    {
        std::ostringstream text;
        text << prefix << amount;
        return text.str();
    }

    void SetUpButton(Button& button, const String& message, float x, float y)
    {
        button.SetFont(TextbodyFont);
        button.SetMessage(message);
        button.SetPosition(x, y);
    }
}

Shipyard::Shipyard() : Form("Shipyard")
{
    for (const String* message : UpgradeMessages)
        Switchboard::GetInstance()->SubscribeTo(this, *message);
    Switchboard::GetInstance()->SubscribeTo(this, RepairMessage);
    Switchboard::GetInstance()->SubscribeTo(this, CloseMessage);

    const Vector2 centre = GetPosition();
    SetUpButton(_repairButton, RepairMessage, centre.X + ButtonsRightOfCentre, centre.Y - 150.0f);
    for (int kind = 0; kind < UK_Count; ++kind)
        SetUpButton(_upgradeButtons[kind], *UpgradeMessages[kind], centre.X + ButtonsRightOfCentre,
                    centre.Y - 100.0f + RowSpacing * kind);
    SetUpButton(_closeButton, CloseMessage, centre.X + ButtonsRightOfCentre, centre.Y + 150.0f);
    _closeButton.SetLabel(CloseButtonText);
    for (Button& button : _upgradeButtons)
        AddButton(button);
    AddButton(_repairButton);
    AddButton(_closeButton);
    SetVisible(false);
}


bool Shipyard::BuyUpgrade(Ship* ship, UpgradeKind kind)
{
    if (!ship)
        return false;
    const float price = ship->GetStats().GetUpgradePrice(kind);
    if (!(price <= ship->GetRum()))
        return false;
    ship->AddRum(-price);
    ship->GetStats().ApplyUpgrade(kind);
    return true;
}

float Shipyard::RepairCost(const Ship& ship)
{
    return ship.GetStats().GetHealth().GetMissingHealth() * RepairCostPerHealth;
}

bool Shipyard::Repair(Ship* ship)
{
    if (!ship)
        return false;
    const float cost = RepairCost(*ship);
    if (!(cost <= ship->GetRum()))
        return false;
    ship->GetStats().GetHealth().Heal();
    ship->AddRum(-cost);
    return true;
}

String Shipyard::UpgradeLabel(const Ship& ship, UpgradeKind kind)
{
    return WithAmount(UpgradeForText, std::ceil(ship.GetStats().GetUpgradePrice(kind)));
}

String Shipyard::RepairLabel(const Ship& ship)
{
    return WithAmount(RepairForText, std::ceil(RepairCost(ship)));
}

String Shipyard::RumText(const Ship& ship)
{
    return WithAmount("Rum: ", std::floor(ship.GetRum()));
}

void Shipyard::ReceiveMessage(Message* message)
{
    SkarrowGameManager* game = SkarrowGameManager::GetInstance();
    const String& name = message->GetMessageName();
    for (int kind = 0; kind < UK_Count; ++kind)
        if (name == *UpgradeMessages[kind])
        {
            BuyUpgrade(game->GetPlayerShip(), static_cast<UpgradeKind>(kind));
            return;
        }
    if (name == RepairMessage)
        Repair(game->GetPlayerShip());
    else if (name == CloseMessage && game->GetState() == GS_Shipyard)
        game->SetState(GS_TechRace);
}

void Shipyard::UpdateLabels(const Ship& ship)
{
    for (int kind = 0; kind < UK_Count; ++kind)
        _upgradeButtons[kind].SetLabel(UpgradeLabel(ship, static_cast<UpgradeKind>(kind)));
    _repairButton.SetLabel(RepairLabel(ship));
}

void Shipyard::Render()
{
    HUDActor::Render();
    // A script may move the shipyard anywhere: its text is kept within the pixels text can be drawn at.
    const float x = GetPosition().X;
    const float y = GetPosition().Y;
    DrawScreenTextColored(ShipyardTitleText, TitleFont, ToTextPixel(x - 350.0f), ToTextPixel(y - 150.0f), 0.0f, Ink);

    const Ship* ship = SkarrowGameManager::GetInstance()->GetPlayerShip();
    if (!ship)
        return;
    UpdateLabels(*ship);
    DrawScreenTextColored(RumText(*ship), TextbodyFont, ToTextPixel(x - 150.0f), ToTextPixel(y - 143.0f), 0.0f, Ink);
    for (int kind = 0; kind < UK_Count; ++kind)
    {
        const int rowY = ToTextPixel(std::trunc(y - 93.0f) + RowSpacing * kind);
        DrawScreenTextColored(UpgradeNames[kind], TextbodyFont, ToTextPixel(x - 350.0f), rowY, 0.0f, Ink);
        std::ostringstream level;
        level << ship->GetStats().GetUpgradeLevel(static_cast<UpgradeKind>(kind));
        DrawScreenTextColored(level.str(), TextbodyFont, ToTextPixel(x - 200.0f), rowY, 0.0f, Ink);
    }
}
