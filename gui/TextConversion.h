#pragma once

#include <string>

// Conversion between the toolkit's wide texts and 8-bit strings, through the global locale.
namespace Gui
{
    // Characters with no 8-bit form become spaces.
    std::string WideToNarrow(const std::wstring& text);
    std::wstring NarrowToWide(const std::string& text);
}
