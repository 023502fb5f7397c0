#include "gui/TextConversion.h"

#include <locale>
#include <vector>

namespace Gui
{
std::string WideToNarrow(const std::wstring& text)
{
    if (text.empty())
    {
        return std::string();
    }
    const std::ctype<wchar_t>& facet = std::use_facet<std::ctype<wchar_t>>(std::locale());
    std::vector<char> narrow(text.size());
    facet.narrow(text.data(), text.data() + text.size(), ' ', narrow.data());
    return std::string(narrow.begin(), narrow.end());
}

std::wstring NarrowToWide(const std::string& text)
{
    if (text.empty())
    {
        return std::wstring();
    }
    const std::ctype<wchar_t>& facet = std::use_facet<std::ctype<wchar_t>>(std::locale());
    std::vector<wchar_t> wide(text.size());
    facet.widen(text.data(), text.data() + text.size(), wide.data());
    return std::wstring(wide.begin(), wide.end());
}
}
