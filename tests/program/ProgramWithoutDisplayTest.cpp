// The real program started where no window can be opened: it must say so and stop, not crash.
#include "support/ProgramProcess.h"
#include "support/ProgramSandbox.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{
std::vector<std::string> NonEmptyLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line))
    {
        if (!line.empty())
        {
            lines.push_back(line);
        }
    }
    return lines;
}

// Runs the program with the given change to DISPLAY and checks its one line and its status.
void ExpectOneErrorAndFailure(bool unsetDisplay, const std::string& expectedReason)
{
    ProgramSandbox sandbox;
    ProgramProcess program(ProgramSandbox::ProgramPath(), sandbox.GetDirectory());
    if (unsetDisplay)
    {
        program.UnsetEnvironment("DISPLAY");
    }
    else
    {
        program.SetEnvironment("DISPLAY", ":4711");
    }
    program.UnsetEnvironment("WAYLAND_DISPLAY");
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.WaitForExit(30.0)) << program.ReadErrorOutput();

    EXPECT_TRUE(program.ExitedNormally()) << "the program crashed";
    EXPECT_NE(0, program.GetExitStatus());
    const std::vector<std::string> lines = NonEmptyLines(program.ReadErrorOutput());
    ASSERT_EQ(1u, lines.size()) << program.ReadErrorOutput();
    EXPECT_EQ(0u, lines[0].find("ERROR: Couldn't open a window")) << lines[0];
    EXPECT_NE(std::string::npos, lines[0].find(expectedReason)) << lines[0];
}
}

TEST(ProgramWithoutDisplayTest, NoDisplayGivesOneErrorLineAndAFailureStatus)
{
    ExpectOneErrorAndFailure(true, "DISPLAY environment variable is missing");
    ExpectOneErrorAndFailure(false, "Failed to open display :4711");
}
