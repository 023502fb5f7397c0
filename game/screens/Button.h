#pragma once

#include "engine/actors/HUDActor.h"
#include "engine/input/MouseListener.h"
#include "engine/util/StringTypes.h"

enum ButtonState
{
    BS_Normal = 0,
    BS_Hovered = 1,
    BS_Pressed = 2,
    BS_Disabled = 3, // keeps its image, ignores the mouse
    BS_Hidden = 4    // on no layer, ignores the mouse
};

// Space between the label and the button's edge, in pixels.
struct ButtonLabelMarginValues
{
    float Horizontal;
    float Vertical;
};
extern const ButtonLabelMarginValues ButtonLabelMargin;

// The game's clickable image button, in window pixels over the forms. A press and a
// release of the left button inside it broadcast its message; it never knows what the
// message means. Every edge of its box counts as inside.
class Button : public MouseListener, public HUDActor
{
public:
    Button();
    virtual ~Button();

    void SetVisible(bool visible);
    bool IsVisible() const { return _state != BS_Hidden; }
    void SetLabel(const String& label);
    void SetFont(const String& font);
    void SetMessage(const String& message) { _message = message; }
    // Sizes the button to its label plus the margins on every side.
    void FitSizeToLabel();
    void SetEnabled(bool enabled);
    void SetState(ButtonState state);

    ButtonState GetState() const { return _state; }
    bool IsPressedInside() const { return _pressedInside; }
    const String& GetLabel() const { return _label; }
    const String& GetMessage() const { return _message; }

    void MouseMotionEvent(Vec2i screenCoordinates) override;
    void MouseDownEvent(Vec2i screenCoordinates, MouseButtonInput button) override;
    void MouseUpEvent(Vec2i screenCoordinates, MouseButtonInput button) override;

    void Update(float dt) override;
    void Render() override;

private:
    bool IsInside(Vec2i screenCoordinates);
    void ShowImage(const String& file);

    ButtonState _state;
    String _label;
    String _message;
    String _font;
    String _normalImage;
    String _hoveredImage;
    String _pressedImage;
    bool _pressedInside;
};
