#include "engine/input/InputRoute.h"

#include "engine/console/Console.h"
#include "engine/core/World.h"
#include "engine/input/InputManager.h"
#include "engine/input/MouseListener.h"
#include "engine/platform/KeyCodes.h"

namespace
{
MouseButtonInput ToEngineButton(int windowButton)
{
    switch (windowButton)
    {
    case WINDOW_MOUSE_BUTTON_RIGHT:
        return MOUSE_RIGHT;
    case WINDOW_MOUSE_BUTTON_MIDDLE:
        return MOUSE_MIDDLE;
    default:
        return MOUSE_LEFT;
    }
}
}

void InputRoute::KeyPressed(int key)
{
    World* world = World::GetInstance();
    Console* console = world->GetConsole();
    if (key == KEY_GRAVE_ACCENT)
    {
        if (console != 0)
        {
            console->ToggleConsole();
        }
        return;
    }
    if (console != 0 && console->GetSpecialInputDown(key))
    {
        return;
    }
    if (InputManager::GetInstance()->OnKeyDown(key))
    {
        // Releasing it always sends its up message, so opening the console while W is held
        // can't leave the ship going.
        _keysHeldByBindings.insert(InputManager::LowerCaseKey(key));
        return;
    }
    if (key == KEY_ESCAPE)
    {
        world->StopGame();
    }
}

void InputRoute::KeyReleased(int key)
{
    if (_keysHeldByBindings.erase(InputManager::LowerCaseKey(key)) > 0)
    {
        InputManager::GetInstance()->OnKeyUp(key);
    }
}

void InputRoute::CharacterTyped(unsigned int codepoint)
{
    Console* console = World::GetInstance()->GetConsole();
    if (codepoint != (unsigned int)KEY_GRAVE_ACCENT && console != 0)
    {
        console->GetInput(codepoint);
    }
}

void InputRoute::PointerMoved(double x, double y)
{
    _lastPointerPosition = Vec2i((int)x, (int)y);
    MouseListener::DispatchMotion(_lastPointerPosition);
}

void InputRoute::MouseButtonChanged(int windowButton, bool pressed)
{
    const MouseButtonInput button = ToEngineButton(windowButton);
    if (pressed)
    {
        MouseListener::DispatchDown(_lastPointerPosition, button);
    }
    else
    {
        MouseListener::DispatchUp(_lastPointerPosition, button);
    }
}

void InputRoute::Scrolled(double xOffset, double yOffset)
{
    MouseListener::DispatchWheel(Vector2((float)xOffset, (float)yOffset));
}

void OnKeyEvent(GLFWwindow* /*window*/, int key, int /*scancode*/, int action, int /*mods*/)
{
    InputRoute& route = World::GetInstance()->GetInputRoute();
    if (action == KEY_ACTION_PRESS)
    {
        route.KeyPressed(key);
    }
    else if (action == KEY_ACTION_RELEASE)
    {
        route.KeyReleased(key);
    }
}

void OnCharEvent(GLFWwindow* /*window*/, unsigned int codepoint)
{
    World::GetInstance()->GetInputRoute().CharacterTyped(codepoint);
}

void OnMouseMotion(GLFWwindow* /*window*/, double x, double y)
{
    World::GetInstance()->GetInputRoute().PointerMoved(x, y);
}

void OnMouseButton(GLFWwindow* /*window*/, int button, int action, int /*mods*/)
{
    World::GetInstance()->GetInputRoute().MouseButtonChanged(button, action == KEY_ACTION_PRESS);
}

void OnMouseWheel(GLFWwindow* /*window*/, double xOffset, double yOffset)
{
    World::GetInstance()->GetInputRoute().Scrolled(xOffset, yOffset);
}
