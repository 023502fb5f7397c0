#pragma once

#include "gui/Rect.h"
#include "gui/platform/MessagePump.h"
#include "gui/platform/PlatformMessage.h"

#include <deque>
#include <string>

struct GLFWwindow;

// What the platform layer keeps for each platform window; only the platform layer uses it.
namespace Gui
{
    namespace WindowsLayer
    {
        struct WindowState
        {
            // Reported by the window library, not yet handed out.
            std::deque<PlatformMessage> pending;
            // What ProcessMessages feeds.
            MessageTarget target;
            // The focus as ProcessMessages saw it last.
            bool focused = false;
            bool maximized = false;
            // Where a maximized window goes back to.
            Rect restoreBounds;
            // For the lines that report a failure.
            std::string title;
        };

        // Null for a window that CreatePlatformWindow did not make (or that was destroyed).
        WindowState* StateOf(GLFWwindow* window);
        // Has the window library's reports for the window queued as its messages.
        void CollectMessages(GLFWwindow* window);
    }
}
