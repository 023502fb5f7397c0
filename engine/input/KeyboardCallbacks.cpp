#include "engine/input/KeyboardCallbacks.h"

#include "engine/core/World.h"

#include <GLFW/glfw3.h>

void OnKeyEvent(GLFWwindow* /*window*/, int key, int /*scancode*/, int action, int /*mods*/)
{
    if (action != GLFW_PRESS)
    {
        return;
    }
    // An Escape that nothing else took ends the main loop after the current frame.
    if (key == GLFW_KEY_ESCAPE)
    {
        World::GetInstance()->StopGame();
    }
}
