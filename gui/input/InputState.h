#pragma once

#include "gui/Point.h"

#include <string>

namespace Gui
{
    namespace Controls
    {
        class Base;
        class Canvas;
    }

    // The toolkit's three global control references, shared by every canvas. A control's
    // destructor clears each one that names it.
    extern Controls::Base* HoveredControl;
    extern Controls::Base* KeyboardFocus;
    extern Controls::Base* MouseFocus;

    // The global input state: held keys with their repeat times, clicks for double-click
    // detection and the pointer. The canvas's input entry points and its think call these.
    namespace Input
    {
        // Two presses of a button at one place closer together than this are a double click.
        const float kDoubleClickSeconds = 0.5f;
        const float kKeyRepeatDelay = 0.3f;
        const float kKeyRepeatInterval = 0.03f;

        bool IsKeyDown(int key);
        bool IsShiftDown();
        bool IsControlDown();
        bool IsLeftMouseDown();
        bool IsRightMouseDown();
        Point GetMousePosition();

        // Records the pointer and moves the hovered role to the control under it.
        void OnMouseMoved(Controls::Canvas* canvas, int x, int y);
        // Button 0 is left, 1 right; up to 5 are counted. False when no control of this
        // canvas (other than the canvas) is under the pointer. Unless a control holds the
        // mouse, the click goes to the control under the pointer where it last moved, and a
        // control letting go of the mouse hands the hovered role back to what lies there.
        bool OnMouseClicked(Controls::Canvas* canvas, int button, bool down);
        // The host lost the release of a button this canvas saw pressed: the control holding
        // the mouse gets a release that completes nothing and lets go.
        void OnMouseButtonLost(Controls::Canvas* canvas, int button);
        // A press of a key already down is ignored.
        bool OnKeyEvent(Controls::Canvas* canvas, int key, bool down);
        // Once per canvas think: reads the clock, checks the focus, hands the hovered role to
        // the control under a resting pointer (unless one holds the mouse), repeats held keys.
        void OnCanvasThink(Controls::Canvas* canvas);
        // Builds "CTRL+", "SHIFT+" and the upper-cased character and asks the focused, the
        // mouse-focused control and the canvas in that order.
        bool HandleAccelerator(Controls::Canvas* canvas, wchar_t character);
        // Control with c, v, x or a: copy, paste, cut, select all on the focused control.
        bool DoSpecialKeys(Controls::Canvas* canvas, wchar_t character);
        // The accelerator text for a character with the modifiers now held.
        std::wstring AcceleratorText(wchar_t character);

        // Called by a control's destructor: a key it took stops repeating, and no later control
        // (one made at the same address) inherits it.
        void ControlDeleted(Controls::Base* control);

        // Forgets every key, click, pointer position and control reference, drag and tooltip.
        void Reset();
    }
}
