// The order a key takes: the console first, then the bindings, then the Escape rule.
#include "engine/console/Console.h"
#include "engine/core/World.h"
#include "engine/input/InputManager.h"
#include "engine/input/InputRoute.h"
#include "engine/messaging/Switchboard.h"
#include "engine/platform/KeyCodes.h"
#include "support/MessageRecorder.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
class SilentConsole : public Console
{
public:
    void Execute(const String&) override {}
    StringList GetCompletions(const String&) override { return StringList(); }
};

class InputRouteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(world.Initialize("Input Route Test", false, false, false));
        InputManager::GetInstance()->AddBinding("W", "+Forward");
        InputManager::GetInstance()->AddBinding("W", "-Stop");
        Switchboard::GetInstance()->SubscribeTo(&recorder, "Forward");
        Switchboard::GetInstance()->SubscribeTo(&recorder, "Stop");
        Switchboard::GetInstance()->SubscribeTo(&recorder, "Quit");
        world.RegisterConsole(&console);
    }

    void TearDown() override { world.RegisterConsole(0); }

    void Press(int key) { OnKeyEvent(world.GetMainWindow(), key, 0, KEY_ACTION_PRESS, 0); }
    void Release(int key) { OnKeyEvent(world.GetMainWindow(), key, 0, KEY_ACTION_RELEASE, 0); }

    std::vector<std::string> Delivered()
    {
        world.Tick(true);
        std::vector<std::string> names = recorder.names;
        recorder.names.clear();
        return names;
    }

    ScratchDirectory scratch;
    World& world = *World::GetInstance();
    SilentConsole console;
    MessageNameRecorder recorder;
};
}

TEST_F(InputRouteTest, AnOpenConsoleTakesKeysBeforeTheBindingsAndAClosedOneLetsThemThrough)
{
    Press(KEY_GRAVE_ACCENT);
    ASSERT_TRUE(console.IsOpen());
    Press('W');
    Release('W');
    EXPECT_TRUE(Delivered().empty());

    Press(KEY_GRAVE_ACCENT);
    ASSERT_FALSE(console.IsOpen());
    Press('W');
    // A key held while the console opens still sends its up message on release.
    Press(KEY_GRAVE_ACCENT);
    Release('W');
    EXPECT_EQ(std::vector<std::string>({"Forward", "Stop"}), Delivered());
}

TEST_F(InputRouteTest, EscapeReachesTheBindingsOnlyWithTheConsoleClosed)
{
    console.Enable(true);
    Press(KEY_ESCAPE);
    EXPECT_TRUE(world.IsRunning());

    console.Enable(false);
    InputManager::GetInstance()->AddBinding("ESCAPE", "Quit");
    console.Enable(true);
    Press(KEY_ESCAPE);
    EXPECT_TRUE(Delivered().empty());

    console.Enable(false);
    Press(KEY_ESCAPE);
    EXPECT_EQ(std::vector<std::string>({"Quit"}), Delivered());
    EXPECT_TRUE(world.IsRunning());

    InputManager::GetInstance()->RemoveBinding("ESCAPE");
    Press(KEY_ESCAPE);
    EXPECT_FALSE(world.IsRunning());
}
