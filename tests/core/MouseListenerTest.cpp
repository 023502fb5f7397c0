// Mouse delivery to listeners, and the touch and accelerometer inputs nothing feeds.
#include "engine/input/Accelerometer.h"
#include "engine/input/InputRoute.h"
#include "engine/input/MouseListener.h"
#include "engine/input/TouchListener.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <new>
#include <sstream>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> g_journal;

// Writes "<tag> <event> x,y [button]" for each event and can react inside it.
class JournalListener : public MouseListener
{
public:
    explicit JournalListener(const std::string& tag) : tag(tag) {}
    void MouseMotionEvent(Vec2i at) override { Write("move", at, -1); }
    void MouseDownEvent(Vec2i at, MouseButtonInput button) override { Write("down", at, button); }
    void MouseUpEvent(Vec2i at, MouseButtonInput button) override { Write("up", at, button); }
    void MouseWheelEvent(const Vector2& delta) override
    {
        std::ostringstream line;
        line << tag << " wheel " << delta.X << "," << delta.Y;
        g_journal.push_back(line.str());
    }

    std::string tag;
    std::function<void()> onEvent;

private:
    void Write(const char* event, Vec2i at, int button)
    {
        std::ostringstream line;
        line << tag << " " << event << " " << at.X << "," << at.Y;
        if (button >= 0)
        {
            line << " " << button;
        }
        g_journal.push_back(line.str());
        if (onEvent)
        {
            onEvent();
        }
    }
};

// Three listeners sorted by address, so tests can state the order of delivery.
std::vector<std::unique_ptr<JournalListener>> MakeListenersInAddressOrder(int count)
{
    std::vector<std::unique_ptr<JournalListener>> listeners;
    for (int i = 0; i < count; ++i)
    {
        listeners.emplace_back(new JournalListener(""));
    }
    std::sort(listeners.begin(), listeners.end(),
              [](const std::unique_ptr<JournalListener>& a, const std::unique_ptr<JournalListener>& b) {
                  return a.get() < b.get();
              });
    for (int i = 0; i < count; ++i)
    {
        listeners[i]->tag = std::string(1, (char)('a' + i));
    }
    return listeners;
}

class MouseListenerTest : public ::testing::Test
{
protected:
    void SetUp() override { g_journal.clear(); }
};
}

TEST_F(MouseListenerTest, EveryListenerGetsEveryEventInAddressOrder)
{
    std::vector<std::unique_ptr<JournalListener>> listeners = MakeListenersInAddressOrder(3);

    OnMouseMotion(0, 10.9, -0.5);
    OnMouseWheel(0, 0.0, 1.0);

    std::vector<std::string> expected = {"a move 10,0", "b move 10,0", "c move 10,0",
                                         "a wheel 0,1", "b wheel 0,1", "c wheel 0,1"};
    EXPECT_EQ(expected, g_journal);
}

TEST_F(MouseListenerTest, ButtonsReportTheStoredPositionAndTheEngineButton)
{
    JournalListener listener("l");
    OnMouseMotion(0, 120.7, 45.2);
    g_journal.clear();

    OnMouseButton(0, GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, 0);
    OnMouseButton(0, GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE, 0);
    OnMouseButton(0, GLFW_MOUSE_BUTTON_RIGHT, GLFW_PRESS, 0);
    OnMouseButton(0, GLFW_MOUSE_BUTTON_MIDDLE, GLFW_PRESS, 0);
    OnMouseButton(0, GLFW_MOUSE_BUTTON_4, GLFW_PRESS, 0);
    OnMouseButton(0, GLFW_MOUSE_BUTTON_8, GLFW_RELEASE, 0);

    std::vector<std::string> expected = {"l down 120,45 0", "l up 120,45 0", "l down 120,45 2",
                                         "l down 120,45 1", "l down 120,45 0", "l up 120,45 0"};
    EXPECT_EQ(expected, g_journal);
}

TEST_F(MouseListenerTest, ListenerDestroyedDuringDeliveryIsNotCalledAfterwards)
{
    std::vector<std::unique_ptr<JournalListener>> listeners = MakeListenersInAddressOrder(3);
    // The first listener closes the screen that holds the other two.
    listeners[0]->onEvent = [&]() {
        listeners[2].reset();
        listeners[1].reset();
    };

    OnMouseButton(0, GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, 0);
    ASSERT_EQ(1u, g_journal.size());
    EXPECT_EQ("a", g_journal[0].substr(0, 1));

    // A listener that leaves during its own call is simply gone for the next event.
    g_journal.clear();
    listeners[0]->onEvent = [&]() { listeners[0].reset(); };
    OnMouseButton(0, GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE, 0);
    OnMouseButton(0, GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, 0);
    EXPECT_EQ(1u, g_journal.size());
}

TEST_F(MouseListenerTest, ListenerCreatedDuringDeliveryWaitsForTheNextEvent)
{
    JournalListener first("first");
    std::unique_ptr<JournalListener> created;
    first.onEvent = [&]() {
        if (!created)
        {
            created.reset(new JournalListener("new"));
        }
    };

    OnMouseMotion(0, 1.0, 2.0);
    EXPECT_EQ(std::vector<std::string>({"first move 1,2"}), g_journal);

    g_journal.clear();
    OnMouseMotion(0, 3.0, 4.0);
    EXPECT_EQ(2u, g_journal.size());
}

TEST_F(MouseListenerTest, ReplacementAtTheAddressOfADestroyedListenerMissesTheEvent)
{
    std::vector<std::unique_ptr<JournalListener>> listeners = MakeListenersInAddressOrder(2);
    // The second listener's storage outlives it, so a replacement can take its address, as a
    // busy allocator might.
    JournalListener* const second = listeners[1].release();
    listeners[0]->onEvent = [&]() {
        second->~JournalListener();
        new (second) JournalListener("z");
    };

    OnMouseMotion(0, 5.0, 5.0);
    EXPECT_EQ(std::vector<std::string>({"a move 5,5"}), g_journal);
    second->~JournalListener();
    ::operator delete(second);
}

TEST(TouchAndAccelerometer, StayEmptyAndZeroButDispatchToTouchListeners)
{
    EXPECT_TRUE(TouchListener::GetTouchList().empty());
    const Vector3 data = Accelerometer::GetInstance()->GetData();
    EXPECT_EQ(0.0f, data.X);
    EXPECT_EQ(0.0f, data.Y);
    EXPECT_EQ(0.0f, data.Z);

    struct Counter : public TouchListener
    {
        void TouchStartEvent(Touch*) override { ++starts; }
        void TouchEndEvent(Touch*) override { ++ends; }
        void TouchMotionEvent(Touch*) override { ++moves; }
        int starts = 0, ends = 0, moves = 0;
    } counter;
    Touch touch;
    EXPECT_EQ(-1.0f, touch.MotionStartTime);
    TouchListener::DispatchTouchEvent(TOUCH_START, &touch);
    TouchListener::DispatchTouchEvent(TOUCH_MOVE, &touch);
    TouchListener::DispatchTouchEvent(TOUCH_END, &touch);
    TouchListener::DispatchTouchEvent(7, &touch);
    EXPECT_EQ(1, counter.starts);
    EXPECT_EQ(1, counter.moves);
    EXPECT_EQ(1, counter.ends);
}
