// Keys typed into the World's real window: bindings fire on the next tick, held keys don't
// repeat, the polled key test, and the Escape key.
#include "engine/core/World.h"
#include "engine/input/InputManager.h"
#include "engine/input/InputRoute.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/MessageListener.h"
#include "engine/messaging/Switchboard.h"
#include "engine/util/FileUtil.h"
#include "support/EventPolling.h"
#include "support/ScratchDirectory.h"
#include "support/X11Display.h"

#include <GLFW/glfw3.h>
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace
{
const char* kTitle = "Keyboard Test";

int g_repeats = 0;

// Counts the window library's auto-repeats before the engine sees the event.
void CountingKeyCallback(GLFWwindow* window, int key, int scancode, int action, int mods)
{
    if (action == GLFW_REPEAT)
    {
        ++g_repeats;
    }
    OnKeyEvent(window, key, scancode, action, mods);
}

class KeyboardInputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(display.IsOpen()) << "no X server (run the tests through scripts/test.sh)";
        MakeDirectories("Config");
        ASSERT_TRUE(WriteLinesToFile("Config/input_bindings.ini",
                                     {"; the test's own bindings", "w = +Forward", "W = -Stop", "SPACE = Fire"}));
        ASSERT_TRUE(world.Initialize(kTitle, false, false, false));
        window = display.WaitForWindow(kTitle, 10.0);
        ASSERT_NE(0ul, window);
        for (const char* name : {"Forward", "Stop", "Fire", "Released"})
        {
            Switchboard::GetInstance()->SubscribeTo(&recorder, name);
        }
    }

    void Send(const std::string& command) { ASSERT_EQ(0, X11Display::Xdo(window, command)) << command; }

    bool PollUntil(const std::function<bool()>& condition, double seconds = 5.0)
    {
        return PollEventsUntil(condition, seconds);
    }

    void PollFor(double seconds)
    {
        PollUntil([] { return false; }, seconds);
    }

    ScratchDirectory scratch;
    X11Display display;
    World& world = *World::GetInstance();
    unsigned long window = 0;
    MessageNameRecorder recorder;
};
}

TEST_F(KeyboardInputTest, BoundKeyFiresOnTheNextTickAndIsPolledAsDown)
{
    EXPECT_FALSE(InputManager::IsKeyDown('w'));
    Send("keydown w");
    ASSERT_TRUE(PollUntil([] { return InputManager::IsKeyDown('w'); }));
    EXPECT_TRUE(InputManager::IsKeyDown('W'));
    EXPECT_FALSE(InputManager::IsKeyDown('s'));
    EXPECT_FALSE(InputManager::IsKeyDown(1000));
    // The press was broadcast inside the poll; it is delivered by the tick, not before.
    PollFor(0.1);
    EXPECT_TRUE(recorder.names.empty());
    world.Tick(true);
    EXPECT_EQ(std::vector<std::string>({"Forward"}), recorder.names);

    Send("keyup w");
    ASSERT_TRUE(PollUntil([] { return !InputManager::IsKeyDown('w'); }));
    world.Tick(true);
    EXPECT_EQ(std::vector<std::string>({"Forward", "Stop"}), recorder.names);

    Send("key space");
    PollFor(0.3);
    world.Tick(true);
    EXPECT_EQ(std::vector<std::string>({"Forward", "Stop", "Fire"}), recorder.names);
}

TEST_F(KeyboardInputTest, HeldKeySendsItsDownMessageOnce)
{
    glfwSetKeyCallback(world.GetMainWindow(), CountingKeyCallback);
    Send("keydown w");
    ASSERT_TRUE(PollUntil([] { return InputManager::IsKeyDown('w'); }));
    // Long enough for the server's auto-repeat to start.
    PollFor(1.5);
    // Whatever the server does, a repeat reaching the callback sends nothing.
    OnKeyEvent(world.GetMainWindow(), 'W', 0, GLFW_REPEAT, 0);
    world.Tick(true);
    Send("keyup w");
    ASSERT_TRUE(PollUntil([] { return !InputManager::IsKeyDown('w'); }));
    world.Tick(true);

    EXPECT_EQ(std::vector<std::string>({"Forward", "Stop"}), recorder.names);
    EXPECT_GT(g_repeats, 0) << "the X server sent no auto-repeats, so the held key proved little";
}

TEST_F(KeyboardInputTest, UnboundEscapeEndsTheMainLoop)
{
    ASSERT_TRUE(world.IsRunning());
    Send("key Escape");
    EXPECT_TRUE(PollUntil([this] { return !world.IsRunning(); }));
}

TEST_F(KeyboardInputTest, BoundEscapeSendsItsMessageAndTheGameGoesOn)
{
    // Only an up message: the binding's existence, not its messages, keeps the game going.
    InputManager::GetInstance()->AddBinding("escape", "-Released");
    Send("key Escape");
    PollFor(0.5);
    EXPECT_TRUE(world.IsRunning());
    world.Tick(true);
    EXPECT_EQ(std::vector<std::string>({"Released"}), recorder.names);
}

TEST_F(KeyboardInputTest, ReleaseSendsTheUpMessageOnlyForAPressTheBindingsSaw)
{
    GLFWwindow* mainWindow = world.GetMainWindow();
    // Pressed before it had a binding: its release must not send a stray up message.
    OnKeyEvent(mainWindow, 'K', 0, GLFW_PRESS, 0);
    InputManager::GetInstance()->AddBinding("k", "-Released");
    OnKeyEvent(mainWindow, 'K', 0, GLFW_RELEASE, 0);
    world.Tick(true);
    EXPECT_TRUE(recorder.names.empty());

    // Pressed through the bindings: the release always sends, once.
    OnKeyEvent(mainWindow, 'K', 0, GLFW_PRESS, 0);
    OnKeyEvent(mainWindow, 'K', 0, GLFW_RELEASE, 0);
    OnKeyEvent(mainWindow, 'K', 0, GLFW_RELEASE, 0);
    world.Tick(true);
    EXPECT_EQ(std::vector<std::string>({"Released"}), recorder.names);
}

TEST_F(KeyboardInputTest, GraveAccentNeverReachesTheBindings)
{
    OnKeyEvent(world.GetMainWindow(), GLFW_KEY_GRAVE_ACCENT, 0, GLFW_PRESS, 0);
    OnCharEvent(world.GetMainWindow(), '`');
    OnKeyEvent(world.GetMainWindow(), GLFW_KEY_GRAVE_ACCENT, 0, GLFW_RELEASE, 0);
    world.Tick(true);
    EXPECT_TRUE(recorder.names.empty());
    EXPECT_TRUE(world.IsRunning());
}
