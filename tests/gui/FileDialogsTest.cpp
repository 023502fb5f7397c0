// The file and folder dialogs for real: zenity on the test's X server, found by its title and
// typed into with xdotool while the blocking call waits on a thread of its own.
#include "GuiFixture.h"

#include "gui/events/Information.h"
#include "gui/platform/FileDialogs.h"
#include "support/ScopedEnvironment.h"
#include "support/ScratchDirectory.h"
#include "support/X11Display.h"

#include <fstream>
#include <functional>
#include <future>
#include <sys/stat.h>

namespace
{
struct PathRecorder : Gui::Event::Handler
{
    void OnChosen(const Gui::Event::Information& information) { Paths.push_back(information.String); }
    std::vector<std::string> Paths;
};

const auto OnChosen = static_cast<Gui::Event::Handler::FunctionWithInformation>(&PathRecorder::OnChosen);

class FileDialogsTest : public GuiFixture
{
protected:
    // The dialogs keep their recent files and settings in a home of their own.
    void SetUp() override
    {
        GuiFixture::SetUp();
        environment.Set("HOME", scratch.Path());
    }

    // Shows the dialog on a thread, sends the xdotool commands to the window titled so once it
    // is up, and answers what the dialog call returned. A dialog still up (a key lost on a busy
    // machine) gets the last command again, then Escape, so a failure never hangs the run.
    bool Drive(const std::string& title, std::function<bool()> dialog, const std::vector<std::string>& commands)
    {
        std::future<bool> answer = std::async(std::launch::async, dialog);
        const unsigned long window = display.WaitForWindow(title, 60.0);
        // The file chooser takes a moment after mapping before it reads keys.
        X11Display::Xdo(window, "sleep 0.5");
        for (const std::string& command : commands)
            X11Display::Xdo(window, command);
        for (int i = 0; i < 3 && answer.wait_for(std::chrono::seconds(10)) != std::future_status::ready; ++i)
            X11Display::Xdo(window, i == 0 ? commands.back() : "key Escape");
        return answer.get();
    }

    // The file chooser ignores a Return that comes while it still completes the typed path.
    static std::vector<std::string> TypeThenReturn(const std::string& path)
    {
        return {"type --delay 20 '" + path + "'", "sleep 1 key Return"};
    }

    ScratchDirectory scratch;
    ScopedEnvironment environment;
    X11Display display;
    PathRecorder recorder;
};
}

TEST_F(FileDialogsTest, ConfirmedOpenGivesTheHandlerExactlyTheTypedPath)
{
    const std::string path = scratch.Path() + "/a map.txt";
    std::ofstream(path) << "map";
    const std::string title = "Open \"map\"; it's yours";
    EXPECT_TRUE(Drive(title, [&] {
        return Gui::WindowsLayer::FileOpen(title, scratch.Path(), "Maps|*.map|Text|*.txt", &recorder, OnChosen);
    }, TypeThenReturn(path)));
    EXPECT_EQ(std::vector<std::string>{path}, recorder.Paths);
    EXPECT_EQ("", s_output);
}

TEST_F(FileDialogsTest, EscapeCancelsWithoutCallingAnything)
{
    EXPECT_FALSE(Drive("Open nothing", [&] {
        return Gui::WindowsLayer::FileOpen("Open nothing", scratch.Path(), "", &recorder, OnChosen);
    }, {"key Escape"}));
    EXPECT_TRUE(recorder.Paths.empty());
    EXPECT_EQ("", s_output);
}

TEST_F(FileDialogsTest, SaveStartsInTheStartFolderAndFolderOpenPicksAFolder)
{
    EXPECT_TRUE(Drive("Save map", [&] {
        return Gui::WindowsLayer::FileSave("Save map", scratch.Path(), "Maps|*.map", &recorder, OnChosen);
    }, TypeThenReturn("new;map")));
    const std::string folder = scratch.Path() + "/maps";
    ::mkdir(folder.c_str(), 0700);
    EXPECT_TRUE(Drive("Pick folder", [&] {
        return Gui::WindowsLayer::FolderOpen("Pick folder", "/", &recorder, OnChosen);
    }, TypeThenReturn(folder)));
    EXPECT_EQ((std::vector<std::string>{scratch.Path() + "/new;map", folder}), recorder.Paths);
}

TEST_F(FileDialogsTest, FilterBecomesTheDialogsFiltersCutAt511Bytes)
{
    using Gui::WindowsLayer::ToDialogFilters;
    EXPECT_EQ((std::vector<std::string>{"Images | *.png *.jpg", "All files | *"}),
              ToDialogFilters("Images|*.png;*.jpg|All files|*.*"));
    // An entry without a pattern is dropped, a nameless one named by its globs, a lone name dropped.
    EXPECT_EQ(std::vector<std::string>{"*.txt | *.txt"}, ToDialogFilters("Empty|||*.txt;|Dangling"));
    EXPECT_TRUE(ToDialogFilters("").empty());
    const std::string longName(495, 'n');
    EXPECT_EQ((std::vector<std::string>{"A | *.a", longName + " | *.abcdefg"}),
              ToDialogFilters("A|*.a|" + longName + "|*.abcdefghijk|B|*.b"));
}

// Without zenity on the path, then with a stand-in that records its arguments and chooses a
// path too long to keep.
TEST_F(FileDialogsTest, MissingZenityWarnsAndOverlongChoicesAreRefused)
{
    environment.Set("PATH", scratch.Path());
    EXPECT_FALSE(Gui::WindowsLayer::FolderOpen("Pick folder", "", &recorder, OnChosen));
    EXPECT_EQ(0u, s_output.find("WARNING: The folder open dialog needs the program zenity")) << s_output;

    s_output.clear();
    std::ofstream(scratch.Path() + "/zenity") << "#!/bin/sh\nprintf '%s\\n' \"$@\" > arguments\necho /"
                                              << std::string(300, 'x') << "\n";
    ::chmod((scratch.Path() + "/zenity").c_str(), 0700);
    EXPECT_FALSE(Gui::WindowsLayer::FileOpen("It's \"a\"; title", "maps", "Maps|*.map", &recorder, OnChosen));
    EXPECT_TRUE(recorder.Paths.empty());
    EXPECT_EQ(0u, s_output.find("WARNING: The path chosen in the file open dialog is longer than 255")) << s_output;
    std::ifstream arguments(scratch.Path() + "/arguments");
    std::string text((std::istreambuf_iterator<char>(arguments)), std::istreambuf_iterator<char>());
    EXPECT_EQ("--file-selection\n--title=It's \"a\"; title\n--filename=" + scratch.Path() +
                  "/maps/\n--file-filter=Maps | *.map\n",
              text);

    // A typed name that names nothing is refused for opening.
    s_output.clear();
    std::ofstream(scratch.Path() + "/zenity") << "#!/bin/sh\necho " << scratch.Path() << "/missing.map\n";
    EXPECT_FALSE(Gui::WindowsLayer::FileOpen("Open", "", "", &recorder, OnChosen));
    EXPECT_TRUE(recorder.Paths.empty());
    EXPECT_EQ(0u, s_output.find("WARNING: The path chosen in the file open dialog does not exist")) << s_output;
}
