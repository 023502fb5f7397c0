#include "gui/platform/MessagePump.h"

#include "gui/controls/Canvas.h"
#include "gui/input/Keys.h"
#include "gui/platform/WindowState.h"

#include <GLFW/glfw3.h>

#include <cmath>

namespace Gui
{
namespace WindowsLayer
{
namespace
{
const int kWheelNotch = 120;

void Queue(GLFWwindow* window, const PlatformMessage& message)
{
    WindowState* state = StateOf(window);
    if (state != nullptr)
    {
        state->pending.push_back(message);
    }
}

PlatformMessage Message(PlatformMessage::Kind kind)
{
    PlatformMessage message;
    message.kind = kind;
    return message;
}

void OnCursorPos(GLFWwindow* window, double x, double y)
{
    PlatformMessage message = Message(PlatformMessage::PointerMoved);
    message.x = (int)std::floor(x);
    message.y = (int)std::floor(y);
    Queue(window, message);
}

void OnMouseButton(GLFWwindow* window, int button, int action, int)
{
    PlatformMessage message = Message(action == GLFW_PRESS ? PlatformMessage::ButtonDown : PlatformMessage::ButtonUp);
    message.button = button;
    Queue(window, message);
}

void OnScroll(GLFWwindow* window, double, double y)
{
    if (y == 0.0)
    {
        return;
    }
    PlatformMessage message = Message(PlatformMessage::Wheel);
    message.wheel = (int)std::lround(y * kWheelNotch);
    Queue(window, message);
}

void OnChar(GLFWwindow* window, unsigned int codepoint)
{
    PlatformMessage message = Message(PlatformMessage::Character);
    message.character = (wchar_t)codepoint;
    Queue(window, message);
}

void OnKey(GLFWwindow* window, int key, int, int action, int mods)
{
    PlatformMessage message = Message(action == GLFW_RELEASE ? PlatformMessage::KeyUp : PlatformMessage::KeyDown);
    message.key = key;
    message.control = (mods & GLFW_MOD_CONTROL) != 0;
    Queue(window, message);
}

void OnClose(GLFWwindow* window)
{
    // The canvas decides; the window stays until its owner destroys it.
    glfwSetWindowShouldClose(window, GLFW_FALSE);
    Queue(window, Message(PlatformMessage::CloseRequest));
}

void OnRefresh(GLFWwindow* window) { Queue(window, Message(PlatformMessage::Paint)); }

// The toolkit's code of a key, or Key::Invalid for keys the toolkit takes no interest in.
int ToolkitKey(int key)
{
    switch (key)
    {
    case GLFW_KEY_LEFT_SHIFT:
    case GLFW_KEY_RIGHT_SHIFT:
        return Key::Shift;
    case GLFW_KEY_ENTER:
    case GLFW_KEY_KP_ENTER:
        return Key::Return;
    case GLFW_KEY_BACKSPACE:
        return Key::Backspace;
    case GLFW_KEY_DELETE:
        return Key::Delete;
    case GLFW_KEY_LEFT:
        return Key::Left;
    case GLFW_KEY_RIGHT:
        return Key::Right;
    case GLFW_KEY_TAB:
        return Key::Tab;
    case GLFW_KEY_SPACE:
        return Key::Space;
    case GLFW_KEY_HOME:
        return Key::Home;
    case GLFW_KEY_END:
        return Key::End;
    case GLFW_KEY_LEFT_CONTROL:
    case GLFW_KEY_RIGHT_CONTROL:
        return Key::Control;
    case GLFW_KEY_UP:
        return Key::Up;
    case GLFW_KEY_DOWN:
        return Key::Down;
    default:
        return Key::Invalid;
    }
}

// Only the left, right and middle buttons reach the canvas, as 0, 1 and 2.
int ToolkitButton(int button)
{
    switch (button)
    {
    case GLFW_MOUSE_BUTTON_LEFT:
        return 0;
    case GLFW_MOUSE_BUTTON_RIGHT:
        return 1;
    case GLFW_MOUSE_BUTTON_MIDDLE:
        return 2;
    default:
        return -1;
    }
}

bool TranslateKey(const PlatformMessage& message, Controls::Canvas* canvas)
{
    const bool down = message.kind == PlatformMessage::KeyDown;
    if (down && message.control && message.key >= GLFW_KEY_A && message.key <= GLFW_KEY_Z)
    {
        return canvas->OnCharacter((wchar_t)(L'A' + (message.key - GLFW_KEY_A)));
    }
    const int key = ToolkitKey(message.key);
    return key != Key::Invalid && canvas->OnKey(key, down);
}

bool TranslatePointer(const PlatformMessage& message, MessageTarget& target)
{
    const Point position(message.x, message.y);
    const Point last = target.pointerSeen ? target.lastPointer : position;
    target.lastPointer = position;
    target.pointerSeen = true;
    return target.canvas->OnMouseMoved(position.x, position.y, position.x - last.x, position.y - last.y);
}
}

void CollectMessages(GLFWwindow* window)
{
    glfwSetCursorPosCallback(window, OnCursorPos);
    glfwSetMouseButtonCallback(window, OnMouseButton);
    glfwSetScrollCallback(window, OnScroll);
    glfwSetCharCallback(window, OnChar);
    glfwSetKeyCallback(window, OnKey);
    glfwSetWindowCloseCallback(window, OnClose);
    glfwSetWindowRefreshCallback(window, OnRefresh);
}

bool ProcessMessage(GLFWwindow*, const PlatformMessage& message, MessageTarget& target)
{
    Controls::Canvas* canvas = target.canvas;
    if (canvas == nullptr)
    {
        return false;
    }
    switch (message.kind)
    {
    case PlatformMessage::PointerMoved:
        return TranslatePointer(message, target);
    case PlatformMessage::ButtonDown:
    case PlatformMessage::ButtonUp:
    {
        const int button = ToolkitButton(message.button);
        return button >= 0 && canvas->OnMouseButton(button, message.kind == PlatformMessage::ButtonDown);
    }
    case PlatformMessage::Wheel:
        return canvas->OnMouseWheel(message.wheel);
    case PlatformMessage::Character:
        return canvas->OnCharacter(message.character);
    case PlatformMessage::KeyDown:
    case PlatformMessage::KeyUp:
        return TranslateKey(message, canvas);
    case PlatformMessage::CloseRequest:
        return canvas->InputQuit();
    case PlatformMessage::Paint:
        // The canvas does not draw on request; it is marked to be drawn again.
        canvas->Redraw();
        return false;
    }
    return false;
}

bool NextPlatformMessage(GLFWwindow* window, PlatformMessage& message)
{
    WindowState* state = StateOf(window);
    if (state == nullptr)
    {
        return false;
    }
    if (state->pending.empty())
    {
        glfwPollEvents();
        if (state->pending.empty())
        {
            return false;
        }
    }
    message = state->pending.front();
    state->pending.pop_front();
    return true;
}

void ProcessMessages(GLFWwindow* window, Controls::Canvas* canvas)
{
    WindowState* state = StateOf(window);
    if (state == nullptr)
    {
        return;
    }
    glfwPollEvents();
    state->target.canvas = canvas;
    // Only what is pending now: messages that handling queues wait for the next call.
    std::deque<PlatformMessage> pending;
    pending.swap(state->pending);
    for (const PlatformMessage& message : pending)
    {
        ProcessMessage(window, message, state->target);
        // A handler may have destroyed the window.
        state = StateOf(window);
        if (state == nullptr)
        {
            return;
        }
    }
    const bool focused = glfwGetWindowAttrib(window, GLFW_FOCUSED) == GLFW_TRUE;
    if (focused != state->focused && canvas != nullptr)
    {
        canvas->Redraw();
    }
    state->focused = focused;
}
}
}
