// The assertion's message box is shown by the dialog program running on its own, so the program
// goes on at once; without a display or the dialog program only the line is written.
#include "GuiFixture.h"

#include "support/ScopedEnvironment.h"
#include "support/ScratchDirectory.h"
#include "support/X11Display.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sys/stat.h>
#include <thread>

TEST_F(GuiFixture, TheAssertBoxShowsTheMessageAsItIsWhileTheProgramGoesOnAndOnlyWhereItCan)
{
    Gui::Debug::SetAssertBox(&Gui::Debug::ShowAssertBox);
    struct Restore { ~Restore() { Gui::Debug::SetAssertBox(nullptr); } } restore;
    // The real dialog program puts up a window titled "Assert".
    X11Display display;
    ASSERT_TRUE(display.IsOpen());
    Gui::Assert(false, "The skin has no renderer");
    const unsigned long box = display.WaitForWindow("Assert", 60.0);
    ASSERT_NE(0ul, box);
    display.RequestClose(box);

    // A stand-in writes its arguments and stays up until the test lets it go.
    ScratchDirectory scratch;
    ScopedEnvironment environment;
    const std::string arguments = scratch.Path() + "/arguments";
    auto waitForArguments = [&](double seconds) {
        std::ifstream in;
        for (double waited = 0.0; !in.is_open() && waited < seconds; waited += 0.02)
            std::this_thread::sleep_for(std::chrono::milliseconds(20)), in.open(arguments);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    std::ofstream(scratch.Path() + "/zenity") << "#!/bin/sh\nprintf '%s\\n' \"$@\" > arguments.part\n"
                                                 "mv arguments.part arguments\n"
                                                 "while [ ! -e release ]; do sleep 0.05; done\n";
    ::chmod((scratch.Path() + "/zenity").c_str(), 0700);
    environment.Set("HOME", scratch.Path());
    environment.Set("PATH", scratch.Path() + ":/usr/bin:/bin");
    s_output.clear();
    EXPECT_FALSE(Gui::Assert(false, "Skin <b>missing</b> & \"more\""));
    EXPECT_EQ("Assert: Skin <b>missing</b> & \"more\"\n", s_output); // back while the box is up
    EXPECT_EQ("--warning\n--no-markup\n--title=Assert\n--text=Skin <b>missing</b> & \"more\"\n",
              waitForArguments(30.0));
    std::ofstream(scratch.Path() + "/release") << "\n";
    EXPECT_TRUE(Gui::Assert(true, "never shown"));

    s_output.clear();
    std::remove(arguments.c_str());
    environment.Set("DISPLAY", "");
    environment.Unset("WAYLAND_DISPLAY");
    Gui::Assert(false, "no display");
    environment.Set("PATH", scratch.Path() + "/nowhere");
    environment.Set("DISPLAY", ":0");
    Gui::Assert(false, "no dialog program");
    EXPECT_EQ("", waitForArguments(0.5));
    EXPECT_EQ("Assert: no display\nAssert: no dialog program\n", s_output);
}
