#pragma once

#include "gui/Point.h"
#include "gui/platform/PlatformMessage.h"

struct GLFWwindow;

// Feeds a canvas from a platform window (CreatePlatformWindow): the window's pending events,
// translated into canvas input. Windows made otherwise (a host's own) are not fed. Call on the
// thread that made the window.
//
// The translation: pointer motion gives OnMouseMoved with the position and the movement since
// the previous motion; the left, right and middle buttons give OnMouseButton 0, 1 and 2 with the
// state (the pointer stays with the window from a press to its release, so a drag that leaves
// the window still reports its motion and its release); the wheel gives OnMouseWheel; typed
// characters give OnCharacter; a key A to Z pressed with Control held gives OnCharacter with
// that capital letter, so Control shortcuts reach the accelerators; these keys give OnKey with
// the toolkit's code, down and up: Shift 6, Return 1, Backspace 2, Delete 3, Left 4, Right 5,
// Tab 7, Space 8, Home 9, End 10, Control 11, Up 12, Down 13 (no other key is passed); a close
// request gives InputQuit; a paint request makes the canvas Redraw. The platform has no
// double-click events, so none need swallowing.
namespace Gui
{
    namespace Controls
    {
        class Canvas;
    }

    namespace WindowsLayer
    {
        // What ProcessMessage works on: the canvas it feeds (not owned; null feeds nothing)
        // and the pointer's last position, from which each motion's movement is measured.
        struct MessageTarget
        {
            Controls::Canvas* canvas = nullptr;
            Point lastPointer;
            // No motion was seen yet: the first one is reported without movement.
            bool pointerSeen = false;
        };

        // Translates one message for the target's canvas; answers whether the canvas used it.
        // For a program that runs its own loop over NextPlatformMessage.
        bool ProcessMessage(GLFWwindow* window, const PlatformMessage& message, MessageTarget& target);

        // Hands out the window's oldest pending message, asking the window library for new
        // ones when none is left; false when nothing is pending (or the window is no platform
        // window).
        bool NextPlatformMessage(GLFWwindow* window, PlatformMessage& message);

        // Takes every pending message of the window and translates each for the canvas (the
        // window keeps the last pointer position between calls); messages the canvas does not
        // use are dropped. When the window gained or lost the focus since the previous call,
        // the canvas Redraws.
        void ProcessMessages(GLFWwindow* window, Controls::Canvas* canvas);
    }
}
