#include "gui/controls/WindowControl.h"

#include "gui/controls/Canvas.h"
#include "gui/controls/Dragger.h"
#include "gui/controls/Label.h"
#include "gui/controls/Modal.h"
#include "gui/controls/Resizer.h"
#include "gui/controls/WindowCloseButton.h"
#include "gui/platform/Debug.h"
#include "gui/skin/Base.h"
#include "gui/skin/ColorIndex.h"

namespace Gui
{
namespace Controls
{
GUI_CONTROL_IDENTIFIER(WindowControl, "ResizableControl:WindowControl")

namespace
{
const int kTitleBarHeight = 24;
}

WindowControl::WindowControl(Base* parent, const std::string& name) : ResizableControl(parent, name)
{
    _titleBar = new ControlsInternal::Dragger(this);
    _titleBar->SetHeight(kTitleBarHeight);
    _titleBar->SetPadding(Padding(0, 0, 0, 0));
    _titleBar->SetMargin(Margin(0, 0, 0, 4));
    _titleBar->SetTarget(this);
    _titleBar->Dock(Pos::Top);

    _title = new Label(_titleBar);
    _title->SetAlignment(Pos::Left | Pos::CenterV);
    _title->SetText("Window");
    _title->Dock(Pos::Fill);
    _title->SetPadding(Padding(8, 0, 0, 0));
    Skin::Base* skin = GetSkin();
    if (skin != nullptr)
    {
        _title->SetTextColor(skin->Colors[Skin::ColorIndex::WindowTitleInactive]);
    }

    _closeButton = new WindowCloseButton(_titleBar, "closeButton");
    _closeButton->SetText("");
    _closeButton->Dock(Pos::Right);
    _closeButton->onPress.AddHandler(this, &WindowControl::CloseButtonPressed);
    _closeButton->SetTabable(false);
    _closeButton->SetWindow(this);

    _innerPanel = new Base(this);
    _innerPanel->Dock(Pos::Fill);

    // The title bar is the top edge's handle.
    GetResizer(8)->Hide();
    BringToFront();
    SetTabable(false);
    Focus();
    SetMinimumSize(Point(100, 40));
    SetClampMovement(true);
    SetKeyboardInputEnabled(false);
}

WindowControl::~WindowControl() { DestroyModal(); }

void WindowControl::SetTitle(const TextPair& title) { _title->SetText(title); }

void WindowControl::SetClosable(bool closable) { _closeButton->SetHidden(!closable); }

void WindowControl::MakeModal(bool drawBackground)
{
    if (_modal != nullptr)
    {
        return;
    }
    Canvas* canvas = GetCanvas();
    if (canvas == nullptr)
    {
        // Only a canvas could ever delete the blocker again.
        Debug::Msg("WARNING: The window \"%s\" has no canvas and cannot be made modal.\n",
                   _title->GetText().Get().c_str());
        return;
    }
    _modal = new ControlsInternal::Modal(canvas);
    SetParent(_modal);
    _modal->SetShouldDrawBackground(drawBackground);
}

void WindowControl::DestroyModal()
{
    if (_modal == nullptr)
    {
        return;
    }
    ControlsInternal::Modal* modal = _modal;
    _modal = nullptr;
    SetParent(modal->GetCanvas());
    modal->DelayedDelete();
}

void WindowControl::ForgetModal(ControlsInternal::Modal* modal)
{
    if (_modal == modal)
    {
        _modal = nullptr;
    }
}

void WindowControl::CloseButtonPressed(Base*)
{
    // The blocker goes first, so nothing later reaches it once it is deleted.
    DestroyModal();
    onWindowClosed.Fire(this);
    SetHidden(true);
    if (_deleteOnClose)
    {
        DelayedDelete();
    }
}

void WindowControl::SetHidden(bool hidden)
{
    if (!hidden)
    {
        BringToFront();
    }
    ResizableControl::SetHidden(hidden);
}

void WindowControl::Touch()
{
    ResizableControl::Touch();
    BringToFront();
}

bool WindowControl::IsOnTop()
{
    Base* parent = GetParent();
    if (parent == nullptr)
    {
        return false;
    }
    List& siblings = parent->GetChildren();
    for (auto it = siblings.rbegin(); it != siblings.rend(); ++it)
    {
        if (gui_cast<WindowControl>(*it) != nullptr)
        {
            return *it == this;
        }
    }
    return false;
}

void WindowControl::Render(Skin::Base* skin)
{
    const bool onTop = IsOnTop();
    _title->SetTextColor(skin->Colors[onTop ? Skin::ColorIndex::WindowTitleActive
                                            : Skin::ColorIndex::WindowTitleInactive]);
    skin->DrawWindow(this, _titleBar->Bottom(), onTop);
}

void WindowControl::RenderUnder(Skin::Base* skin) { skin->DrawShadow(this); }
}
}
