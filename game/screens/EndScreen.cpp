#include "game/screens/EndScreen.h"

#include "engine/rendering/FontRegistry.h"
#include "game/core/GameConstants.h"
#include "game/core/SkarrowGameManager.h"

#include <sstream>

namespace
{
    const float TextLeftOfCentre = 350.0f;
    const float ButtonBelowCentre = 130.0f;
    const Color Ink(0.0f, 0.0f, 0.0f, 1.0f);
}

EndScreen::EndScreen() : Form("EndScreen")
{
    _restartButton.SetFont(TextbodyFont);
    _restartButton.SetLabel(RestartButtonText);
    _restartButton.SetMessage(RestartMessage);
    _restartButton.SetPosition(GetPosition().X, GetPosition().Y + ButtonBelowCentre);
    AddButton(_restartButton);
    SetVisible(false);
}

void EndScreen::Update(float dt)
{
    HUDActor::Update(dt);
}

String EndScreen::ResultLine(int kills)
{
    std::ostringstream line;
    line << "You destroyed " << kills << " enemy ships.";
    return line.str();
}

void EndScreen::Render()
{
    HUDActor::Render();
    // A script may move the screen anywhere: its text is kept within the pixels text can be drawn at.
    const int left = ToTextPixel(GetPosition().X - TextLeftOfCentre);
    const float y = GetPosition().Y;
    const int kills = SkarrowGameManager::GetInstance()->GetKills();
    DrawScreenTextColored(ResultTitleText, TitleFont, left, ToTextPixel(y - 150.0f), 0.0f, Ink);
    DrawScreenTextColored(ResultLine(kills), TextbodyFont, left, ToTextPixel(y - 100.0f), 0.0f, Ink);
    DrawScreenTextColored("Press space to start again", TextbodyFont, left, ToTextPixel(y - 40.0f), 0.0f, Ink);
    DrawScreenTextColored("or press escape to end the game.", TextbodyFont, left, ToTextPixel(y - 10.0f), 0.0f, Ink);
    DrawScreenTextColored("Do you like it? Or not?", TextbodyFont, left, ToTextPixel(y + 50.0f), 0.0f, Ink);
}
