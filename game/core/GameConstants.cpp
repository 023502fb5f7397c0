#include "game/core/GameConstants.h"

const String StartHardcoreModeMessage = "StartHardcoreMode";
const String StartTechRaceMessage = "StartTechRace";
const String RestartMessage = "Restart";
const String OpenCloseShopMessage = "OpenCloseShop";
const String UpgradeShipStrengthMessage = "UpgradeShipStrengthButtonPressed";
const String UpgradeShipVelocityMessage = "UpgradeShipVelocityButtonPressed";
const String UpgradeShipHandlingMessage = "UpgradeShipHandlingButtonPressed";
const String UpgradeCannonMessage = "UpgradeCannonButtonPressed";
const String UpgradeMinicannonMessage = "UpgradeMinicannonButtonPressed";
const String RepairMessage = "RepairButtonPressed";
const String CloseMessage = "CloseButtonPressed";

const String TitleFont = "ShadowsIntoLightTitle";
const String TextbodyFont = "ShadowsIntoLightTextbody";

// The title's spelling and the doubled "on on" are the game's own texts; keep them.
const String GameTitleText = "Skarrow Gameplay Protoype";
const String HardcoreModeButtonText = "Hardcore Mode";
const String TechRaceModeButtonText = "Tech Race Mode";
const String HelpLines[HelpLineCount] = {
    "You can steer your ship with WASD.",
    "The steering speed is dependent on on the forward velocity.",
    "Shoot your full broadside by pressing the right mouse button.",
    "Aim and press the left mouse button to shoot your mini cannons.",
    "The damage you cause through ramming and cannons depends on where you hit.",
    "The front is strong, the rear is weak.",
    "",
    "You can edit the file \"bits\\Config\\defaults.lua\"",
    "to use your own resolution and so on.",
};
const String ResultTitleText = "Your result";
const String RestartButtonText = "Restart";
const String ShipyardTitleText = "Shipyard";
const String UpgradeNames[UpgradeNameCount] = {
    "Ship strength", "Ship velocity", "Ship handling", "Cannon", "Mini cannon",
};
const String UpgradeForText = "Upgrade for ";
const String RepairForText = "Repair for ";
const String CloseButtonText = "Close";

const char GameHolder[] = "the game";
