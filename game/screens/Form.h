#pragma once

#include "engine/actors/HUDActor.h"

#include <vector>

class Button;
class Renderable;

// A full-window parchment form (start screen, end screen, shipyard) on the forms' layer.
// It shows and hides the buttons it owns together with itself.
class Form : public HUDActor
{
public:
    explicit Form(const String& name);
    virtual ~Form();

    void SetVisible(bool visible);
    bool IsVisible() const { return _visible; }
    // The form itself or one of its buttons.
    bool IsPartOf(const Renderable* renderable) const;

protected:
    void AddButton(Button& button);

private:
    std::vector<Button*> _buttons;
    bool _visible;
};
