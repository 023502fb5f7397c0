#pragma once

#include <string>
#include <vector>

// The desktop's dialog program (zenity), which shows the toolkit's file dialogs and its
// assertion box. The arguments go to it as an argument vector: no shell sees them.
namespace Gui
{
    namespace WindowsLayer
    {
        // Whether an X or Wayland display is named in the environment.
        bool HasDisplay();

        // Runs the dialog program, collecting what it prints, and waits until it ends. The answer
        // is its exit status; -1 when it could not be started (errno says why), -2 when it did
        // not end normally.
        int RunDialogProgram(const std::vector<std::string>& arguments, std::string& output);

        // Starts the dialog program and returns at once; a thread of its own collects the
        // program when it ends. False (errno says why) when it could not be started.
        bool StartDialogProgram(const std::vector<std::string>& arguments);
    }
}
