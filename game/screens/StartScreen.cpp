#include "game/screens/StartScreen.h"

#include "engine/rendering/FontRegistry.h"
#include "game/core/GameConstants.h"

namespace
{
const float TextLeftOfCentre = 350.0f;
const float TitleAboveCentre = 150.0f;
const float HelpAboveCentre = 100.0f;
const float HelpLineHeight = 30.0f;
const float ButtonsBelowCentre = 210.0f;
const float ButtonSpacing = 40.0f;

void SetUpButton(Button& button, const String& label, const String& message, float x, float y)
{
    button.SetFont(TextbodyFont);
    button.SetLabel(label);
    button.SetMessage(message);
    button.SetPosition(x, y);
}
}

StartScreen::StartScreen() : Form("StartScreen")
{
    Vector2 centre = GetPosition();
    SetUpButton(_hardcoreButton, HardcoreModeButtonText, StartHardcoreModeMessage, centre.X,
                centre.Y + ButtonsBelowCentre);
    SetUpButton(_techRaceButton, TechRaceModeButtonText, StartTechRaceMessage, centre.X,
                centre.Y + ButtonsBelowCentre + ButtonSpacing);
    AddButton(_hardcoreButton);
    AddButton(_techRaceButton);
    SetVisible(false);
}

void StartScreen::Update(float dt)
{
    HUDActor::Update(dt);
}

void StartScreen::Render()
{
    HUDActor::Render();
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    // A script may move the screen anywhere: its text is kept within the pixels text can be drawn at.
    const Vector2& centre = GetPosition();
    int left = ToTextPixel(centre.X - TextLeftOfCentre);
    DrawScreenText(GameTitleText, TitleFont, left, ToTextPixel(centre.Y - TitleAboveCentre), 0.0f);
    for (int line = 0; line < HelpLineCount; ++line)
    {
        int y = ToTextPixel(centre.Y - HelpAboveCentre + HelpLineHeight * line);
        DrawScreenText(HelpLines[line], TextbodyFont, left, y, 0.0f);
    }
}
