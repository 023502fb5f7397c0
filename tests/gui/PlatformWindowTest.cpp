// The toolkit's platform windows on the test's X server, driven with xdotool into a canvas
// that logs each input it gets from the message pump.
#include "GuiFixture.h"

#include "gui/platform/Cursor.h"
#include "gui/platform/MessagePump.h"
#include "gui/platform/PlatformWindow.h"
#include "support/ScopedEnvironment.h"
#include "support/X11Display.h"

#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <thread>

using Gui::Point;
using Gui::WindowsLayer::PlatformMessage;
using Lines = std::vector<std::string>;
namespace WL = Gui::WindowsLayer;

namespace
{
class InputLog : public Gui::Controls::Canvas
{
public:
    using Canvas::Canvas;
    bool OnMouseMoved(int x, int y, int dx, int dy) override { return Write("move", {x, y, dx, dy}); }
    bool OnMouseButton(int button, bool down) override { return Write("button", {button}, down); }
    bool OnKey(int key, bool down) override { return Write("key", {key}, down); }
    bool OnCharacter(wchar_t character) override { return Write("char", {(int)character}); }
    bool OnMouseWheel(int delta) override { return Write("wheel", {delta}); }
    bool InputQuit() override { return Write("quit", {}); }
    void Redraw() override { ++redraws; }

    // The lines from the first one starting with the prefix on.
    Lines From(const std::string& prefix) const
    {
        return Lines(std::find_if(lines.begin(), lines.end(),
                                  [&](const std::string& l) { return l.compare(0, prefix.size(), prefix) == 0; }),
                     lines.end());
    }

    bool Write(std::string line, std::initializer_list<int> values, int down = -1)
    {
        for (int value : values)
            line += " " + std::to_string(value);
        lines.push_back(down < 0 ? line : line + (down ? " down" : " up"));
        return true;
    }

    Lines lines;
    int redraws = 0;
};

class PlatformWindowTest : public GuiFixture
{
protected:
    void SetUp() override
    {
        GuiFixture::SetUp();
        ASSERT_TRUE(display.IsOpen());
        ASSERT_NE(nullptr, window = WL::CreatePlatformWindow(100, 80, 320, 240, kTitle));
        ASSERT_NE(0ul, xWindow = display.WaitForWindow(kTitle, 30.0));
        log.SetSize(320, 240);
        ASSERT_TRUE(PumpUntil([&] { return WL::HasFocusPlatformWindow(window); }));
    }

    void TearDown() override { WL::DestroyPlatformWindow(window), GuiFixture::TearDown(); }

    bool PumpUntil(const std::function<bool()>& condition)
    {
        for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
             std::chrono::steady_clock::now() < end; std::this_thread::sleep_for(std::chrono::milliseconds(10)))
            if (WL::ProcessMessages(window, &log), condition())
                return true;
        return false;
    }

    // Runs the xdotool command and answers the logged lines from the prefix on, once there are count.
    Lines Drive(const std::string& command, const std::string& prefix, size_t count)
    {
        log.lines.clear();
        X11Display::Xdo(xWindow, command);
        PumpUntil([&] { return log.From(prefix).size() >= count; });
        return log.From(prefix);
    }

    std::string MoveTo(int x, int y)
    {
        return "mousemove --window " + std::to_string(xWindow) + " " + std::to_string(x) + " " + std::to_string(y);
    }

    static constexpr const char* kTitle = "Toolkit window";
    X11Display display;
    InputLog log{&skin};
    GLFWwindow* window = nullptr;
    unsigned long xWindow = 0;
};
}

TEST_F(PlatformWindowTest, TheWindowIsPlacedMaximizedRestoredAndFedMessageByMessage)
{
    auto xSize = [&] { Point s; display.GetWindowSize(xWindow, s.x, s.y); return s; };
    EXPECT_EQ(Point(320, 240), xSize());
    WL::SetBoundsPlatformWindow(window, 150, 90, 400, 300);
    EXPECT_TRUE(PumpUntil([&] { return xSize() == Point(400, 300); }));
    Point position, size;
    WL::SetWindowMaximized(window, true, position, size);
    EXPECT_EQ(Point(0, 0), position); // the test's screen is 1600 x 1200 with no panels
    EXPECT_EQ(Point(1600, 1200), size);
    WL::SetWindowMaximized(window, false, position, size);
    EXPECT_EQ(Point(150, 90), position);
    EXPECT_EQ(Point(400, 300), size);

    // Losing the focus to another window redraws this one's canvas.
    log.redraws = 0;
    GLFWwindow* second = WL::CreatePlatformWindow(600, 80, 200, 100, "Second toolkit window");
    ASSERT_NE(nullptr, second);
    EXPECT_TRUE(PumpUntil([&] { return !WL::HasFocusPlatformWindow(window); }));
    EXPECT_GE(log.redraws, 1);
    EXPECT_TRUE(WL::HasFocusPlatformWindow(second));
    WL::DestroyPlatformWindow(second);

    // Windows the toolkit did not make (here not even windows) are left alone.
    for (GLFWwindow* foreign : {(GLFWwindow*)nullptr, reinterpret_cast<GLFWwindow*>(&log)})
    {
        WL::DestroyPlatformWindow(foreign);
        WL::SetBoundsPlatformWindow(foreign, 0, 0, 10, 10);
        WL::SetWindowMinimized(foreign, true);
        WL::SetWindowMaximized(foreign, true, position, size);
        WL::ProcessMessages(foreign, &log);
        PlatformMessage message;
        EXPECT_FALSE(WL::HasFocusPlatformWindow(foreign) || WL::NextPlatformMessage(foreign, message));
    }
    EXPECT_EQ(Point(400, 300), size);

    // A program running its own loop translates message by message; the first motion has no movement.
    WL::MessageTarget target;
    target.canvas = &log;
    log.lines.clear();
    auto send = [&](PlatformMessage::Kind kind, int value, int y = 20) {
        PlatformMessage message;
        message.kind = kind;
        message.key = message.button = message.x = value;
        message.y = y;
        return WL::ProcessMessage(window, message, target);
    };
    EXPECT_TRUE(send(PlatformMessage::KeyDown, 258)); // Tab
    send(PlatformMessage::PointerMoved, 10);
    send(PlatformMessage::PointerMoved, 7);
    EXPECT_EQ((Lines{"key 7 down", "move 10 20 0 0", "move 7 20 -3 0"}), log.lines);
    // Buttons past the middle one are unused; a paint request redraws.
    EXPECT_FALSE(send(PlatformMessage::ButtonDown, 3));
    log.redraws = 0;
    EXPECT_FALSE(send(PlatformMessage::Paint, 0));
    EXPECT_EQ(1, log.redraws);
}

// In a fresh child process: the library an earlier window started keeps its display.
TEST_F(GuiFixture, WithoutADisplayNoPlatformWindowIsMade)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ScopedEnvironment environment;
    environment.Set("DISPLAY", "");
    environment.Unset("WAYLAND_DISPLAY");
    auto refused = [] {
        return WL::CreatePlatformWindow(0, 0, 100, 100, "Nowhere") == nullptr &&
               s_output.find("ERROR: The window \"Nowhere\" cannot be made") == 0;
    };
    EXPECT_EXIT(std::exit(refused() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

// F1 has no toolkit code; a letter with Shift or Control types its capital. A drag out of the
// window keeps the pointer until the button is released outside.
TEST_F(PlatformWindowTest, KeysPointerWheelAndCloseReachTheCanvas)
{
    Lines keys;
    for (int code : {1, 2, 3, 4, 5, 7, 8, 9, 10, 12, 13, 1})
        for (const char* state : {" down", " up"})
            keys.push_back("key " + std::to_string(code) + state);
    keys.insert(keys.begin() + 13, "char 32"); // the space bar types a space
    EXPECT_EQ(keys, Drive("key Return BackSpace Delete Left Right Tab space Home End Up Down F1 KP_Enter", "key", 25));
    EXPECT_EQ((Lines{"char 104", "char 49"}), Drive("type --delay 30 'h1'", "char", 2));
    EXPECT_EQ((Lines{"key 6 down", "char 65", "key 6 up"}), Drive("key shift+a", "key 6", 3));
    EXPECT_EQ((Lines{"key 11 down", "char 83", "key 11 up"}), Drive("key ctrl+s", "key 11", 3));

    Drive(MoveTo(30, 40), "move 30 40", 1);
    EXPECT_EQ(Lines{"move 50 45 20 5"}, Drive(MoveTo(50, 45), "move", 1));
    EXPECT_EQ((Lines{"button 0 down", "button 0 up", "button 1 down", "button 1 up", "button 2 down", "button 2 up"}),
              Drive("click 1 click 3 click 2", "button", 6));
    EXPECT_EQ((Lines{"wheel 120", "wheel -120"}), Drive("click 4 click 5", "wheel", 2));
    EXPECT_EQ((Lines{"button 0 down", "move 400 300 350 255", "button 0 up"}),
              Drive("mousedown 1 " + MoveTo(400, 300) + " mouseup 1", "button 0 down", 3));

    log.lines.clear();
    display.RequestClose(xWindow);
    EXPECT_TRUE(PumpUntil([&] { return !log.From("quit").empty(); }));
    // The window stays: the canvas's program decides what a close request means.
    EXPECT_NE(0ul, display.WaitForWindow(kTitle, 1.0));
}

// Sizes the X server or its library can't take are refused with a line, not with the end of
// the program: sides of 0 or past 16 bits, and 32766 x 32766, whose colour buffer the X
// library aborts on sending. No window is made, and a window keeps its size. Anything else is
// made as asked: larger than the screen (1600 x 1200), sides past what X draws with (32767).
TEST_F(PlatformWindowTest, SizesNoWindowCanHaveAreRefused)
{
    for (Point size : {Point(-1, -1), Point(0, 100), Point(100, 65536), Point(32766, 32766), Point(100000, 100000),
                       Point(INT_MAX, INT_MAX)})
    {
        s_output.clear();
        EXPECT_EQ(nullptr, WL::CreatePlatformWindow(0, 0, size.x, size.y, "Too large"));
        WL::SetBoundsPlatformWindow(window, 10, 10, size.x, size.y);
        EXPECT_EQ(0u, s_output.find("ERROR: The window \"Too large\" cannot be made")) << s_output;
        EXPECT_NE(std::string::npos, s_output.find("WARNING: The window \"Toolkit window\" cannot be made"));
    }
    Point xSize;
    auto sized = [&](Point wanted) { return display.GetWindowSize(xWindow, xSize.x, xSize.y), xSize == wanted; };
    EXPECT_TRUE(PumpUntil([&] { return sized(Point(320, 240)); }));
    WL::SetBoundsPlatformWindow(window, 0, 0, 40000, 1250);
    EXPECT_TRUE(PumpUntil([&] { return sized(Point(40000, 1250)); }));
    GLFWwindow* wide = WL::CreatePlatformWindow(0, 0, 65535, 100, "Wider than X draws");
    EXPECT_NE(nullptr, wide);
    WL::DestroyPlatformWindow(wide);
}

// The window library stays running between windows: starting and ending it with each one
// opened the display anew every time, which leaked and, after some two hundred rounds, made no
// more windows. So with no window left it still answers, and memory stays flat.
TEST_F(GuiFixture, WindowsComeAndGoWhileTheLibraryRunsOnAndMemoryStaysFlat)
{
    auto residentKilobytes = [] {
        long pages = 0, resident = 0;
        std::ifstream("/proc/self/statm") >> pages >> resident;
        return resident * (sysconf(_SC_PAGESIZE) / 1024);
    };
    auto cycles = [&](int count) {
        int made = 0;
        for (int i = 0; i < count; ++i)
        {
            GLFWwindow* window = WL::CreatePlatformWindow(10, 10, 64, 48, "Passing window");
            made += window != nullptr;
            WL::ProcessMessages(window, canvas.get()); // as any program with a window does
            WL::DestroyPlatformWindow(window);
        }
        return made;
    };
    ASSERT_EQ(10, cycles(10)); // warms the library and the X connection up
    const long before = residentKilobytes();
    EXPECT_EQ(60, cycles(60));
    EXPECT_EQ(Point(1600, 1200), WL::GetDesktopSize()); // the test's screen
    // A leak of a couple of hundred kilobytes a round would pass the bound within these rounds;
    // the sanitizer's quarantine of freed blocks grows a few megabytes.
    EXPECT_LT(residentKilobytes() - before, 8 * 1024) << "kilobytes grown";
}
