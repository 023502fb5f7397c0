// The toolkit's test program under the X server, driven with xdotool like a person would:
// its button clicks, its windows drag, resize, close and go modal, its choice box answers.
// Screenshots of each stage are left in the test artefacts.
#include "support/ProgramProcess.h"
#include "support/ProgramSandbox.h"
#include "support/X11Display.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <thread>

namespace
{
const char* kTitle = "Toolkit test program";

class GuiProgramTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(display.IsOpen()) << "no X server (run the tests through scripts/test.sh)";
        ASSERT_TRUE(program.Start());
        window = display.WaitForWindow(kTitle, 20.0);
        ASSERT_NE(0ul, window) << program.ReadErrorOutput();
        ASSERT_TRUE(display.WaitForFirstFrame(window, 30.0)) << program.ReadErrorOutput();
        ASSERT_TRUE(WaitForLine("ready"));
    }
    void TearDown() override { program.Kill(); }

    // The toolkit takes a press only where the pointer has moved to, so move, let a frame
    // pass, then press.
    void MoveTo(int x, int y)
    {
        std::ostringstream command;
        command << "mousemove " << x << " " << y;
        X11Display::Xdo(window, command.str());
        Pause();
    }
    void ClickAt(int x, int y)
    {
        MoveTo(x, y);
        X11Display::Xdo(window, "click 1");
        Pause();
    }
    void Drag(int fromX, int fromY, int toX, int toY)
    {
        MoveTo(fromX, fromY);
        X11Display::Xdo(window, "mousedown 1");
        Pause();
        MoveTo((fromX + toX) / 2, (fromY + toY) / 2);
        MoveTo(toX, toY);
        X11Display::Xdo(window, "mouseup 1");
        Pause();
    }
    static void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(150)); }

    int CountLines(const std::string& line)
    {
        const std::string output = program.ReadErrorOutput();
        int count = 0;
        for (size_t at = output.find(line + "\n"); at != std::string::npos; at = output.find(line + "\n", at + 1))
        {
            count += (at == 0 || output[at - 1] == '\n') ? 1 : 0;
        }
        return count;
    }
    bool WaitForLine(const std::string& line, int times = 1, double seconds = 10.0)
    {
        for (double waited = 0.0; waited < seconds; waited += 0.05)
        {
            if (CountLines(line) >= times)
            {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
    void Screenshot(const std::string& name)
    {
        display.SavePPM(window, ProgramSandbox::ArtifactDirectory() + "/" + name + ".ppm");
    }

    ProgramSandbox sandbox;
    X11Display display;
    ProgramProcess program{ZARVO_BINARY_DIR "/tests/gui_test_program", sandbox.GetDirectory()};
    unsigned long window = 0;
};
}

TEST_F(GuiProgramTest, ButtonsWindowsModalAndChoiceBoxWorkEndToEnd)
{
    Screenshot("gui_program_start");

    ClickAt(30, 80);
    EXPECT_TRUE(WaitForLine("button pressed")) << program.ReadErrorOutput();

    // The first window (300 x 200 at 300, 100) by its title bar, then by its right edge.
    Drag(400, 110, 450, 140);
    EXPECT_TRUE(WaitForLine("first window at 350,130 size 300x200")) << program.ReadErrorOutput();
    Drag(647, 230, 700, 230);
    EXPECT_TRUE(WaitForLine("first window at 350,130 size 353x200")) << program.ReadErrorOutput();

    // The second window's close button sits at its title bar's right end; it deletes itself.
    ClickAt(928, 110);
    EXPECT_TRUE(WaitForLine("second window closed")) << program.ReadErrorOutput();

    // Modal: the button beneath takes no clicks until the window is closed.
    ClickAt(30, 130);
    ASSERT_TRUE(WaitForLine("first window made modal")) << program.ReadErrorOutput();
    Screenshot("gui_program_modal");
    ClickAt(30, 80);
    Pause();
    EXPECT_EQ(1, CountLines("button pressed"));
    ClickAt(680, 140);
    EXPECT_TRUE(WaitForLine("first window closed")) << program.ReadErrorOutput();
    ClickAt(31, 81);
    EXPECT_TRUE(WaitForLine("button pressed", 2)) << program.ReadErrorOutput();

    // The choice box says where its choices are; the second one answers 1.
    ClickAt(30, 180);
    ASSERT_TRUE(WaitForLine("choice box shown")) << program.ReadErrorOutput();
    Pause();
    Screenshot("gui_program_choice");
    const std::string output = program.ReadErrorOutput();
    const size_t at = output.find("choice 1 at ");
    ASSERT_NE(std::string::npos, at);
    int x = 0;
    int y = 0;
    ASSERT_EQ(2, std::sscanf(output.c_str() + at, "choice 1 at %d,%d", &x, &y));
    ClickAt(x, y);
    EXPECT_TRUE(WaitForLine("choice 1")) << program.ReadErrorOutput();
    ClickAt(30, 80); // the box and its blocker are gone
    EXPECT_TRUE(WaitForLine("button pressed", 3)) << program.ReadErrorOutput();

    display.RequestClose(window);
    ASSERT_TRUE(program.WaitForExit(30.0)) << program.ReadErrorOutput();
    EXPECT_TRUE(program.ExitedNormally());
    EXPECT_EQ(0, program.GetExitStatus()) << program.ReadErrorOutput();
    EXPECT_EQ(1, CountLines("shut down"));
}

// While the console is open the toolkit sees no motion, so a button after it goes where the
// pointer is then: a click without moving, and the clicks after a press the console took.
TEST_F(GuiProgramTest, AfterTheConsoleClicksGoToTheControlUnderThePointer)
{
    auto withConsole = [&](const std::string& whileOpen, const std::string& afterwards) {
        for (const std::string& command : {std::string("key grave"), whileOpen, std::string("key grave"), afterwards})
            X11Display::Xdo(window, command), Pause();
    };
    MoveTo(30, 180); // on "Ask"
    withConsole("mousemove 30 80", "click 1");
    EXPECT_TRUE(WaitForLine("button pressed")) << program.ReadErrorOutput();
    MoveTo(30, 80); // "Press me", held while the pointer goes to "Make modal"
    X11Display::Xdo(window, "mousedown 1");
    withConsole("mousemove 30 130 mouseup 1", "click --repeat 3 --delay 200 1");
    EXPECT_TRUE(WaitForLine("first window made modal")) << program.ReadErrorOutput();
    EXPECT_EQ(0, CountLines("choice box shown"));
    EXPECT_EQ(1, CountLines("button pressed"));
}
