#pragma once

#include <string>

// The system clipboard, through the window library (needs the library started).
namespace Gui
{
    namespace WindowsLayer
    {
        // False when there is no window to own the clipboard.
        bool SetClipboardText(const std::wstring& text);
        // Empty when the clipboard holds no text.
        std::wstring GetClipboardText();
    }
}
