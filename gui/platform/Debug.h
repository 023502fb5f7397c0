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

        // Shows an assertion's message to the user; must return without waiting for them.
        typedef void (*AssertBoxFunction)(const char* message);
        // Null shows no box at all: the assertion only writes its line (test programs do this).
        void SetAssertBox(AssertBoxFunction box);
        // The default box: a warning box titled "Assert" with the message, shown by the dialog
        // program (zenity) running on its own. Nothing is shown without a display or without
        // the dialog program.
        void ShowAssertBox(const char* message);
    }

    // When the condition is false, writes "Assert: <message>", shows the assertion box and
    // returns false, so the caller can step back before touching what the condition guarded.
    // Never stops the program and never waits for the box to be closed.
    bool Assert(bool condition, const char* message);
}
