#include "gui/platform/Debug.h"

#include "gui/TextConversion.h"
#include "gui/platform/DialogProgram.h"

#include <cstdarg>
#include <cstdio>
#include <cwchar>

namespace Gui
{
namespace
{
void WriteToStandardError(const char* text)
{
    std::fputs(text, stderr);
}

Debug::OutputFunction s_output = WriteToStandardError;
Debug::AssertBoxFunction s_assertBox = Debug::ShowAssertBox;
}

namespace Debug
{
void SetOutput(OutputFunction output)
{
    s_output = output != nullptr ? output : WriteToStandardError;
}

void Output(const char* text)
{
    if (text != nullptr)
    {
        s_output(text);
    }
}

void Msg(const char* format, ...)
{
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    Output(buffer);
}

void Msg(const wchar_t* format, ...)
{
    wchar_t buffer[2048];
    va_list args;
    va_start(args, format);
    const int written = std::vswprintf(buffer, sizeof(buffer) / sizeof(buffer[0]), format, args);
    va_end(args);
    if (written < 0)
    {
        // vswprintf gives up on overlong text instead of cutting it.
        buffer[sizeof(buffer) / sizeof(buffer[0]) - 1] = L'\0';
    }
    Output(WideToNarrow(buffer).c_str());
}

void SetAssertBox(AssertBoxFunction box)
{
    s_assertBox = box;
}

void ShowAssertBox(const char* message)
{
    if (!WindowsLayer::HasDisplay())
    {
        return;
    }
    // "--no-markup": the message is shown as it is, never read as markup.
    WindowsLayer::StartDialogProgram(
        {"--warning", "--no-markup", "--title=Assert", std::string("--text=") + (message != nullptr ? message : "")});
}
}

bool Assert(bool condition, const char* message)
{
    if (!condition)
    {
        Debug::Msg("Assert: %s\n", message);
        if (s_assertBox != nullptr)
        {
            s_assertBox(message);
        }
    }
    return condition;
}
}
