#pragma once

#include "engine/actors/HUDActor.h"
#include "game/Button.h"

class Renderable;

// The form of the start screen: the title, the help lines and the two mode buttons.
// Choosing a mode only broadcasts that mode's message; the game manager does the rest.
class StartScreen : public HUDActor
{
public:
    StartScreen();
    virtual ~StartScreen();

    void SetVisible(bool visible);
    bool IsVisible() const { return _visible; }
    // The form itself or one of its buttons.
    bool IsPartOf(const Renderable* renderable) const;

    Button& GetHardcoreButton() { return _hardcoreButton; }
    Button& GetTechRaceButton() { return _techRaceButton; }

    virtual void Update(float dt);
    virtual void Render();

private:
    Button _hardcoreButton;
    Button _techRaceButton;
    bool _visible;
};
