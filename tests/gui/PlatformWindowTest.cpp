// The toolkit's own platform windows on the test's X server: made, moved, maximized and
// restored, and driven with xdotool while a canvas fed by the message pump records what it gets.
#include "GuiFixture.h"

#include "gui/input/Keys.h"
#include "gui/platform/MessagePump.h"
#include "gui/platform/PlatformWindow.h"
#include "support/ScopedEnvironment.h"
#include "support/X11Display.h"

#include <chrono>
#include <functional>
#include <thread>

using Gui::Point;
using Gui::WindowsLayer::PlatformMessage;

namespace
{
// A canvas that writes down every input it is given, one line each, and counts its redraws.
class InputLog : public Gui::Controls::Canvas
{
public:
    explicit InputLog(Gui::Skin::Base* skin) : Gui::Controls::Canvas(skin) {}

    bool OnMouseMoved(int x, int y, int dx, int dy) override { return Write("move", {x, y, dx, dy}); }
    bool OnMouseButton(int button, bool down) override { return Write("button", {button}, down); }
    bool OnKey(int key, bool down) override { return Write("key", {key}, down); }
    bool OnCharacter(wchar_t character) override { return Write("char", {(int)character}); }
    bool OnMouseWheel(int delta) override { return Write("wheel", {delta}); }
    bool InputQuit() override { return Write("quit", {}); }
    void Redraw() override { ++redraws; }

    // Lines from the first one that starts with the prefix on.
    std::vector<std::string> From(const std::string& prefix) const
    {
        auto first = std::find_if(lines.begin(), lines.end(),
                                  [&](const std::string& line) { return line.compare(0, prefix.size(), prefix) == 0; });
        return std::vector<std::string>(first, lines.end());
    }

    std::vector<std::string> lines;
    int redraws = 0;

private:
    bool Write(std::string line, std::initializer_list<int> values, int down = -1)
    {
        for (int value : values)
            line += " " + std::to_string(value);
        lines.push_back(down < 0 ? line : line + (down ? " down" : " up"));
        return true;
    }
};

class PlatformWindowTest : public GuiFixture
{
protected:
    void SetUp() override
    {
        GuiFixture::SetUp();
        ASSERT_TRUE(display.IsOpen());
        window = Gui::WindowsLayer::CreatePlatformWindow(100, 80, 320, 240, kTitle);
        ASSERT_NE(nullptr, window);
        xWindow = display.WaitForWindow(kTitle, 30.0);
        ASSERT_NE(0ul, xWindow);
        log.SetSize(320, 240);
        ASSERT_TRUE(PumpUntil([&] { return Gui::WindowsLayer::HasFocusPlatformWindow(window); }));
    }

    void TearDown() override
    {
        Gui::WindowsLayer::DestroyPlatformWindow(window);
        GuiFixture::TearDown();
    }

    // Feeds the canvas until the condition holds; false when it did not within 10 seconds.
    bool PumpUntil(const std::function<bool()>& condition)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline)
        {
            Gui::WindowsLayer::ProcessMessages(window, &log);
            if (condition())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    // Sends the xdotool command, then feeds the canvas until the lines from the first one that
    // starts with the prefix number the count given, and answers them.
    std::vector<std::string> Drive(const std::string& command, const std::string& prefix, size_t count)
    {
        log.lines.clear();
        X11Display::Xdo(xWindow, command);
        PumpUntil([&] { return log.From(prefix).size() >= count; });
        return log.From(prefix);
    }

    // The window's size as the X server has it.
    Point XSize()
    {
        Point size;
        display.GetWindowSize(xWindow, size.x, size.y);
        return size;
    }

    static constexpr const char* kTitle = "Toolkit window";
    X11Display display;
    InputLog log{&skin};
    GLFWwindow* window = nullptr;
    unsigned long xWindow = 0;
};
}

TEST_F(PlatformWindowTest, TheWindowIsPlacedMovedMaximizedAndRestored)
{
    EXPECT_EQ(Point(320, 240), XSize());
    Gui::WindowsLayer::SetBoundsPlatformWindow(window, 150, 90, 400, 300);
    EXPECT_TRUE(PumpUntil([&] { return XSize() == Point(400, 300); }));

    Point position;
    Point size;
    Gui::WindowsLayer::SetWindowMaximized(window, true, position, size);
    // The test's screen is 1600 x 1200 with no panels.
    EXPECT_EQ(Point(0, 0), position);
    EXPECT_EQ(Point(1600, 1200), size);
    Gui::WindowsLayer::SetWindowMaximized(window, false, position, size);
    EXPECT_EQ(Point(150, 90), position);
    EXPECT_EQ(Point(400, 300), size);

    // A second window takes the focus; the first one's canvas is redrawn for it.
    log.redraws = 0;
    GLFWwindow* second = Gui::WindowsLayer::CreatePlatformWindow(600, 80, 200, 100, "Second toolkit window");
    ASSERT_NE(nullptr, second);
    EXPECT_TRUE(PumpUntil([&] { return !Gui::WindowsLayer::HasFocusPlatformWindow(window); }));
    EXPECT_GE(log.redraws, 1);
    EXPECT_TRUE(Gui::WindowsLayer::HasFocusPlatformWindow(second));
    Gui::WindowsLayer::DestroyPlatformWindow(second);

    // Windows the toolkit did not make (here not even windows) are left alone.
    for (GLFWwindow* foreign : {(GLFWwindow*)nullptr, reinterpret_cast<GLFWwindow*>(&log)})
    {
        Gui::WindowsLayer::DestroyPlatformWindow(foreign);
        Gui::WindowsLayer::SetBoundsPlatformWindow(foreign, 0, 0, 10, 10);
        Gui::WindowsLayer::SetWindowMinimized(foreign, true);
        Gui::WindowsLayer::SetWindowMaximized(foreign, true, position, size);
        Gui::WindowsLayer::ProcessMessages(foreign, &log);
        EXPECT_FALSE(Gui::WindowsLayer::HasFocusPlatformWindow(foreign));
        PlatformMessage message;
        EXPECT_FALSE(Gui::WindowsLayer::NextPlatformMessage(foreign, message));
    }
    EXPECT_EQ(Point(400, 300), size);
}

TEST_F(GuiFixture, WithoutADisplayNoPlatformWindowIsMade)
{
    ScopedEnvironment environment;
    environment.Set("DISPLAY", "");
    environment.Unset("WAYLAND_DISPLAY");
    EXPECT_EQ(nullptr, Gui::WindowsLayer::CreatePlatformWindow(0, 0, 100, 100, "Nowhere"));
    EXPECT_EQ(0u, s_output.find("ERROR: The window \"Nowhere\" cannot be made")) << s_output;
}

// Motion with its movement, the three buttons, the wheel, and a drag that leaves the window:
// the pointer stays with the window until the button is released outside.
TEST_F(PlatformWindowTest, PointerButtonsAndWheelReachTheCanvas)
{
    Drive("mousemove --window " + std::to_string(xWindow) + " 30 40", "move 30 40", 1);
    EXPECT_EQ((std::vector<std::string>{"move 50 45 20 5"}),
              Drive("mousemove --window " + std::to_string(xWindow) + " 50 45", "move", 1));
    EXPECT_EQ((std::vector<std::string>{"button 0 down", "button 0 up", "button 1 down", "button 1 up",
                                        "button 2 down", "button 2 up"}),
              Drive("click 1 click 3 click 2", "button", 6));
    EXPECT_EQ((std::vector<std::string>{"wheel 120", "wheel -120"}), Drive("click 4 click 5", "wheel", 2));

    const std::vector<std::string> drag = Drive(
        "mousedown 1 mousemove --window " + std::to_string(xWindow) + " 400 300 mouseup 1", "button 0 down", 3);
    EXPECT_EQ((std::vector<std::string>{"button 0 down", "move 400 300 350 255", "button 0 up"}), drag);
}

// The listed keys as the toolkit's codes (F1 is not passed), characters as typed, Control with
// a letter as that capital letter, and the close request.
TEST_F(PlatformWindowTest, KeysCharactersShortcutsAndCloseReachTheCanvas)
{
    const std::vector<std::string> keys =
        Drive("key Return BackSpace Delete Left Right Tab space Home End Up Down F1 KP_Enter", "key", 25);
    std::vector<std::string> expected;
    for (int code : {1, 2, 3, 4, 5, 7, 8, 9, 10, 12, 13, 1})
    {
        expected.push_back("key " + std::to_string(code) + " down");
        expected.push_back("key " + std::to_string(code) + " up");
    }
    // The space bar types a space as well.
    expected.insert(expected.begin() + 13, "char 32");
    EXPECT_EQ(expected, keys);

    EXPECT_EQ((std::vector<std::string>{"char 104", "char 49"}), Drive("type --delay 30 'h1'", "char", 2));
    EXPECT_EQ((std::vector<std::string>{"key 6 down", "char 65", "key 6 up"}), Drive("key shift+a", "key 6", 3));
    EXPECT_EQ((std::vector<std::string>{"key 11 down", "char 83", "key 11 up"}), Drive("key ctrl+s", "key 11", 3));

    log.lines.clear();
    display.RequestClose(xWindow);
    EXPECT_TRUE(PumpUntil([&] { return !log.From("quit").empty(); }));
    // The window stays: the canvas's program decides what a close request means.
    EXPECT_NE(0ul, display.WaitForWindow(kTitle, 1.0));
}

// A program that runs its own loop translates each message itself.
TEST_F(PlatformWindowTest, AProgramWithItsOwnLoopTranslatesMessageByMessage)
{
    Gui::WindowsLayer::MessageTarget target;
    target.canvas = &log;
    log.lines.clear();
    PlatformMessage message;
    message.kind = PlatformMessage::KeyDown;
    message.key = 258; // Tab
    EXPECT_TRUE(Gui::WindowsLayer::ProcessMessage(window, message, target));
    // The first motion has no movement; later ones measure from the one before.
    message.kind = PlatformMessage::PointerMoved;
    message.x = 10;
    message.y = 20;
    Gui::WindowsLayer::ProcessMessage(window, message, target);
    message.x = 7;
    Gui::WindowsLayer::ProcessMessage(window, message, target);
    EXPECT_EQ((std::vector<std::string>{"key 7 down", "move 10 20 0 0", "move 7 20 -3 0"}), log.lines);

    // Buttons past the middle one are not used; a paint request marks the canvas for drawing.
    message.kind = PlatformMessage::ButtonDown;
    message.button = 3;
    EXPECT_FALSE(Gui::WindowsLayer::ProcessMessage(window, message, target));
    log.redraws = 0;
    message.kind = PlatformMessage::Paint;
    EXPECT_FALSE(Gui::WindowsLayer::ProcessMessage(window, message, target));
    EXPECT_EQ(1, log.redraws);
}
