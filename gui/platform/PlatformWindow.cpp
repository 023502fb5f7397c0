#include "gui/platform/PlatformWindow.h"

#include "gui/platform/Debug.h"
#include "gui/platform/WindowState.h"

#include <GLFW/glfw3.h>

#include <map>
#include <memory>

namespace Gui
{
namespace WindowsLayer
{
namespace
{
std::map<GLFWwindow*, std::unique_ptr<WindowState>> s_windows;
// The platform layer started the window library, so it ends it with its last window.
bool s_startedLibrary = false;

// The library answers "not initialized" to any call made before it was started.
bool LibraryRunning()
{
    glfwGetError(nullptr);
    glfwGetTimerFrequency();
    return glfwGetError(nullptr) != GLFW_NOT_INITIALIZED;
}

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
    return true;
}

void EndLibraryWhenUnused()
{
    if (s_startedLibrary && s_windows.empty())
    {
        glfwTerminate();
        s_startedLibrary = false;
    }
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
        EndLibraryWhenUnused();
        return nullptr;
    }
    s_windows[window].reset(new WindowState());
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
    EndLibraryWhenUnused();
}

void SetBoundsPlatformWindow(GLFWwindow* window, int x, int y, int w, int h)
{
    if (StateOf(window) != nullptr)
    {
        Place(window, Rect(x, y, w, h));
    }
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
