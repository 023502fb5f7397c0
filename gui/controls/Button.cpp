#include "gui/controls/Button.h"

#include "gui/controls/Canvas.h"
#include "gui/controls/ImagePanel.h"
#include "gui/input/InputState.h"
#include "gui/skin/Base.h"
#include "gui/skin/ColorIndex.h"

namespace Gui
{
namespace Controls
{
GUI_CONTROL_IDENTIFIER(Button, "Label:Button")

Button::Button(Base* parent, const std::string& name) : Label(parent, name)
{
    SetSize(100, 20);
    SetMouseInputEnabled(true);
    SetAlignment(Pos::Center);
    SetTextPadding(Padding(3, 0, 3, 0));
    SetKeyboardInputEnabled(false);
    SetTabable(false);
}

void Button::OnPress()
{
    if (_isToggle)
    {
        SetToggleState(!_toggleStatus);
    }
    onPress.Fire(this);
}

void Button::SetDepressed(bool depressed)
{
    if (depressed == _depressed)
    {
        return;
    }
    _depressed = depressed;
    Redraw();
}

void Button::SetToggleState(bool on)
{
    if (on == _toggleStatus)
    {
        return;
    }
    _toggleStatus = on;
    onToggle.Fire(this);
    if (on)
    {
        onToggleOn.Fire(this);
    }
    else
    {
        onToggleOff.Fire(this);
    }
    Redraw();
}

bool Button::IsUnderPointer(int x, int y)
{
    Canvas* canvas = GetCanvas();
    return canvas != nullptr && canvas->GetControlAt(x, y) == this;
}

void Button::OnClick(int x, int y, bool down, void (Button::*complete)())
{
    if (down)
    {
        SetDepressed(true);
        MouseFocus = this;
        onDown.Fire(this);
        return;
    }
    // The held button keeps the hovered role wherever the pointer goes, so the pointer
    // itself must be over the button for the release to complete a press.
    if (_depressed && IsUnderPointer(x, y))
    {
        (this->*complete)();
    }
    SetDepressed(false);
    MouseFocus = nullptr;
    onUp.Fire(this);
}

void Button::OnMouseClickLeft(int x, int y, bool down)
{
    if (!IsDisabled())
    {
        OnClick(x, y, down, &Button::OnPress);
    }
}

void Button::OnMouseClickRight(int x, int y, bool down)
{
    if (!IsDisabled())
    {
        OnClick(x, y, down, &Button::OnRightPress);
    }
}

void Button::OnMouseDoubleClickLeft(int x, int y)
{
    if (IsDisabled())
    {
        return;
    }
    OnMouseClickLeft(x, y, true);
    onDoubleClick.Fire(this);
}

bool Button::OnKeySpace(bool down)
{
    if (down)
    {
        OnPress();
    }
    return true;
}

void Button::SetAction(Event::Handler* handler, Event::Handler::FunctionWithInformation function,
                       const Event::Packet& packet)
{
    onPress.AddHandler(handler, function, packet);
}

void Button::Render(Skin::Base* skin)
{
    if (!ShouldDrawBackground())
    {
        return;
    }
    bool drawDepressed = IsDepressed() && IsHovered();
    if (IsToggle() && !drawDepressed)
    {
        drawDepressed = GetToggleState();
    }
    const bool drawHovered = IsHovered() && ShouldDrawHover();
    skin->DrawButton(this, drawDepressed, drawHovered, IsDisabled());
}

void Button::UpdateColours()
{
    Skin::Base* skin = GetSkin();
    if (skin == nullptr)
    {
        return;
    }
    int index = Skin::ColorIndex::ButtonTextNormal;
    if (IsDisabled())
    {
        index = Skin::ColorIndex::ButtonTextDisabled;
    }
    else if (IsDepressed() || GetToggleState())
    {
        index = Skin::ColorIndex::ButtonTextDown;
    }
    else if (IsHovered())
    {
        index = Skin::ColorIndex::ButtonTextHover;
    }
    SetTextColor(skin->Colors[index]);
}

void Button::SetImage(const TextPair& imageName, bool center)
{
    if (imageName.empty())
    {
        delete _image;
        _image = nullptr;
        return;
    }
    if (_image == nullptr)
    {
        _image = new ImagePanel(this);
    }
    _image->SetImage(imageName);
    _image->SizeToContents();
    _image->SetMargin(Margin(2, 0, 2, 0));
    _centerImage = center;
    Padding padding = GetTextPadding();
    padding.left = _image->Right() + 2;
    SetTextPadding(padding);
}

void Button::SetImageAlpha(float alpha)
{
    if (_image != nullptr)
    {
        _image->SetDrawColor(Color(255, 255, 255, (unsigned char)(alpha * 255.0f)));
    }
}

void Button::PostLayout(Skin::Base* skin)
{
    Label::PostLayout(skin);
    if (_image != nullptr)
    {
        _image->Position(_centerImage ? Pos::Center : Pos::Left | Pos::CenterV);
    }
}

void Button::SizeToContents()
{
    Label::SizeToContents();
    if (_image != nullptr && Height() < _image->Height() + 4)
    {
        SetHeight(_image->Height() + 4);
    }
}
}
}
