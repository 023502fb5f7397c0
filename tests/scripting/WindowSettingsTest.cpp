#include "scripting/ScriptTestSupport.h"

#include "engine/core/World.h"
#include "engine/platform/Window.h"
#include "support/EngineReset.h"
#include "support/SystemLogCapture.h"

// Window sizes no window can have, from the settings files or a script, are refused with a
// warning that names the setting, and the window keeps the default size.
TEST_F(ScriptTest, WindowSizesNoWindowCanHaveAreRefusedWithAWarning)
{
    // Starts the engine afresh with these settings files, as the program starts.
    const auto startWith = [this](const String& defaults, const String& userPrefs) {
        ResetEngine();
        WriteFile("Config/defaults.lua", defaults);
        WriteFile("user_prefs.lua", userPrefs);
        SystemLogCapture().Lines.clear();
        EXPECT_TRUE(World::GetInstance()->Initialize());
        return World::GetInstance()->GetWindow().GetSize();
    };
    const auto warnings = [](const String& about) { return CountLines(SystemLogCapture(), "WARNING: ", about); };
    const Vec2i largest = Window::GetLargestVideoMode();
    ASSERT_TRUE(largest.X > 1024 && largest.Y > 768);
    for (const char* sizes : {"width = -100, height = 0", "width = 1e300, height = -1e300",
                              "width = 100000, height = 'tall'", "width = 0.4, height = 2147483647"})
    {
        EXPECT_EQ(Vec2i(1024, 768), startWith("WindowSettings = { " + String(sizes) + " }", "")) << sizes;
        EXPECT_EQ(1, warnings("\"width\"")) << sizes;
        EXPECT_EQ(1, warnings("\"height\"")) << sizes;
    }
    // A bad saved width is refused; the height beside it stays.
    EXPECT_EQ(Vec2i(1024, 600),
              startWith("WindowSettings = { width = 800, height = 600 }", "WindowSettings = { width = -5 }"));
    EXPECT_EQ(1, warnings(""));
    EXPECT_EQ(1, warnings("\"width\""));
    // The largest mode itself is a size a window can have.
    EXPECT_EQ(Vec2i(largest.X, 700),
              startWith("WindowSettings = { width = " + std::to_string(largest.X) + ", height = 700 }", ""));
    EXPECT_EQ(0, warnings(""));

    ASSERT_EQ(Vec2i(1024, 768), startWith("WindowSettings = { width = 1024, height = 768 }", ""));
    for (const Vec2i& size : {Vec2i(-5, 300), Vec2i(300, -5), Vec2i(300, 100000)})
        World::GetInstance()->AdjustWindow(size.X, size.Y, "Renamed");
    EXPECT_EQ(3, warnings("Can't give the window a size"));
    EXPECT_EQ(Vec2i(1024, 768), World::GetInstance()->GetWindow().GetSize());
}
