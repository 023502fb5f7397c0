#include "engine/core/World.h"

// The program takes no arguments: everything it needs is read relative to its working
// directory (or the "bits" folder beside it).
int main(int /*argc*/, char** /*argv*/)
{
    World::GetInstance()->Initialize("Zarvo Engine", false, false, false);
    World::GetInstance()->StartGame();
    World::GetInstance()->Destroy();
    return 0;
}
