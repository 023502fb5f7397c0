#include "support/EngineReset.h"

#include "engine/actors/Actor.h"
#include "engine/config/Preferences.h"
#include "engine/config/Tuning.h"
#include "engine/core/World.h"
#include "engine/input/InputManager.h"
#include "engine/messaging/Switchboard.h"
#include "engine/rendering/Camera.h"
#include "engine/rendering/FontRegistry.h"
#include "engine/rendering/TextureCache.h"
#include "engine/scripting/LuaScriptingModule.h"
#include "engine/sound/SoundDevice.h"
#include "engine/ui/UserInterface.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>

void ResetEngine()
{
    // The toolkit's host, textures and fonts belong to the window's OpenGL context: they go
    // before it does. The window library keeps running, so what the toolkit made with it
    // stays valid.
    if (UserInterface::HasInstance())
    {
        UserInterface::DestroyInstance();
    }
    PurgeAllTextures();
    UnregisterAllFonts();
    // The script state, with every global a test's scripts left and the console and tuning
    // watch it made, and what the start-up scripts loaded into the preferences and tuning.
    LuaScriptingModule::Close();
    Preferences::GetInstance()->Clear();
    Tuning::GetInstance()->Clear();
    World::DestroyInstance();
    InputManager::Destroy();
    if (SoundDevice::HasInstance())
    {
        SoundDevice::GetInstance()->Shutdown();
    }
    Switchboard::Destroy();
    Camera::Destroy();
    Actor::RestartNameCounter();
}

namespace
{
// Resets before each test, after the previous test's fixture and everything it owned is gone,
// and starts it in the program's own working directory: tests that move into the source tree
// to find the game's files would otherwise leave the next one writing its files there.
class EngineResetListener : public ::testing::EmptyTestEventListener
{
public:
    EngineResetListener()
    {
        char directory[PATH_MAX];
        if (getcwd(directory, sizeof(directory)) != 0)
            _startDirectory = directory;
    }

private:
    void OnTestStart(const ::testing::TestInfo&) override
    {
        ResetEngine();
        ASSERT_TRUE(_startDirectory.empty() || chdir(_startDirectory.c_str()) == 0) << _startDirectory;
    }

    std::string _startDirectory;
};
}

void InstallEngineResetBeforeEveryTest()
{
    ::testing::UnitTest::GetInstance()->listeners().Append(new EngineResetListener());
}
