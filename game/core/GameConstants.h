#pragma once

#include "engine/util/StringTypes.h"

// Message names, font nicknames and fixed screen texts, named once so that sender and
// receiver (or the screen that registers a font and those that draw with it) agree.

// Messages.
extern const String StartHardcoreModeMessage;
extern const String StartTechRaceMessage;
extern const String RestartMessage;
extern const String OpenCloseShopMessage;
extern const String UpgradeShipStrengthMessage;
extern const String UpgradeShipVelocityMessage;
extern const String UpgradeShipHandlingMessage;
extern const String UpgradeCannonMessage;
extern const String UpgradeMinicannonMessage;
extern const String RepairMessage;
extern const String CloseMessage;

// Font nicknames.
extern const String TitleFont;
extern const String TextbodyFont;

// Screen texts.
extern const String GameTitleText;
extern const String HardcoreModeButtonText;
extern const String TechRaceModeButtonText;
const int HelpLineCount = 9;
extern const String HelpLines[HelpLineCount];
extern const String ResultTitleText;
extern const String RestartButtonText;
extern const String ShipyardTitleText;
const int UpgradeNameCount = 5;
extern const String UpgradeNames[UpgradeNameCount];
extern const String UpgradeForText;
extern const String RepairForText;
extern const String CloseButtonText;

// The holder the game names on the renderables it keeps (see Renderable::SetHolder), as a
// script that tries to destroy one is told.
extern const char GameHolder[];
