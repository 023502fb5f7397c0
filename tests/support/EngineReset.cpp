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

#include <filesystem>

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
    // The script state with a test's globals, and what its start-up loaded into the settings.
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
// back in the program's own working directory, which a test may have left for the source tree.
class EngineResetListener : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo&) override
    {
        ResetEngine();
        std::error_code error;
        std::filesystem::current_path(_startDirectory, error);
        ASSERT_FALSE(error) << _startDirectory;
    }

    const std::filesystem::path _startDirectory = std::filesystem::current_path();
};
}

void InstallEngineResetBeforeEveryTest()
{
    ::testing::UnitTest::GetInstance()->listeners().Append(new EngineResetListener());
}
