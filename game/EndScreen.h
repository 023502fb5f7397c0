#pragma once

#include "engine/actors/HUDActor.h"
#include "game/Button.h"

// The form after the player's ship has sunk: how many enemies went down, and a restart.
class EndScreen : public HUDActor
{
public:
    EndScreen();
    virtual ~EndScreen();

    void SetVisible(bool visible);
    bool IsVisible() const { return _visible; }
    bool IsPartOf(const Renderable* renderable) const;

    virtual void Update(float dt);
    virtual void Render();

    // "You destroyed 7 enemy ships."
    static String ResultLine(int kills);

private:
    Button _restartButton;
    bool _visible;
};
