#include "gui/controls/WindowCloseButton.h"

#include "gui/skin/Base.h"

namespace Gui
{
namespace Controls
{
GUI_CONTROL_IDENTIFIER(WindowCloseButton, "Button:WindowCloseButton")

WindowCloseButton::WindowCloseButton(Base* parent, const std::string& name) : Button(parent, name)
{
    SetSize(31, 31);
    SetText("");
}

void WindowCloseButton::Render(Skin::Base* skin)
{
    if (_window == nullptr)
    {
        return;
    }
    skin->DrawWindowCloseButton(this, IsDepressed() && IsHovered(), IsHovered() && ShouldDrawHover(), IsDisabled());
}
}
}
