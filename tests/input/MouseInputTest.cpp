// The pointer of the World's real window reaching mouse listeners.
#include "engine/core/World.h"
#include "engine/input/MouseListener.h"
#include "support/EventPolling.h"
#include "support/ScratchDirectory.h"
#include "support/X11Display.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace
{
const char* kTitle = "Mouse Test";

class JournalListener : public MouseListener
{
public:
    void MouseMotionEvent(Vec2i at) override { lastMotion = at; }
    void MouseDownEvent(Vec2i at, MouseButtonInput button) override { Write("down", at, button); }
    void MouseUpEvent(Vec2i at, MouseButtonInput button) override { Write("up", at, button); }
    void MouseWheelEvent(const Vector2& delta) override
    {
        std::ostringstream line;
        line << "wheel " << delta.X << "," << delta.Y;
        journal.push_back(line.str());
    }

    Vec2i lastMotion;
    std::vector<std::string> journal;

private:
    void Write(const char* event, Vec2i at, int button)
    {
        std::ostringstream line;
        line << event << " " << at.X << "," << at.Y << " " << button;
        journal.push_back(line.str());
    }
};

class MouseInputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(display.IsOpen()) << "no X server (run the tests through scripts/test.sh)";
        ASSERT_TRUE(World::GetInstance()->Initialize(kTitle, false, false, false));
        window = display.WaitForWindow(kTitle, 10.0);
        ASSERT_NE(0ul, window);
    }

    void Send(const std::string& command) { ASSERT_EQ(0, X11Display::Xdo(window, command)) << command; }

    bool PollUntil(const std::function<bool()>& condition, double seconds = 5.0)
    {
        return PollEventsUntil(condition, seconds);
    }

    std::string InWindow(int x, int y)
    {
        std::ostringstream command;
        command << "mousemove --window " << window << " " << x << " " << y;
        return command.str();
    }

    ScratchDirectory scratch;
    X11Display display;
    unsigned long window = 0;
    JournalListener listener;
};
}

TEST_F(MouseInputTest, ClicksAndWheelArriveWithThePointerPositionAndEngineButtons)
{
    Send(InWindow(100, 120));
    ASSERT_TRUE(PollUntil([this] { return listener.lastMotion == Vec2i(100, 120); }));

    Send("click 1");
    Send("click 3");
    Send("click 2");
    Send("click 4");
    ASSERT_TRUE(PollUntil([this] { return listener.journal.size() >= 7; }));

    std::vector<std::string> expected = {"down 100,120 0", "up 100,120 0", "down 100,120 2", "up 100,120 2",
                                         "down 100,120 1", "up 100,120 1", "wheel 0,1"};
    EXPECT_EQ(expected, listener.journal);
}
