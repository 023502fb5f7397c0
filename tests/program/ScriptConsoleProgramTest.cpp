// The real program's script console and window settings, driven through xdotool.
#include "support/ProgramProcess.h"
#include "support/ProgramSandbox.h"
#include "support/X11Display.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
    void Pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

    // White pixels in a rectangle of a capture.
    int CountWhite(const std::vector<X11Display::Pixel>& pixels, int width, int x0, int y0, int x1, int y1)
    {
        int count = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
            {
                const X11Display::Pixel& p = pixels[y * width + x];
                count += (p.R > 200 && p.G > 200 && p.B > 200) ? 1 : 0;
            }
        return count;
    }

    unsigned long StartAndWait(ProgramProcess& program, X11Display& display, const char* title)
    {
        if (!program.Start())
            return 0;
        const unsigned long window = display.WaitForWindow(title, 20.0);
        if (window != 0 && display.WaitForFirstFrame(window, 30.0))
            Pause(300);
        return window;
    }
}

TEST(ScriptConsoleProgramTest, TheGraveKeyOpensAConsoleThatRunsLua)
{
    ProgramSandbox sandbox;
    X11Display display;
    ASSERT_TRUE(display.IsOpen());
    ProgramProcess program(ProgramSandbox::ProgramPath(), sandbox.GetDirectory());
    const unsigned long window = StartAndWait(program, display, "Zarvo Engine");
    ASSERT_NE(0ul, window) << program.ReadErrorOutput();

    X11Display::Xdo(window, "key grave");
    Pause(300);
    X11Display::Xdo(window, "type --delay 30 =1+1");
    Pause(300);
    int width = 0, height = 0;
    const std::vector<X11Display::Pixel> before = display.Capture(window, width, height);
    ASSERT_EQ(768, height);
    X11Display::Xdo(window, "key Return");
    Pause(400);
    const std::vector<X11Display::Pixel> after = display.Capture(window, width, height);
    display.SavePPM(window, ProgramSandbox::ArtifactDirectory() + "/console_result.ppm");

    // The newest output line sits at the bottom of the panel, the top half of the window:
    // empty before Enter, the "2" after it.
    const int panel = height / 2;
    EXPECT_EQ(0, CountWhite(before, width, 0, panel - 22, 40, panel));
    EXPECT_GT(CountWhite(after, width, 0, panel - 22, 40, panel), 10);

    // Escape closes the console; the game goes on with its start screen.
    X11Display::Xdo(window, "key Escape");
    Pause(400);
    EXPECT_TRUE(program.IsRunning());
    const std::vector<X11Display::Pixel> closed = display.Capture(window, width, height);
    EXPECT_EQ(0, CountWhite(closed, width, 0, panel - 22, 40, panel));
    program.Kill();
}

TEST(ScriptConsoleProgramTest, DefaultsLuaSetsTheWindowSize)
{
    ProgramSandbox sandbox;
    const std::string config = sandbox.GetBitsDirectory() + "/Config";
    ASSERT_EQ(0, unlink(config.c_str()));
    ASSERT_EQ(0, mkdir(config.c_str(), 0755));
    ASSERT_EQ(0, symlink(ZARVO_SOURCE_DIR "/Config/input_bindings.ini", (config + "/input_bindings.ini").c_str()));
    std::ofstream(config + "/defaults.lua") << "WindowSettings = { width = 800, height = 600, name = \"Small Sea\" }\n";

    X11Display display;
    ProgramProcess program(ProgramSandbox::ProgramPath(), sandbox.GetDirectory());
    const unsigned long window = StartAndWait(program, display, "Small Sea");
    ASSERT_NE(0ul, window) << program.ReadErrorOutput();
    int width = 0, height = 0;
    ASSERT_TRUE(display.GetWindowSize(window, width, height));
    EXPECT_EQ(800, width);
    EXPECT_EQ(600, height);
    program.Kill();
}
