#include "engine/input/MouseCallbacks.h"

#include "engine/input/MouseListener.h"

#include <GLFW/glfw3.h>

namespace
{
Vec2i s_lastPointerPosition;

MouseButtonInput ToEngineButton(int button)
{
    switch (button)
    {
    case GLFW_MOUSE_BUTTON_RIGHT:
        return MOUSE_RIGHT;
    case GLFW_MOUSE_BUTTON_MIDDLE:
        return MOUSE_MIDDLE;
    default:
        return MOUSE_LEFT;
    }
}
}

void OnMouseMotion(GLFWwindow* /*window*/, double x, double y)
{
    s_lastPointerPosition = Vec2i((int)x, (int)y);
    MouseListener::DispatchMotion(s_lastPointerPosition);
}

void OnMouseButton(GLFWwindow* /*window*/, int button, int action, int /*mods*/)
{
    const MouseButtonInput engineButton = ToEngineButton(button);
    if (action == GLFW_PRESS)
    {
        MouseListener::DispatchDown(s_lastPointerPosition, engineButton);
    }
    else
    {
        MouseListener::DispatchUp(s_lastPointerPosition, engineButton);
    }
}

void OnMouseWheel(GLFWwindow* /*window*/, double xOffset, double yOffset)
{
    MouseListener::DispatchWheel(Vector2((float)xOffset, (float)yOffset));
}
