#include "game/screens/Form.h"

#include "engine/core/World.h"
#include "engine/rendering/Camera.h"
#include "game/core/GameConstants.h"
#include "game/screens/Button.h"

#include <GL/gl.h>

namespace
{
const int FormLayer = 12;
}

// Starts as shown so that the derived form's closing SetVisible(false) hides its buttons too.
Form::Form(const String& name) : _visible(true)
{
    const float width = static_cast<float>(Camera::GetInstance()->GetWindowWidth());
    const float height = static_cast<float>(Camera::GetInstance()->GetWindowHeight());
    SetPosition(width * 0.5f, height * 0.5f);
    SetSize(width, height);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    SetName(name);
    SetSprite("Resources/Images/formbg.png", 0, GL_CLAMP, GL_LINEAR);
}

Form::~Form()
{
    if (_visible)
        World::GetInstance()->Remove(this);
}

void Form::AddButton(Button& button)
{
    // A member of the derived form: it goes with the form, never on its own.
    button.SetHolder(GameHolder);
    _buttons.push_back(&button);
}

void Form::SetVisible(bool visible)
{
    if (visible == _visible)
        return;
    if (visible)
        World::GetInstance()->Add(this, FormLayer);
    else
        World::GetInstance()->Remove(this);
    _visible = visible;
    for (Button* button : _buttons)
        button->SetVisible(visible);
}

bool Form::IsPartOf(const Renderable* renderable) const
{
    if (renderable == this)
        return true;
    for (const Button* button : _buttons)
        if (renderable == button)
            return true;
    return false;
}
