// The real program under the test's X server: its window, its clear colour, and the ways
// its main loop ends.
#include "support/ProgramProcess.h"
#include "support/ProgramSandbox.h"
#include "support/X11Display.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace
{
const char* kTitle = "Zarvo Engine";

class ProgramLifecycleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(display.IsOpen()) << "no X server (run the tests through scripts/test.sh)";
        ASSERT_FALSE(sandbox.GetDirectory().empty());
        ASSERT_TRUE(program.Start());
        window = display.WaitForWindow(kTitle, 20.0);
        ASSERT_NE(0ul, window) << program.ReadErrorOutput();
        // The program loads its data before the first frame; under load that takes a while.
        ASSERT_TRUE(display.WaitForFirstFrame(window, 30.0)) << program.ReadErrorOutput();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    void TearDown() override { program.Kill(); }

    ProgramSandbox sandbox;
    X11Display display;
    ProgramProcess program{ProgramSandbox::ProgramPath(), sandbox.GetDirectory()};
    unsigned long window = 0;
};
}

TEST_F(ProgramLifecycleTest, OpensA1024By768WindowOnTheStartScreen)
{
    int width = 0;
    int height = 0;
    ASSERT_TRUE(display.GetWindowSize(window, width, height));
    EXPECT_EQ(1024, width);
    EXPECT_EQ(768, height);
    display.SavePPM(window, ProgramSandbox::ArtifactDirectory() + "/program_start.ppm");

    // The start screen's form covers the whole window: no bare white clear colour shows.
    std::vector<X11Display::Pixel> pixels = display.Capture(window, width, height);
    ASSERT_EQ((size_t)(width * height), pixels.size());
    const int samples[][2] = {{5, 5}, {1018, 5}, {512, 384}, {5, 762}, {1018, 762}};
    for (const auto& at : samples)
    {
        const X11Display::Pixel& p = pixels[at[1] * width + at[0]];
        EXPECT_FALSE(p.R == 255 && p.G == 255 && p.B == 255) << at[0] << "," << at[1];
    }
}

TEST_F(ProgramLifecycleTest, UnboundEscapeEndsTheProgramWithStatusZero)
{
    X11Display::Xdo(window, "key Escape");
    ASSERT_TRUE(program.WaitForExit(30.0)) << program.ReadErrorOutput();
    EXPECT_TRUE(program.ExitedNormally());
    EXPECT_EQ(0, program.GetExitStatus()) << program.ReadErrorOutput();
}

TEST_F(ProgramLifecycleTest, ClosingTheWindowEndsTheProgramWithStatusZero)
{
    display.RequestClose(window);
    ASSERT_TRUE(program.WaitForExit(30.0)) << program.ReadErrorOutput();
    EXPECT_TRUE(program.ExitedNormally());
    EXPECT_EQ(0, program.GetExitStatus()) << program.ReadErrorOutput();
}

TEST_F(ProgramLifecycleTest, OtherKeysAndArgumentsChangeNothing)
{
    X11Display::Xdo(window, "key q");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(program.IsRunning());
}
