#include "game/EndScreen.h"

#include "engine/core/World.h"
#include "engine/rendering/Camera.h"
#include "engine/rendering/FontRegistry.h"
#include "game/GameConstants.h"
#include "game/SkarrowGameManager.h"

#include <sstream>

namespace
{
    const int FormLayer = 12;
    const float TextLeftOfCentre = 350.0f;
    const float ButtonBelowCentre = 130.0f;
    const Color Ink(0.0f, 0.0f, 0.0f, 1.0f);
}

EndScreen::EndScreen() : _visible(true)
{
    const float width = static_cast<float>(Camera::GetInstance()->GetWindowWidth());
    const float height = static_cast<float>(Camera::GetInstance()->GetWindowHeight());
    SetPosition(width * 0.5f, height * 0.5f);
    SetSize(width, height);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    SetName("EndScreen");
    SetSprite("Resources/Images/formbg.png", 0, GL_CLAMP, GL_LINEAR);

    _restartButton.SetFont(TextbodyFont);
    _restartButton.SetLabel(RestartButtonText);
    _restartButton.SetMessage(RestartMessage);
    _restartButton.SetPosition(GetPosition().X, GetPosition().Y + ButtonBelowCentre);
    SetVisible(false);
}

EndScreen::~EndScreen()
{
    if (_visible)
        World::GetInstance()->Remove(this);
}

void EndScreen::SetVisible(bool visible)
{
    if (visible == _visible)
        return;
    if (visible)
    {
        _visible = true;
        World::GetInstance()->Add(this, FormLayer);
    }
    else
    {
        World::GetInstance()->Remove(this);
        _visible = false;
    }
    _restartButton.SetVisible(visible);
}

bool EndScreen::IsPartOf(const Renderable* renderable) const
{
    return renderable == this || renderable == &_restartButton;
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
    const int left = static_cast<int>(GetPosition().X - TextLeftOfCentre);
    const float y = GetPosition().Y;
    const int kills = SkarrowGameManager::GetInstance()->GetKills();
    DrawScreenTextColored(ResultTitleText, TitleFont, left, static_cast<int>(y - 150.0f), 0.0f, Ink);
    DrawScreenTextColored(ResultLine(kills), TextbodyFont, left, static_cast<int>(y - 100.0f), 0.0f, Ink);
    DrawScreenTextColored("Press space to start again", TextbodyFont, left, static_cast<int>(y - 40.0f), 0.0f, Ink);
    DrawScreenTextColored("or press escape to end the game.", TextbodyFont, left, static_cast<int>(y - 10.0f), 0.0f, Ink);
    DrawScreenTextColored("Do you like it? Or not?", TextbodyFont, left, static_cast<int>(y + 50.0f), 0.0f, Ink);
}
