// The toolkit's platform layer in the engine's window: clipboard and cursors.
#include "gui/platform/Clipboard.h"
#include "gui/platform/Cursor.h"
#include "engine/core/World.h"
#include "engine/platform/Window.h"
#include "support/WorldWindow.h"

#include <string>

namespace
{
class GuiPlatformTest : public WorldWindow
{
};
}

TEST_F(GuiPlatformTest, ClipboardTextRoundTripsBeyondAscii)
{
    const std::wstring text = L"Gr\u00fc\u00dfe \u2713 \U0001F600";
    EXPECT_TRUE(Gui::WindowsLayer::SetClipboardText(text));
    EXPECT_EQ(text, Gui::WindowsLayer::GetClipboardText());
}

TEST_F(GuiPlatformTest, EveryCursorNumberCanBeShown)
{
    for (unsigned char cursor = 0; cursor <= Gui::WindowsLayer::CURSOR_Count; ++cursor)
    {
        Gui::WindowsLayer::SetCursor(cursor);
    }
    EXPECT_EQ(Gui::WindowsLayer::CURSOR_Arrow, Gui::WindowsLayer::GetCursor());
    Gui::WindowsLayer::SetCursor(Gui::WindowsLayer::CURSOR_Wait);
    EXPECT_EQ(Gui::WindowsLayer::CURSOR_Wait, Gui::WindowsLayer::GetCursor());
    Gui::WindowsLayer::SetCursor(Gui::WindowsLayer::CURSOR_Arrow);
}

TEST_F(GuiPlatformTest, CursorsAreReleasedAfterTheirWindowHasClosed)
{
    Gui::WindowsLayer::SetCursor(Gui::WindowsLayer::CURSOR_Wait);
    World::GetInstance()->GetWindow().Close();
    // Touching the closed window here would be an X error that ends the program.
    Gui::WindowsLayer::ReleaseCursors();
    EXPECT_EQ(Gui::WindowsLayer::CURSOR_Arrow, Gui::WindowsLayer::GetCursor());
}
