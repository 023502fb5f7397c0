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

    static int Warnings(const String& about = "") { return CountLines(SystemLogCapture(), "WARNING: ", about); }
};
}

TEST_F(WindowSettingsTest, SizesNoWindowCanHaveFallBackToTheDefaultWithAWarning)
{
    const Vec2i largest = Window::GetLargestVideoMode();
    ASSERT_TRUE(largest.X > 1024 && largest.Y > 768);
    for (const char* sizes : {"width = -100, height = 0", "width = 1e300, height = -1e300",
                              "width = 100000, height = 'tall'", "width = 0.4, height = 2147483647"})
    {
        SCOPED_TRACE(sizes);
        EXPECT_EQ(Vec2i(1024, 768), StartWith("WindowSettings = { " + String(sizes) + " }", ""));
        EXPECT_EQ(1, Warnings("\"width\""));
        EXPECT_EQ(1, Warnings("\"height\""));
    }
    // A bad saved preference is refused at every start, not only once; the height beside it stays.
    EXPECT_EQ(Vec2i(1024, 600),
              StartWith("WindowSettings = { width = 800, height = 600 }", "WindowSettings = { width = -5 }"));
    EXPECT_EQ(1, Warnings());
    EXPECT_EQ(1, Warnings("\"width\""));

    // The largest mode itself is a size a window can have.
    EXPECT_EQ(Vec2i(largest.X, 700),
              StartWith("WindowSettings = { width = " + std::to_string(largest.X) + ", height = 700 }", ""));
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
