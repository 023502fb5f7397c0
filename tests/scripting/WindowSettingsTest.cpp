#include "scripting/ScriptTestSupport.h"

#include "engine/core/World.h"
#include "engine/platform/Window.h"
#include "support/EngineReset.h"
#include "support/SystemLogCapture.h"

// Window sizes no window can have, from the settings files or a script, are refused with a
// warning that names the setting, and the window keeps the default size: sides below 1 or
// past 16 bits, and 32766 x 32766, whose colour buffer the X library aborts on sending. Any
// other size is made as asked, larger than the screen (1600 x 1200) too.
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
    for (const char* sizes : {"width = -100, height = 0", "width = 1e300, height = -1e300",
                              "width = 100000, height = 'tall'", "width = 0.4, height = 2147483647",
                              "width = 32766, height = 32766"})
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
    // A saved width wider than every mode of the screen is taken as it is.
    for (const Vec3ui& mode : Window::GetVideoModes())
        ASSERT_LT(mode.X, 2000u);
    EXPECT_EQ(Vec2i(2000, 600),
              startWith("WindowSettings = { width = 800, height = 600 }", "WindowSettings = { width = 2000 }"));
    EXPECT_EQ(0, warnings(""));

    ASSERT_EQ(Vec2i(1024, 768), startWith("WindowSettings = { width = 1024, height = 768 }", ""));
    for (const Vec2i& size : {Vec2i(-5, 300), Vec2i(300, -5), Vec2i(300, 65536), Vec2i(32766, 32766)})
        World::GetInstance()->AdjustWindow(size.X, size.Y, "Renamed");
    EXPECT_EQ(4, warnings("Can't give the window a size"));
    EXPECT_EQ(Vec2i(1024, 768), World::GetInstance()->GetWindow().GetSize());
    World::GetInstance()->AdjustWindow(40000, 100, "Wide");
    EXPECT_EQ(Vec2i(40000, 100), World::GetInstance()->GetWindow().GetSize());
    World::GetInstance()->TickAndRender();
    World::GetInstance()->GetWindow().SwapBuffers();
}
