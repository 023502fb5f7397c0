#include "gui/controls/Modal.h"

#include "gui/controls/Canvas.h"
#include "gui/controls/WindowControl.h"
#include "gui/skin/Base.h"

namespace Gui
{
namespace ControlsInternal
{
GUI_CONTROL_IDENTIFIER(Modal, "Controls::Base:Modal")

Modal::Modal(Controls::Base* parent, const std::string& name) : Controls::Base(parent, name)
{
    SetShouldDrawBackground(true);
    SetMouseInputEnabled(true);
    SetKeyboardInputEnabled(true);
    if (parent != nullptr)
    {
        SetBounds(0, 0, parent->Width(), parent->Height());
    }
}

Modal::~Modal()
{
    for (Controls::Base* child : _children)
    {
        Controls::WindowControl* window = gui_cast<Controls::WindowControl>(child);
        if (window != nullptr)
        {
            window->ForgetModal(this);
        }
    }
}

void Modal::Layout(Skin::Base* skin)
{
    Controls::Canvas* canvas = GetCanvas();
    if (canvas != nullptr)
    {
        SetBounds(0, 0, canvas->Width(), canvas->Height());
    }
    Controls::Base::Layout(skin);
}

void Modal::Render(Skin::Base* skin) { skin->DrawModalBackground(this); }
}
}
