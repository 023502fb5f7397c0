#pragma once

#include "game/screens/Button.h"
#include "game/screens/Form.h"

// The form of the start screen: the title, the help lines and the two mode buttons.
// Choosing a mode only broadcasts that mode's message; the game manager does the rest.
class StartScreen : public Form
{
public:
    StartScreen();

    Button& GetHardcoreButton() { return _hardcoreButton; }
    Button& GetTechRaceButton() { return _techRaceButton; }

    void Update(float dt) override;
    void Render() override;

private:
    Button _hardcoreButton;
    Button _techRaceButton;
};
