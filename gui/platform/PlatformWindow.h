#pragma once

#include "gui/Point.h"

#include <string>

struct GLFWwindow;

// Windows of the toolkit's own, for a program that runs the toolkit in a window of its own
// instead of inside a host's window (the engine provides its window and feeds its canvas
// itself). A platform window is undecorated (the toolkit draws its own frame), shows in the
// task bar as any top-level window does, and has an OpenGL context that is not made current.
// Feed a canvas from it with the message pump (MessagePump.h).
//
// What the Windows-only details of such a window become here:
// - COM: nothing here needs it. In its place the window library is started with the first
//   platform window when nobody has started it, and kept running until the program ends; a
//   library that a host started is the host's to end.
// - The window class "GUI_Window_Class" names the X window class (WM_CLASS) instead.
// - The drop shadow and the region with corners rounded by 4: the window library can neither
//   shape a window nor ask for a shadow, so the window stays rectangular and any shadow is
//   the compositor's.
// - Accepting dropped files: every window of the window library takes part in X's
//   drag-and-drop protocol already; nothing in the toolkit uses dropped files.
// - Maximizing places the window over the primary monitor's work area, and restoring puts
//   back the position and size it had before, with or without a window manager.
//
// Call these on the program's main thread. They act only on windows that CreatePlatformWindow
// made and DestroyPlatformWindow has not yet destroyed: any other window (null, or a host's
// own) is left alone, and queries about it answer false.
namespace Gui
{
    namespace WindowsLayer
    {
        // A shown, focused window at (x, y) on the screen with a client area of w x h pixels
        // (larger than the desktop too); owned by the caller until DestroyPlatformWindow. Null
        // after an "ERROR: " line when there is no display, the window cannot be made, or its
        // size is one X can't take (WindowSizeLimit.h).
        GLFWwindow* CreatePlatformWindow(int x, int y, int w, int h, const std::string& title);
        // Its pending messages go with it; the window library keeps running.
        void DestroyPlatformWindow(GLFWwindow* window);
        // Moves and sizes it without raising or focusing it. A size that CreatePlatformWindow
        // would refuse leaves the window as it is, after a "WARNING: " line.
        void SetBoundsPlatformWindow(GLFWwindow* window, int x, int y, int w, int h);
        // Maximizes the window over the work area, or restores it; position and size receive
        // where it is then (and are left as they are for a window left alone).
        void SetWindowMaximized(GLFWwindow* window, bool maximized, Point& position, Point& size);
        // Minimizes or restores it (a request the window manager carries out; without one,
        // nothing changes).
        void SetWindowMinimized(GLFWwindow* window, bool minimized);
        // Whether it has the keyboard focus.
        bool HasFocusPlatformWindow(GLFWwindow* window);
    }
}
