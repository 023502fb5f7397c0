#include "engine/platform/GamepadBackend.h"

#include "engine/platform/GlfwGamepadBackend.h"

namespace
{
GamepadBackend* s_installed = 0;
}

GamepadBackend::~GamepadBackend() {}

GamepadBackend& GamepadBackend::Get()
{
    if (s_installed != 0)
    {
        return *s_installed;
    }
    static GlfwGamepadBackend windowLibraryPads;
    return windowLibraryPads;
}

void GamepadBackend::Install(GamepadBackend* backend)
{
    s_installed = backend;
}
