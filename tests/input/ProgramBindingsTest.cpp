// The real program reads the binding file of its working directory.
#include "engine/util/FileUtil.h"
#include "support/ProgramProcess.h"
#include "support/ProgramSandbox.h"
#include "support/ScratchDirectory.h"
#include "support/X11Display.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(ProgramBindings, BoundEscapeKeepsTheProgramRunningAndUnknownNamesAreReported)
{
    X11Display display;
    ASSERT_TRUE(display.IsOpen()) << "no X server (run the tests through scripts/test.sh)";
    ScratchDirectory scratch;
    ASSERT_TRUE(MakeDirectories("bits/Config"));
    ASSERT_TRUE(WriteLinesToFile("bits/Config/input_bindings.ini", {"ESCAPE = +Paused", "NOPE = +Nothing"}));

    ProgramProcess program(ProgramSandbox::ProgramPath(), scratch.Path());
    ASSERT_TRUE(program.Start());
    const unsigned long window = display.WaitForWindow("Zarvo Engine", 20.0);
    ASSERT_NE(0ul, window) << program.ReadErrorOutput();

    X11Display::Xdo(window, "key Escape");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(program.IsRunning());
    EXPECT_NE(std::string::npos, program.ReadErrorOutput().find("WARNING: Unknown key name \"NOPE\""))
        << program.ReadErrorOutput();

    display.RequestClose(window);
    ASSERT_TRUE(program.WaitForExit(10.0)) << program.ReadErrorOutput();
    EXPECT_TRUE(program.ExitedNormally());
    EXPECT_EQ(0, program.GetExitStatus()) << program.ReadErrorOutput();
}
