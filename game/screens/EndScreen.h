#pragma once

#include "game/screens/Button.h"
#include "game/screens/Form.h"

// The form after the player's ship has sunk: how many enemies went down, and a restart.
class EndScreen : public Form
{
public:
    EndScreen();

    void Update(float dt) override;
    void Render() override;

    // "You destroyed 7 enemy ships."
    static String ResultLine(int kills);

private:
    Button _restartButton;
};
