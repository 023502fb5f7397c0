#pragma once

#include "engine/core/World.h"
#include "engine/rendering/Camera.h"

#include "engine/platform/Window.h"

// Opens the World's window at the benchmark size and lets the window system settle; false
// when no window could be made.
inline bool SetUpBenchWindow(int width, int height)
{
    World* world = World::GetInstance();
    if (!world->Initialize("Zarvo Engine", false, false, false))
    {
        return false;
    }
    world->AdjustWindow(width, height, "Zarvo Engine");
    for (int i = 0; i < 10; ++i)
    {
        Window::PollEvents();
    }
    Camera::GetInstance()->Resize(width, height);
    return true;
}
