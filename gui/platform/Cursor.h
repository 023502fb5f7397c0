#pragma once

#include "gui/Point.h"

// The mouse cursor of the window whose OpenGL context is current, and screen queries.
// Without a current window the calls do nothing and the queries answer (0, 0).
namespace Gui
{
    namespace WindowsLayer
    {
        // Cursor numbers as controls store them.
        enum CursorNumber
        {
            CURSOR_Arrow = 0,
            CURSOR_Beam = 1,
            CURSOR_SizeNS = 2,
            CURSOR_SizeWE = 3,
            CURSOR_SizeNWSE = 4,
            CURSOR_SizeNESW = 5,
            CURSOR_SizeAll = 6,
            CURSOR_No = 7,
            CURSOR_Wait = 8,
            CURSOR_Hand = 9,
            CURSOR_Count = 10
        };

        // Unknown numbers show the arrow. The window library's standard shapes are used where
        // it has them, small drawn images for the others.
        void SetCursor(unsigned char cursor);
        // Frees the cursors made so far. Call it before the window they were set on goes: a
        // later window at the same address must not get cursors of an ended session.
        void ReleaseCursors();
        // The cursor number last set on the current window; CURSOR_Arrow before any.
        unsigned char GetCursor();

        // The pointer's position on the screen.
        Point GetCursorPos();
        // The primary monitor's size in pixels.
        Point GetDesktopSize();
    }
}
