#include "engine/input/KeyboardCallbacks.h"

#include "engine/console/Console.h"
#include "engine/core/World.h"
#include "engine/input/InputManager.h"

#include <GLFW/glfw3.h>

#include <set>

namespace
{
const int kConsoleKey = GLFW_KEY_GRAVE_ACCENT;

// Lower-cased keys whose press went to the bindings and whose release is still due. Releasing
// one of them always sends its up message, so opening the console while W is held can't leave
// the ship going; a key whose press the console took sends nothing on release.
std::set<int> s_keysHeldByBindings;

void ToggleConsole(Console& console) { console.ToggleConsole(); }

bool ConsoleTakesKeyDown(Console& console, int key) { return console.GetSpecialInputDown(key); }

// The whole code point goes on: the console refuses what it can't show before narrowing it.
void TypeIntoConsole(Console& console, unsigned int codepoint) { console.GetInput(codepoint); }

void HandleKeyPress(int key)
{
    Console* console = World::GetInstance()->GetConsole();
    if (key == kConsoleKey)
    {
        if (console != 0)
        {
            ToggleConsole(*console);
        }
        return;
    }
    if (console != 0 && ConsoleTakesKeyDown(*console, key))
    {
        return;
    }
    if (InputManager::GetInstance()->OnKeyDown(key))
    {
        s_keysHeldByBindings.insert(InputManager::LowerCaseKey(key));
        return;
    }
    // An Escape that nothing else took ends the main loop after the current frame.
    if (key == GLFW_KEY_ESCAPE)
    {
        World::GetInstance()->StopGame();
    }
}

void HandleKeyRelease(int key)
{
    if (s_keysHeldByBindings.erase(InputManager::LowerCaseKey(key)) > 0)
    {
        InputManager::GetInstance()->OnKeyUp(key);
    }
}
}

void OnKeyEvent(GLFWwindow* /*window*/, int key, int /*scancode*/, int action, int /*mods*/)
{
    if (action == GLFW_PRESS)
    {
        HandleKeyPress(key);
    }
    else if (action == GLFW_RELEASE)
    {
        HandleKeyRelease(key);
    }
}

void OnCharEvent(GLFWwindow* /*window*/, unsigned int codepoint)
{
    Console* console = World::GetInstance()->GetConsole();
    if (codepoint != (unsigned int)kConsoleKey && console != 0)
    {
        TypeIntoConsole(*console, codepoint);
    }
}
