#include "engine/core/World.h"
#include "game/core/SkarrowGameManager.h"

// The program takes no arguments: everything it needs is read relative to its working
// directory (or the "bits" folder beside it).
int main(int /*argc*/, char** /*argv*/)
{
    // Without a window there is nothing to build the game in; the World has said why.
    if (!World::GetInstance()->Initialize("Zarvo Engine", false, false, false))
    {
        return 1;
    }
    // Built after the window, the camera, the input and the sound exist: it relies on them.
    World::GetInstance()->SetGameManager(SkarrowGameManager::GetInstance());
    World::GetInstance()->StartGame();
    SkarrowGameManager::GetInstance()->SetState(GS_Shutdown);
    World::GetInstance()->Destroy();
    return 0;
}
