#pragma once

#include "game/screens/Button.h"
#include "game/screens/Form.h"

// The form after the player's ship has sunk: how many enemies went down, and a restart.
class EndScreen : public Form
{
public:
    EndScreen();

    virtual void Update(float dt);
    virtual void Render();

    // "You destroyed 7 enemy ships."
    static String ResultLine(int kills);

private:
    Button _restartButton;
};
