#pragma once

#include "engine/math/Vec2i.h"
#include "engine/math/Vec3ui.h"
#include "engine/util/StringTypes.h"

#include <vector>

struct GLFWcursor;
struct GLFWwindow;

// The functions the window calls from inside its event poll, with the window library's own
// signatures. A null entry installs nothing.
struct WindowCallbacks
{
    void (*Resized)(GLFWwindow* window, int width, int height);
    void (*Key)(GLFWwindow* window, int key, int scancode, int action, int mods);
    void (*Character)(GLFWwindow* window, unsigned int codepoint);
    void (*CursorMoved)(GLFWwindow* window, double x, double y);
    void (*MouseButton)(GLFWwindow* window, int button, int action, int mods);
    void (*Scrolled)(GLFWwindow* window, double xOffset, double yOffset);
    void (*CloseRequested)(GLFWwindow* window);
};

// The pointer shapes a window can show.
enum CursorShape
{
    CURSOR_ARROW,
    CURSOR_IBEAM,
    CURSOR_CROSSHAIR,
    CURSOR_HAND,
    CURSOR_HORIZONTAL_RESIZE,
    CURSOR_VERTICAL_RESIZE,
    CURSOR_SHAPE_COUNT
};

// The program's one window with its OpenGL context, over the window library; the only place
// that calls it for windows. Owned by the World. Every query answers "nothing" (false, zero,
// empty) while no window is open.
class Window
{
public:
    Window();
    // Closes the window when one is open.
    ~Window();

    // Starts the window library, so the monitor's video modes can be read before any window
    // exists; true at once when it runs already. False, with an "ERROR: " line giving the
    // library's reason, when it can't (no display): no window can be opened then.
    static bool StartLibrary();
    // Starts the window library if need be, creates the window (windowed unless fullScreen,
    // which uses the primary monitor) and makes its context current, with no vertical sync.
    // Logs an "ERROR: " line and returns false when either fails or the size is one no window
    // can have (gui/platform/WindowSizeLimit.h); false too when a window is open already.
    bool Open(const String& title, int width, int height, bool antiAliasing, bool fullScreen,
              bool resizable);
    // Destroys the window and its cursors; the window library keeps running.
    void Close();
    // Stops the window library, which frees whatever it still holds (cursors made elsewhere
    // included). Call after Close, when the program wants no window any more.
    static void StopLibrary();
    bool IsOpen() const { return _handle != 0; }

    // Installs the callbacks in this order: size, key, character, cursor, button, scroll, close.
    void InstallCallbacks(const WindowCallbacks& callbacks);

    // The window library's handle; owned by this window, null while none is open.
    GLFWwindow* GetHandle() const { return _handle; }
    // True when the framebuffer is exactly twice as wide as the window (pixel doubling).
    bool IsHighDensity() const { return _highDensity; }
    Vec2i GetSize() const;
    Vec2i GetFramebufferSize() const;
    // A size no window can have (gui/platform/WindowSizeLimit.h) is refused with a warning.
    void SetSize(int width, int height);
    void SetTitle(const String& title);
    void SetPosition(int x, int y);

    void SwapBuffers();
    // Runs every pending window and input callback, on this thread.
    static void PollEvents();

    // Whether the key (a window library key code, upper-case letters) is held right now.
    bool IsKeyDown(int key) const;
    // The pointer in window pixels, origin top-left.
    Vec2i GetCursorPosition() const;
    // Width, height and the sum of the red, green and blue bits of every mode of the primary
    // monitor; empty when there is none or the library has not been started.
    static std::vector<Vec3ui> GetVideoModes();

    // Shows one of the standard pointer shapes over the window.
    void SetCursorShape(CursorShape shape);
    // Empty when the clipboard holds no text.
    String GetClipboardText() const;
    void SetClipboardText(const String& text);

private:
    Window(const Window&);
    Window& operator=(const Window&);

    GLFWwindow* _handle;
    bool _highDensity;
    // Made on first use, destroyed with the window.
    GLFWcursor* _cursors[CURSOR_SHAPE_COUNT];
};
