#include "gui/platform/Clipboard.h"

#include <GLFW/glfw3.h>

namespace Gui
{
namespace WindowsLayer
{
namespace
{
void AppendUtf8(std::string& out, unsigned long code)
{
    if (code < 0x80)
    {
        out += (char)code;
    }
    else if (code < 0x800)
    {
        out += (char)(0xC0 | (code >> 6));
        out += (char)(0x80 | (code & 0x3F));
    }
    else if (code < 0x10000)
    {
        out += (char)(0xE0 | (code >> 12));
        out += (char)(0x80 | ((code >> 6) & 0x3F));
        out += (char)(0x80 | (code & 0x3F));
    }
    else
    {
        out += (char)(0xF0 | (code >> 18));
        out += (char)(0x80 | ((code >> 12) & 0x3F));
        out += (char)(0x80 | ((code >> 6) & 0x3F));
        out += (char)(0x80 | (code & 0x3F));
    }
}

std::string ToUtf8(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
    {
        const unsigned long code = (unsigned long)c;
        AppendUtf8(out, code <= 0x10FFFF ? code : 0xFFFD);
    }
    return out;
}

// Malformed bytes become U+FFFD.
std::wstring FromUtf8(const std::string& text)
{
    std::wstring out;
    size_t i = 0;
    while (i < text.size())
    {
        const unsigned char lead = (unsigned char)text[i];
        const int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
        unsigned long code = extra == 0 ? lead : extra == 1 ? (lead & 0x1F) : extra == 2 ? (lead & 0x0F) : (lead & 0x07);
        bool valid = extra >= 0 && i + extra < text.size() + (extra == 0 ? 1 : 0);
        for (int k = 1; valid && k <= extra; ++k)
        {
            const unsigned char next = (unsigned char)text[i + k];
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        out += valid ? (wchar_t)code : (wchar_t)0xFFFD;
        i += valid ? extra + 1 : 1;
    }
    return out;
}
}

bool SetClipboardText(const std::wstring& text)
{
    GLFWwindow* window = glfwGetCurrentContext();
    if (window == nullptr)
    {
        return false;
    }
    glfwSetClipboardString(window, ToUtf8(text).c_str());
    return true;
}

std::wstring GetClipboardText()
{
    GLFWwindow* window = glfwGetCurrentContext();
    const char* text = window != nullptr ? glfwGetClipboardString(window) : nullptr;
    return text != nullptr ? FromUtf8(text) : std::wstring();
}
}
}
