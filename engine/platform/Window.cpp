#include "engine/platform/Window.h"

#include "engine/log/CompoundLog.h"
#include "engine/platform/KeyCodes.h"
#include "gui/platform/WindowSizeLimit.h"

#include <GLFW/glfw3.h>

static_assert(KEY_ESCAPE == GLFW_KEY_ESCAPE && KEY_GRAVE_ACCENT == GLFW_KEY_GRAVE_ACCENT &&
                  KEY_F1 == GLFW_KEY_F1 && KEY_KP_0 == GLFW_KEY_KP_0 && KEY_RIGHT_ALT == GLFW_KEY_RIGHT_ALT &&
                  KEY_LAST == GLFW_KEY_LAST,
              "the engine's key codes are the window library's");
static_assert(KEY_ACTION_PRESS == GLFW_PRESS && KEY_ACTION_RELEASE == GLFW_RELEASE &&
                  KEY_ACTION_REPEAT == GLFW_REPEAT,
              "the engine's key actions are the window library's");
static_assert(WINDOW_MOUSE_BUTTON_RIGHT == GLFW_MOUSE_BUTTON_RIGHT &&
                  WINDOW_MOUSE_BUTTON_MIDDLE == GLFW_MOUSE_BUTTON_MIDDLE,
              "the engine's mouse buttons are the window library's");

namespace
{
const int kStandardCursors[CURSOR_SHAPE_COUNT] = {GLFW_ARROW_CURSOR,   GLFW_IBEAM_CURSOR,
                                                  GLFW_CROSSHAIR_CURSOR, GLFW_HAND_CURSOR,
                                                  GLFW_HRESIZE_CURSOR, GLFW_VRESIZE_CURSOR};
}

Window::Window() : _handle(0), _highDensity(false)
{
    for (GLFWcursor*& cursor : _cursors)
    {
        cursor = 0;
    }
}

Window::~Window() { Close(); }

bool Window::StartLibrary()
{
    // Nothing else of the library may be called when this fails.
    if (glfwInit() == GLFW_TRUE)
    {
        return true;
    }
    const char* reason = 0;
    glfwGetError(&reason);
    CompoundLog::GetSystemLog().Printf("ERROR: Couldn't open a window: the window library could not start (%s).",
                                       reason != 0 ? reason : "no reason given");
    return false;
}

bool Window::Open(const String& title, int width, int height, bool antiAliasing, bool fullScreen,
                  bool resizable)
{
    if (_handle != 0)
    {
        return false;
    }
    // The window library and the X library end the program over such a size rather than
    // report it.
    if (!Gui::WindowsLayer::CanMakeWindow(width, height))
    {
        CompoundLog::GetSystemLog().Printf("ERROR: Couldn't create the window (a size of %d x %d pixels).", width,
                                           height);
        return false;
    }
    if (!StartLibrary())
    {
        return false;
    }

    if (antiAliasing)
    {
        glfwWindowHint(GLFW_SAMPLES, 4);
    }
    glfwWindowHint(GLFW_RESIZABLE, resizable ? GLFW_TRUE : GLFW_FALSE);
    // Nothing draws with a stencil buffer. Without one, each depth value is cleared, tested
    // and written whole instead of beside stencil bits that must be kept, which a software
    // renderer pays for at every pixel; the depth buffer keeps its 24 bits.
    glfwWindowHint(GLFW_STENCIL_BITS, 0);
    GLFWmonitor* monitor = fullScreen ? glfwGetPrimaryMonitor() : 0;

    _handle = glfwCreateWindow(width, height, title.c_str(), monitor, 0);
    if (_handle == 0)
    {
        const char* reason = 0;
        glfwGetError(&reason);
        CompoundLog::GetSystemLog().Printf("ERROR: Couldn't create the window (%s).",
                                            reason != 0 ? reason : "no reason given");
        glfwTerminate();
        return false;
    }
    glfwMakeContextCurrent(_handle);
    _highDensity = (GetFramebufferSize().X == 2LL * width);
    glfwSwapInterval(0);
    return true;
}

void Window::Close()
{
    if (_handle == 0)
    {
        return;
    }
    for (GLFWcursor*& cursor : _cursors)
    {
        if (cursor != 0)
        {
            glfwDestroyCursor(cursor);
            cursor = 0;
        }
    }
    glfwDestroyWindow(_handle);
    _handle = 0;
    _highDensity = false;
}

void Window::StopLibrary() { glfwTerminate(); }

void Window::InstallCallbacks(const WindowCallbacks& callbacks)
{
    if (_handle == 0)
    {
        return;
    }
    glfwSetWindowSizeCallback(_handle, callbacks.Resized);
    glfwSetKeyCallback(_handle, callbacks.Key);
    glfwSetCharCallback(_handle, callbacks.Character);
    glfwSetCursorPosCallback(_handle, callbacks.CursorMoved);
    glfwSetMouseButtonCallback(_handle, callbacks.MouseButton);
    glfwSetScrollCallback(_handle, callbacks.Scrolled);
    glfwSetWindowCloseCallback(_handle, callbacks.CloseRequested);
}

Vec2i Window::GetSize() const
{
    int width = 0;
    int height = 0;
    if (_handle != 0)
    {
        glfwGetWindowSize(_handle, &width, &height);
    }
    return Vec2i(width, height);
}

Vec2i Window::GetFramebufferSize() const
{
    int width = 0;
    int height = 0;
    if (_handle != 0)
    {
        glfwGetFramebufferSize(_handle, &width, &height);
    }
    return Vec2i(width, height);
}

void Window::SetSize(int width, int height)
{
    // The window library and the X library end the program over such a size, at once or at
    // the next swap.
    if (!Gui::WindowsLayer::CanMakeWindow(width, height))
    {
        CompoundLog::GetSystemLog().Printf("WARNING: A window of %d x %d pixels can't be made; the size stays.",
                                           width, height);
        return;
    }
    if (_handle != 0)
    {
        glfwSetWindowSize(_handle, width, height);
    }
}

void Window::SetTitle(const String& title)
{
    if (_handle != 0)
    {
        glfwSetWindowTitle(_handle, title.c_str());
    }
}

void Window::SetPosition(int x, int y)
{
    if (_handle != 0)
    {
        glfwSetWindowPos(_handle, x, y);
    }
}

void Window::SwapBuffers()
{
    if (_handle != 0)
    {
        glfwSwapBuffers(_handle);
    }
}

void Window::PollEvents() { glfwPollEvents(); }

bool Window::IsKeyDown(int key) const
{
    // The window library rejects codes outside its range.
    if (_handle == 0 || key < GLFW_KEY_SPACE || key > GLFW_KEY_LAST)
    {
        return false;
    }
    return glfwGetKey(_handle, key) == GLFW_PRESS;
}

Vec2i Window::GetCursorPosition() const
{
    double x = 0.0;
    double y = 0.0;
    if (_handle != 0)
    {
        glfwGetCursorPos(_handle, &x, &y);
    }
    return Vec2i((int)x, (int)y);
}

std::vector<Vec3ui> Window::GetVideoModes()
{
    std::vector<Vec3ui> modes;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    if (monitor == 0)
    {
        return modes;
    }
    int count = 0;
    const GLFWvidmode* videoModes = glfwGetVideoModes(monitor, &count);
    for (int i = 0; i < count; ++i)
    {
        const GLFWvidmode& mode = videoModes[i];
        modes.push_back(Vec3ui(mode.width, mode.height, mode.redBits + mode.greenBits + mode.blueBits));
    }
    return modes;
}

void Window::SetCursorShape(CursorShape shape)
{
    if (_handle == 0 || shape < 0 || shape >= CURSOR_SHAPE_COUNT)
    {
        return;
    }
    GLFWcursor*& cursor = _cursors[shape];
    if (cursor == 0)
    {
        cursor = glfwCreateStandardCursor(kStandardCursors[shape]);
    }
    glfwSetCursor(_handle, cursor);
}

String Window::GetClipboardText() const
{
    const char* text = _handle != 0 ? glfwGetClipboardString(_handle) : 0;
    return text != 0 ? String(text) : String();
}

void Window::SetClipboardText(const String& text)
{
    if (_handle != 0)
    {
        glfwSetClipboardString(_handle, text.c_str());
    }
}
