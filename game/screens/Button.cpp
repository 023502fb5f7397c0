#include "game/screens/Button.h"

#include "engine/core/World.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"
#include "engine/rendering/FontRegistry.h"

const ButtonLabelMarginValues ButtonLabelMargin = {5.0f, 3.0f};

namespace
{
const int FormButtonLayer = 13;
// The label's baseline sits this far below the button's centre, besides the margin.
const float LabelBaselineDrop = 5.0f;
}

Button::Button()
    : _state(BS_Normal), _normalImage("Resources/Images/button_normal.png"),
      _hoveredImage("Resources/Images/button_hovered.png"),
      _pressedImage("Resources/Images/button_pressed.png"), _pressedInside(false)
{
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    SetSize(Vector2(0.0f, 0.0f));
    SetName("Button");
    ShowImage(_normalImage);
    World::GetInstance()->Add(this, FormButtonLayer);
}

Button::~Button()
{
    // Buttons live inside their forms, not on the World's say: never leave one behind on a layer.
    if (IsVisible())
        World::GetInstance()->Remove(this);
}

void Button::SetVisible(bool visible)
{
    if (visible == IsVisible())
        return;
    if (visible)
    {
        SetState(BS_Normal);
        World::GetInstance()->Add(this, FormButtonLayer);
    }
    else
    {
        _pressedInside = false;
        World::GetInstance()->Remove(this);
        _state = BS_Hidden;
    }
}

void Button::SetLabel(const String& label)
{
    _label = label;
    FitSizeToLabel();
}

void Button::SetFont(const String& font)
{
    _font = font;
    FitSizeToLabel();
}

void Button::FitSizeToLabel()
{
    Vector2 extents = GetTextExtents(_label, _font);
    SetSize(Vector2(extents.X + 4.0f * ButtonLabelMargin.Horizontal,
                    extents.Y + 4.0f * ButtonLabelMargin.Vertical));
}

void Button::SetEnabled(bool enabled)
{
    if (enabled)
    {
        SetState(BS_Normal);
    }
    else
    {
        _state = BS_Disabled;
        _pressedInside = false;
    }
}

void Button::SetState(ButtonState state)
{
    _state = state;
    if (state == BS_Normal)
        ShowImage(_normalImage);
    else if (state == BS_Hovered)
        ShowImage(_hoveredImage);
    else if (state == BS_Pressed)
        ShowImage(_pressedImage);
}

void Button::MouseMotionEvent(Vec2i screenCoordinates)
{
    if (!IsInside(screenCoordinates))
    {
        if (_state == BS_Hovered || _state == BS_Pressed)
            SetState(BS_Normal);
        return;
    }
    if ((_state == BS_Normal || _state == BS_Hovered) && _pressedInside)
        SetState(BS_Pressed);
    else if (_state == BS_Normal)
        SetState(BS_Hovered);
}

void Button::MouseDownEvent(Vec2i screenCoordinates, MouseButtonInput button)
{
    if ((_state == BS_Normal || _state == BS_Hovered) && button == MOUSE_LEFT &&
        IsInside(screenCoordinates))
    {
        SetState(BS_Pressed);
        _pressedInside = true;
    }
}

void Button::MouseUpEvent(Vec2i screenCoordinates, MouseButtonInput button)
{
    if (button != MOUSE_LEFT)
        return;
    if ((_state == BS_Pressed || _state == BS_Hovered) && _pressedInside)
    {
        SetState(BS_Normal);
        if (IsInside(screenCoordinates))
            Switchboard::GetInstance()->Broadcast(new Message(_message, this));
    }
    _pressedInside = false;
}

void Button::Update(float dt)
{
    if (_state != BS_Hidden)
        HUDActor::Update(dt);
}

void Button::Render()
{
    if (_state == BS_Hidden)
        return;
    HUDActor::Render();
    if (_state == BS_Pressed)
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    else
        glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    const Vector2& position = GetPosition();
    // A script may move or size the button anywhere: its text is kept within the pixels text can be drawn at.
    int x = ToTextPixel(position.X - GetSize().X * 0.5f + ButtonLabelMargin.Horizontal);
    int y = ToTextPixel(position.Y + ButtonLabelMargin.Vertical + LabelBaselineDrop);
    DrawScreenText(_label, _font, x, y, 0.0f);
}

bool Button::IsInside(Vec2i screenCoordinates)
{
    return GetBoundingBox().Contains(Vector2(screenCoordinates));
}

void Button::ShowImage(const String& file)
{
    // A missing image leaves the sprite as it was.
    SetSprite(file, 0, GL_CLAMP, GL_LINEAR);
}
