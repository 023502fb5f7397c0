// The assertion's message box: shown by the dialog program running on its own, so the program
// goes on at once; left out without a display or without the dialog program. No test waits for
// a box to be closed: each is closed by the test itself.
#include "GuiFixture.h"

#include "support/ScopedEnvironment.h"
#include "support/ScratchDirectory.h"
#include "support/X11Display.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sys/stat.h>
#include <thread>

namespace
{
class AssertBoxTest : public GuiFixture
{
protected:
    void SetUp() override
    {
        GuiFixture::SetUp();
        Gui::Debug::SetAssertBox(&Gui::Debug::ShowAssertBox);
        environment.Set("HOME", scratch.Path());
    }

    void TearDown() override
    {
        Gui::Debug::SetAssertBox(nullptr);
        GuiFixture::TearDown();
    }

    // What the stand-in dialog program was given; "" when it wrote nothing in time.
    std::string WaitForArguments(double seconds)
    {
        std::ifstream arguments;
        for (double waited = 0.0; !arguments.is_open() && waited < seconds; waited += 0.02)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            arguments.open(scratch.Path() + "/arguments");
        }
        return std::string(std::istreambuf_iterator<char>(arguments), {});
    }

    ScratchDirectory scratch;
    ScopedEnvironment environment;
};
}

TEST_F(AssertBoxTest, TheBoxShowsTheMessageAsItIsWhileTheProgramGoesOnAndOnlyWhereItCan)
{
    // A stand-in dialog program that writes its arguments and stays up until the test lets it go.
    std::ofstream(scratch.Path() + "/zenity") << "#!/bin/sh\nprintf '%s\\n' \"$@\" > arguments.part\n"
                                                 "mv arguments.part arguments\n"
                                                 "while [ ! -e release ]; do sleep 0.05; done\n";
    ::chmod((scratch.Path() + "/zenity").c_str(), 0700);
    environment.Set("PATH", scratch.Path() + ":/usr/bin:/bin");
    EXPECT_FALSE(Gui::Assert(false, "Skin <b>missing</b> & \"more\""));
    // Back here while the box is still up.
    EXPECT_EQ("Assert: Skin <b>missing</b> & \"more\"\n", s_output);
    EXPECT_EQ("--warning\n--no-markup\n--title=Assert\n--text=Skin <b>missing</b> & \"more\"\n",
              WaitForArguments(30.0));
    std::ofstream(scratch.Path() + "/release") << "\n";
    EXPECT_TRUE(Gui::Assert(true, "never shown"));
    s_output.clear();

    // Without a display, or without the dialog program, only the line is written.
    std::remove((scratch.Path() + "/arguments").c_str());
    environment.Set("DISPLAY", "");
    environment.Unset("WAYLAND_DISPLAY");
    Gui::Assert(false, "no display");
    environment.Set("PATH", scratch.Path() + "/nowhere");
    environment.Set("DISPLAY", ":0");
    Gui::Assert(false, "no dialog program");
    EXPECT_EQ("", WaitForArguments(0.5));
    EXPECT_EQ("Assert: no display\nAssert: no dialog program\n", s_output);
}

// The real dialog program on the test's X server: a window titled "Assert" comes up.
TEST_F(AssertBoxTest, TheRealBoxIsAWindowTitledAssert)
{
    X11Display display;
    ASSERT_TRUE(display.IsOpen());
    Gui::Assert(false, "The skin has no renderer");
    const unsigned long box = display.WaitForWindow("Assert", 60.0);
    ASSERT_NE(0ul, box);
    display.RequestClose(box);
}
