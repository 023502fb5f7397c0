// The real program with a saved window size that no window can have: it starts all the same,
// at the default size, and says which setting it refused.
#include "support/ProgramProcess.h"
#include "support/ProgramSandbox.h"
#include "support/X11Display.h"

#include <gtest/gtest.h>

#include <fstream>

TEST(WindowSettingsProgramTest, ABadSavedWindowSizeIsRefusedAndTheGameStarts)
{
    X11Display display;
    ASSERT_TRUE(display.IsOpen()) << "no X server (run the tests through scripts/test.sh)";
    ProgramSandbox sandbox;
    ASSERT_FALSE(sandbox.GetDirectory().empty());
    std::ofstream(sandbox.GetBitsDirectory() + "/user_prefs.lua")
        << "WindowSettings = {\n\twidth = -5,\n\theight = 1e300,\n}\n";
    ProgramProcess program(ProgramSandbox::ProgramPath(), sandbox.GetDirectory());
    ASSERT_TRUE(program.Start());

    const unsigned long window = display.WaitForWindow("Zarvo Engine", 30.0);
    ASSERT_NE(0ul, window) << program.ReadErrorOutput();
    int width = 0;
    int height = 0;
    ASSERT_TRUE(display.GetWindowSize(window, width, height));
    EXPECT_EQ(1024, width);
    EXPECT_EQ(768, height);
    const std::string log = program.ReadErrorOutput();
    EXPECT_NE(std::string::npos, log.find("WARNING: The window setting \"width\" = -5")) << log;
    EXPECT_NE(std::string::npos, log.find("WARNING: The window setting \"height\"")) << log;

    X11Display::Xdo(window, "key Escape");
    ASSERT_TRUE(program.WaitForExit(30.0)) << program.ReadErrorOutput();
    EXPECT_EQ(0, program.GetExitStatus()) << program.ReadErrorOutput();
}
