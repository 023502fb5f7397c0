#include "gui/platform/PlatformWindow.h"

#include "gui/platform/Debug.h"
#include "gui/platform/WindowSizeLimit.h"
#include "gui/platform/WindowState.h"

#include <GLFW/glfw3.h>

#include <cstdlib>
#include <map>
#include <memory>

namespace Gui
{
namespace WindowsLayer
{
namespace
{
std::map<GLFWwindow*, std::unique_ptr<WindowState>> s_windows;
// The platform layer started the window library, so it ends it when the program ends.
bool s_startedLibrary = false;
bool s_endsAtExit = false;

// The library answers "not initialized" to any call made before it was started.
bool LibraryRunning()
{
    glfwGetError(nullptr);
    glfwGetTimerFrequency();
    return glfwGetError(nullptr) != GLFW_NOT_INITIALIZED;
}

void EndLibraryAtExit()
{
    if (s_startedLibrary && LibraryRunning())
    {
        glfwTerminate();
    }
    s_windows.clear();
    s_startedLibrary = false;
}

// Started once and kept: every start and end of the library opens and closes the display
// again, which leaks and, after a few hundred rounds, fails.
bool StartLibrary()
{
    if (LibraryRunning())
    {
        return true;
    }
    if (glfwInit() != GLFW_TRUE)
    {
        return false;
    }
    s_startedLibrary = true;
    if (!s_endsAtExit)
    {
        s_endsAtExit = true;
        std::atexit(&EndLibraryAtExit);
    }
    return true;
}

Rect BoundsOf(GLFWwindow* window)
{
    Rect bounds;
    glfwGetWindowPos(window, &bounds.x, &bounds.y);
    glfwGetWindowSize(window, &bounds.w, &bounds.h);
    return bounds;
}

void Place(GLFWwindow* window, const Rect& bounds)
{
    glfwSetWindowPos(window, bounds.x, bounds.y);
    glfwSetWindowSize(window, bounds.w, bounds.h);
}

// The primary monitor's area free of panels; the whole screen when no monitor is known.
Rect WorkArea()
{
    Rect area(0, 0, 0, 0);
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    if (monitor != nullptr)
    {
        glfwGetMonitorWorkarea(monitor, &area.x, &area.y, &area.w, &area.h);
    }
    return area;
}
}

WindowState* StateOf(GLFWwindow* window)
{
    std::map<GLFWwindow*, std::unique_ptr<WindowState>>::iterator found = s_windows.find(window);
    return found != s_windows.end() ? found->second.get() : nullptr;
}

GLFWwindow* CreatePlatformWindow(int x, int y, int w, int h, const std::string& title)
{
    if (!StartLibrary())
    {
        Debug::Msg("ERROR: The window \"%s\" cannot be made: the window library could not start (no display?).\n",
                   title.c_str());
        return nullptr;
    }
    if (!CanMakeWindow(w, h))
    {
        Debug::Msg("ERROR: The window \"%s\" cannot be made %d x %d pixels large (%s).\n", title.c_str(), w, h,
                   WindowSizeRule());
        return nullptr;
    }
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_DECORATED, GLFW_FALSE);
    // Made hidden, so it first shows where it belongs.
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHintString(GLFW_X11_CLASS_NAME, "GUI_Window_Class");
    glfwWindowHintString(GLFW_X11_INSTANCE_NAME, "gui_window");
    GLFWwindow* window = glfwCreateWindow(w, h, title.c_str(), nullptr, nullptr);
    glfwDefaultWindowHints();
    if (window == nullptr)
    {
        Debug::Msg("ERROR: The window \"%s\" cannot be made.\n", title.c_str());
        return nullptr;
    }
    WindowState* state = new WindowState();
    state->title = title;
    s_windows[window].reset(state);
    CollectMessages(window);
    glfwSetWindowPos(window, x, y);
    glfwShowWindow(window);
    glfwFocusWindow(window);
    return window;
}

void DestroyPlatformWindow(GLFWwindow* window)
{
    if (StateOf(window) == nullptr)
    {
        return;
    }
    s_windows.erase(window);
    glfwDestroyWindow(window);
}

void SetBoundsPlatformWindow(GLFWwindow* window, int x, int y, int w, int h)
{
    WindowState* state = StateOf(window);
    if (state == nullptr)
    {
        return;
    }
    if (!CanMakeWindow(w, h))
    {
        Debug::Msg("WARNING: The window \"%s\" cannot be made %d x %d pixels large (%s); it keeps its bounds.\n",
                   state->title.c_str(), w, h, WindowSizeRule());
        return;
    }
    Place(window, Rect(x, y, w, h));
}

void SetWindowMaximized(GLFWwindow* window, bool maximized, Point& position, Point& size)
{
    WindowState* state = StateOf(window);
    if (state == nullptr)
    {
        return;
    }
    if (maximized)
    {
        if (!state->maximized)
        {
            state->restoreBounds = BoundsOf(window);
        }
        glfwMaximizeWindow(window);
        // Without a window manager the request alone would change nothing.
        const Rect area = WorkArea();
        if (area.w > 0 && area.h > 0)
        {
            Place(window, area);
        }
    }
    else if (state->maximized)
    {
        glfwRestoreWindow(window);
        Place(window, state->restoreBounds);
    }
    state->maximized = maximized;
    const Rect bounds = BoundsOf(window);
    position = Point(bounds.x, bounds.y);
    size = Point(bounds.w, bounds.h);
}

void SetWindowMinimized(GLFWwindow* window, bool minimized)
{
    if (StateOf(window) == nullptr)
    {
        return;
    }
    if (minimized)
    {
        glfwIconifyWindow(window);
    }
    else
    {
        glfwRestoreWindow(window);
    }
}

bool HasFocusPlatformWindow(GLFWwindow* window)
{
    return StateOf(window) != nullptr && glfwGetWindowAttrib(window, GLFW_FOCUSED) == GLFW_TRUE;
}
}
}
