// Window sizes from the preference files that no window can have are refused with a warning
// that names the setting, and the window opens at the default size instead.
#include "scripting/ScriptTestSupport.h"

#include "engine/config/Preferences.h"
#include "engine/core/World.h"
#include "engine/platform/Window.h"
#include "support/EngineReset.h"
#include "support/SystemLogCapture.h"

#include <cstdio>

namespace
{
class WindowSettingsTest : public ScriptTest
{
protected:
    // Starts the engine afresh with these settings files, as the program starts.
    Vec2i StartWith(const String& defaults, const String& userPrefs)
    {
        ResetEngine();
        Preferences::GetInstance()->Clear();
        WriteFile("Config/defaults.lua", defaults);
        std::remove("user_prefs.lua");
        if (!userPrefs.empty())
            WriteFile("user_prefs.lua", userPrefs);
        SystemLogCapture().Lines.clear();
        EXPECT_TRUE(World::GetInstance()->Initialize());
        return World::GetInstance()->GetWindow().GetSize();
    }

    // How many warnings were logged that hold the text.
    static int Warnings(const String& about = "")
    {
        int count = 0;
        for (const String& line : SystemLogCapture().Lines)
            count += line.compare(0, 9, "WARNING: ") == 0 && line.find(about) != String::npos ? 1 : 0;
        return count;
    }
};
}

TEST_F(WindowSettingsTest, SizesNoWindowCanHaveFallBackToTheDefaultWithAWarning)
{
    const Vec2i largest = Window::GetLargestVideoMode();
    ASSERT_GT(largest.X, 1024);
    ASSERT_GT(largest.Y, 768);
    const Vec2i defaultSize(1024, 768);
    struct Case
    {
        const char* defaults;
        const char* userPrefs;
        bool widthRefused, heightRefused;
    };
    const Case cases[] = {
        {"WindowSettings = { width = -100, height = 0 }", "", true, true},
        // A bad saved preference is refused at every start, not only once.
        {"WindowSettings = { width = 800, height = 600 }", "WindowSettings = { width = -5 }", true, false},
        {"WindowSettings = { width = 1e300, height = -1e300 }", "", true, true},
        {"WindowSettings = { width = 100000, height = 'tall' }", "", true, true},
        {"WindowSettings = { width = 0.4, height = 2147483647 }", "", true, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(String(c.defaults) + " then " + c.userPrefs);
        const Vec2i size = StartWith(c.defaults, c.userPrefs);
        EXPECT_EQ(c.widthRefused ? defaultSize.X : 800, size.X);
        EXPECT_EQ(c.heightRefused ? defaultSize.Y : 600, size.Y);
        EXPECT_EQ(c.widthRefused ? 1 : 0, Warnings("\"width\""));
        EXPECT_EQ(c.heightRefused ? 1 : 0, Warnings("\"height\""));
    }

    // The largest mode itself is a size a window can have.
    const String largestSettings =
        "WindowSettings = { width = " + std::to_string(largest.X) + ", height = 700 }";
    const Vec2i size = StartWith(largestSettings, "");
    EXPECT_EQ(largest.X, size.X);
    EXPECT_EQ(700, size.Y);
    EXPECT_EQ(0, Warnings());
}

TEST_F(WindowSettingsTest, AScriptCantGiveTheWindowASizeNoWindowCanHave)
{
    ASSERT_EQ(Vec2i(1024, 768), StartWith("WindowSettings = { width = 1024, height = 768 }", ""));
    World::GetInstance()->AdjustWindow(-5, 300, "Renamed");
    World::GetInstance()->AdjustWindow(300, -5, "Renamed");
    World::GetInstance()->AdjustWindow(300, 100000, "Renamed");
    EXPECT_EQ(3, Warnings("Can't give the window a size"));
    EXPECT_EQ(Vec2i(1024, 768), World::GetInstance()->GetWindow().GetSize());
}
