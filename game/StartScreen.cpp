#include "game/StartScreen.h"

#include "engine/core/World.h"
#include "engine/rendering/Camera.h"
#include "engine/rendering/FontRegistry.h"
#include "game/GameConstants.h"

namespace
{
const int FormLayer = 12;
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

StartScreen::StartScreen() : _visible(true)
{
    float width = (float)Camera::GetInstance()->GetWindowWidth();
    float height = (float)Camera::GetInstance()->GetWindowHeight();
    SetPosition(width * 0.5f, height * 0.5f);
    SetSize(width, height);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    SetName("StartScreen");
    SetSprite("Resources/Images/formbg.png", 0, GL_CLAMP, GL_LINEAR);

    Vector2 centre = GetPosition();
    SetUpButton(_hardcoreButton, HardcoreModeButtonText, StartHardcoreModeMessage, centre.X,
                centre.Y + ButtonsBelowCentre);
    SetUpButton(_techRaceButton, TechRaceModeButtonText, StartTechRaceMessage, centre.X,
                centre.Y + ButtonsBelowCentre + ButtonSpacing);
    SetVisible(false);
}

StartScreen::~StartScreen()
{
    if (_visible)
        World::GetInstance()->Remove(this);
}

void StartScreen::SetVisible(bool visible)
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
    _hardcoreButton.SetVisible(visible);
    _techRaceButton.SetVisible(visible);
}

bool StartScreen::IsPartOf(const Renderable* renderable) const
{
    return renderable == this || renderable == &_hardcoreButton || renderable == &_techRaceButton;
}

void StartScreen::Update(float dt)
{
    HUDActor::Update(dt);
}

void StartScreen::Render()
{
    HUDActor::Render();
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    const Vector2& centre = GetPosition();
    int left = (int)(centre.X - TextLeftOfCentre);
    DrawScreenText(GameTitleText, TitleFont, left, (int)(centre.Y - TitleAboveCentre), 0.0f);
    for (int line = 0; line < HelpLineCount; ++line)
    {
        int y = (int)(centre.Y - HelpAboveCentre + HelpLineHeight * line);
        DrawScreenText(HelpLines[line], TextbodyFont, left, y, 0.0f);
    }
}
