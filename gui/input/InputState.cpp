#include "gui/input/InputState.h"

#include "gui/controls/Canvas.h"
#include "gui/input/DragAndDrop.h"
#include "gui/input/Hook.h"
#include "gui/input/Keys.h"
#include "gui/input/ToolTip.h"
#include "gui/platform/Clock.h"

#include <cwctype>

namespace Gui
{
Controls::Base* HoveredControl = nullptr;
Controls::Base* KeyboardFocus = nullptr;
Controls::Base* MouseFocus = nullptr;

namespace Input
{
namespace
{
const int kButtonCount = 6;
// Far enough back that the first press is never taken for the second of a double click.
const float kLongAgo = -1.0e6f;

struct KeyData
{
    bool keyDown[Key::Count];
    float nextRepeat[Key::Count];
    Controls::Base* target;
    bool leftMouseDown;
    bool rightMouseDown;
};

KeyData s_keys;
float s_lastClickTime[kButtonCount];
Point s_lastClickPosition;
Point s_mousePosition;
// The canvas the pointer was last reported on; null until then.
Controls::Canvas* s_pointerCanvas = nullptr;
// A release with this position completes nothing: no control lies there.
const Point kNowhere(-1, -1);

struct StartUp
{
    StartUp() { Reset(); }
} s_startUp;

bool BelongsTo(Controls::Base* control, Controls::Canvas* canvas)
{
    return control != nullptr && control->GetCanvas() == canvas;
}

// The first control up from the clicked one that takes keys gets the focus, unless the
// focus already sits in that control's own children.
void FindKeyboardFocus(Controls::Base* control)
{
    while (control != nullptr && !control->GetKeyboardInputEnabled())
    {
        control = control->GetParent();
    }
    if (control == nullptr)
    {
        return;
    }
    for (Controls::Base* child : control->GetChildren())
    {
        if (child == KeyboardFocus)
        {
            return;
        }
    }
    control->Focus();
}

// The hovered role goes to the control under the pointer, with leave and enter calls.
void HoverControlUnderPointer(Controls::Canvas* canvas)
{
    Controls::Base* under = canvas->GetControlAt(s_mousePosition.x, s_mousePosition.y, true);
    if (under == HoveredControl)
    {
        return;
    }
    Controls::Base* old = HoveredControl;
    HoveredControl = nullptr;
    if (old != nullptr)
    {
        old->OnMouseLeave();
    }
    HoveredControl = under;
    if (under != nullptr)
    {
        under->OnMouseEnter();
    }
}

// With no control holding the mouse, the hovered role follows what lies under a resting
// pointer too: a modal made over it, a control let go of the mouse, moved or deleted.
void RefreshHoverUnderResting(Controls::Canvas* canvas)
{
    if (canvas == s_pointerCanvas && !BelongsTo(MouseFocus, canvas))
    {
        HoverControlUnderPointer(canvas);
    }
}

// The click itself, to the hovered control.
bool DispatchClick(Controls::Canvas* canvas, int button, bool down)
{
    if (down && (HoveredControl == nullptr || !HoveredControl->IsMenuComponent()))
    {
        canvas->CloseMenus();
    }
    Controls::Base* hovered = HoveredControl;
    if (hovered == nullptr || !BelongsTo(hovered, canvas) || !hovered->Visible() || hovered == canvas ||
        button < 0 || button >= kButtonCount)
    {
        return false;
    }
    if (button == 0)
    {
        s_keys.leftMouseDown = down;
    }
    else if (button == 1)
    {
        s_keys.rightMouseDown = down;
    }

    bool doubleClick = false;
    if (down)
    {
        const float now = WindowsLayer::GetTime();
        if (s_lastClickPosition == s_mousePosition && now - s_lastClickTime[button] < kDoubleClickSeconds)
        {
            doubleClick = true;
        }
        else
        {
            s_lastClickTime[button] = now;
            s_lastClickPosition = s_mousePosition;
        }
        FindKeyboardFocus(hovered);
    }
    hovered->UpdateCursor();

    if (down)
    {
        hovered->Touch();
        for (Hook::BaseHook* hook : Hook::GetHookList())
        {
            if (hook->OnControlClicked(hovered, s_mousePosition.x, s_mousePosition.y))
            {
                return true;
            }
        }
    }

    const int x = s_mousePosition.x;
    const int y = s_mousePosition.y;
    if (button == 0)
    {
        if (DragAndDrop::OnMouseButton(hovered, x, y, down))
        {
            return true;
        }
        if (doubleClick)
        {
            hovered->OnMouseDoubleClickLeft(x, y);
        }
        else
        {
            hovered->OnMouseClickLeft(x, y, down);
        }
        return true;
    }
    if (button == 1)
    {
        if (doubleClick)
        {
            hovered->OnMouseDoubleClickRight(x, y);
        }
        else
        {
            hovered->OnMouseClickRight(x, y, down);
        }
        return true;
    }
    return false;
}
}

bool IsKeyDown(int key)
{
    return key >= 0 && key < Key::Count && s_keys.keyDown[key];
}

bool IsShiftDown()
{
    return IsKeyDown(Key::Shift);
}

bool IsControlDown()
{
    return IsKeyDown(Key::Control);
}

bool IsLeftMouseDown()
{
    return s_keys.leftMouseDown;
}

bool IsRightMouseDown()
{
    return s_keys.rightMouseDown;
}

Point GetMousePosition()
{
    return s_mousePosition;
}

void OnMouseMoved(Controls::Canvas* canvas, int x, int y)
{
    s_mousePosition = Point(x, y);
    s_pointerCanvas = canvas;
    HoverControlUnderPointer(canvas);
    // While a control holds the mouse (a pressed button, a dragged window) it keeps the
    // hovered role wherever the pointer goes.
    if (BelongsTo(MouseFocus, canvas))
    {
        if (HoveredControl != nullptr)
        {
            Controls::Base* old = HoveredControl;
            HoveredControl = nullptr;
            old->Redraw();
        }
        HoveredControl = MouseFocus;
    }
}

bool OnMouseClicked(Controls::Canvas* canvas, int button, bool down)
{
    if (down)
    {
        RefreshHoverUnderResting(canvas);
    }
    const bool used = DispatchClick(canvas, button, down);
    // A release that let go of the mouse leaves the hovered role with the control that held
    // it; the next click belongs to the control under the pointer.
    RefreshHoverUnderResting(canvas);
    return used;
}

void OnMouseButtonLost(Controls::Canvas* canvas, int button)
{
    if (button == 0)
    {
        s_keys.leftMouseDown = false;
        // The press can no longer start a drag.
        if (DragAndDrop::CurrentPackage() == nullptr)
        {
            DragAndDrop::OnMouseButton(nullptr, kNowhere.x, kNowhere.y, false);
        }
    }
    else if (button == 1)
    {
        s_keys.rightMouseDown = false;
    }
    if (!BelongsTo(MouseFocus, canvas))
    {
        return;
    }
    Controls::Base* holder = MouseFocus;
    if (button == 0)
    {
        holder->OnMouseClickLeft(kNowhere.x, kNowhere.y, false);
    }
    else if (button == 1)
    {
        holder->OnMouseClickRight(kNowhere.x, kNowhere.y, false);
    }
    if (MouseFocus == holder)
    {
        MouseFocus = nullptr;
    }
    RefreshHoverUnderResting(canvas);
}

bool OnKeyEvent(Controls::Canvas* canvas, int key, bool down)
{
    if (key < 0 || key >= Key::Count)
    {
        return false;
    }
    Controls::Base* target = nullptr;
    if (BelongsTo(KeyboardFocus, canvas) && KeyboardFocus->Visible())
    {
        target = KeyboardFocus;
    }
    if (!down)
    {
        if (!s_keys.keyDown[key])
        {
            return false;
        }
        s_keys.keyDown[key] = false;
        return target != nullptr && target->OnKeyRelease(key);
    }
    if (s_keys.keyDown[key])
    {
        return false;
    }
    s_keys.keyDown[key] = true;
    s_keys.nextRepeat[key] = WindowsLayer::GetTime() + kKeyRepeatDelay;
    s_keys.target = target;
    return target != nullptr && target->OnKeyPress(key, true);
}

void OnCanvasThink(Controls::Canvas* canvas)
{
    // Read on every think, so the clamped clock follows real time between presses.
    const float now = WindowsLayer::GetTime();
    if (MouseFocus != nullptr && !MouseFocus->Visible())
    {
        MouseFocus = nullptr;
    }
    RefreshHoverUnderResting(canvas);
    if (KeyboardFocus != nullptr && (!KeyboardFocus->Visible() || !KeyboardFocus->GetKeyboardInputEnabled()))
    {
        KeyboardFocus = nullptr;
        return;
    }
    if (!BelongsTo(KeyboardFocus, canvas))
    {
        return;
    }
    for (int key = 0; key < Key::Count; ++key)
    {
        if (!s_keys.keyDown[key])
        {
            continue;
        }
        if (s_keys.target != KeyboardFocus)
        {
            // The focus moved on: the key no longer belongs to anyone.
            s_keys.keyDown[key] = false;
            continue;
        }
        if (now > s_keys.nextRepeat[key])
        {
            s_keys.nextRepeat[key] = WindowsLayer::GetTime() + kKeyRepeatInterval;
            KeyboardFocus->OnKeyPress(key, true);
        }
    }
}

std::wstring AcceleratorText(wchar_t character)
{
    std::wstring text;
    if (IsControlDown())
    {
        text += L"CTRL+";
    }
    if (IsShiftDown())
    {
        text += L"SHIFT+";
    }
    text += (wchar_t)std::towupper(character);
    return text;
}

bool HandleAccelerator(Controls::Canvas* canvas, wchar_t character)
{
    const std::wstring text = AcceleratorText(character);
    if (KeyboardFocus != nullptr && KeyboardFocus->HandleAccelerator(text))
    {
        return true;
    }
    if (MouseFocus != nullptr && MouseFocus->HandleAccelerator(text))
    {
        return true;
    }
    return canvas->HandleAccelerator(text);
}

bool DoSpecialKeys(Controls::Canvas* canvas, wchar_t character)
{
    if (!BelongsTo(KeyboardFocus, canvas) || !KeyboardFocus->Visible() || !IsControlDown())
    {
        return false;
    }
    switch (std::towlower(character))
    {
    case L'c':
        KeyboardFocus->OnCopy(nullptr);
        return true;
    case L'v':
        KeyboardFocus->OnPaste(nullptr);
        return true;
    case L'x':
        KeyboardFocus->OnCut(nullptr);
        return true;
    case L'a':
        KeyboardFocus->OnSelectAll(nullptr);
        return true;
    default:
        return false;
    }
}

void ControlDeleted(Controls::Base* control)
{
    if (s_keys.target == control)
    {
        s_keys.target = nullptr;
    }
    if (s_pointerCanvas == control)
    {
        s_pointerCanvas = nullptr;
    }
}

void Reset()
{
    HoveredControl = nullptr;
    KeyboardFocus = nullptr;
    MouseFocus = nullptr;
    for (int key = 0; key < Key::Count; ++key)
    {
        s_keys.keyDown[key] = false;
        s_keys.nextRepeat[key] = 0.0f;
    }
    s_keys.target = nullptr;
    s_keys.leftMouseDown = false;
    s_keys.rightMouseDown = false;
    for (float& time : s_lastClickTime)
    {
        time = kLongAgo;
    }
    s_lastClickPosition = Point();
    s_mousePosition = Point();
    s_pointerCanvas = nullptr;
    DragAndDrop::Reset();
    ToolTip::Reset();
}
}
}
