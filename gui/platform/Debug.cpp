#include "gui/platform/Debug.h"

#include "gui/TextConversion.h"

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
}

bool Assert(bool condition, const char* message)
{
    if (!condition)
    {
        Debug::Msg("Assert: %s\n", message);
    }
    return condition;
}
}
