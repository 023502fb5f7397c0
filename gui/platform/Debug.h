#pragma once

#include <string>

// The toolkit's debugger output and its assertion. Output goes to standard error unless the
// host routes it elsewhere (the engine's host sends it into its own log).
namespace Gui
{
    namespace Debug
    {
        typedef void (*OutputFunction)(const char* text);

        // Null restores standard error.
        void SetOutput(OutputFunction output);
        // Writes the text as it is (no newline added).
        void Output(const char* text);

        // Formats into 1024 bytes (longer text is cut) and writes it.
        void Msg(const char* format, ...);
        // Formats into 2048 wide characters, narrowed for the output.
        void Msg(const wchar_t* format, ...);
    }

    // When the condition is false, writes "Assert: <message>" and returns false, so the
    // caller can step back before touching what the condition guarded. Never stops the program.
    bool Assert(bool condition, const char* message);
}
