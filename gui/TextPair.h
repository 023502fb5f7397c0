#pragma once

#include "gui/TextConversion.h"

#include <string>

// One text held as wide characters and as 8-bit characters at once; every construction and
// assignment keeps the two in step.
namespace Gui
{
    class TextPair
    {
    public:
        TextPair() {}
        TextPair(const std::wstring& text) : _wide(text), _narrow(WideToNarrow(text)) {}
        TextPair(const wchar_t* text) : TextPair(std::wstring(text)) {}
        TextPair(const std::string& text) : _wide(NarrowToWide(text)), _narrow(text) {}
        TextPair(const char* text) : TextPair(std::string(text)) {}

        const std::wstring& GetUnicode() const { return _wide; }
        const std::string& Get() const { return _narrow; }
        bool empty() const { return _wide.empty(); }

        bool operator==(const TextPair& o) const { return _wide == o._wide; }
        bool operator!=(const TextPair& o) const { return !(*this == o); }

    private:
        std::wstring _wide;
        std::string _narrow;
    };
}
