#pragma once

#include "gui/events/Handler.h"

#include <string>
#include <vector>

// File and folder dialogs, shown by the desktop's dialog program (zenity) as a child process.
// Each call blocks the calling thread until the user confirms or cancels, like a modal system
// dialog. On a confirmed choice, when both handler and function are given, the function is
// called on the handler, on the calling thread, with an information whose text is the chosen
// path; a cancelled dialog calls nothing. The answer is whether a path was chosen. When the
// dialog cannot be shown (no dialog program, no display) or the choice is refused (see below),
// a "WARNING: " line is logged and the answer is false.
namespace Gui
{
    namespace WindowsLayer
    {
        // The longest chosen path accepted, in characters. A longer one is refused rather than
        // cut, since a cut path names some other file.
        const size_t FileDialogMaxPathLength = 255;

        // The filter is "name|pattern|name|pattern", each pattern one or more globs separated by
        // ";" (e.g. "Images|*.png;*.jpg|All files|*.*"); the first entry is selected. An empty
        // filter shows every file. The start path is the folder the dialog opens in. The chosen
        // file must exist.
        bool FileOpen(const std::string& title, const std::string& startPath, const std::string& filter,
                      Event::Handler* handler, Event::Handler::FunctionWithInformation function);
        // As FileOpen, except that the chosen file may be new; its folder must exist. A name
        // typed without an extension is kept as typed.
        bool FileSave(const std::string& title, const std::string& startPath, const std::string& filter,
                      Event::Handler* handler, Event::Handler::FunctionWithInformation function);
        // Picks an existing folder.
        bool FolderOpen(const std::string& title, const std::string& startPath, Event::Handler* handler,
                        Event::Handler::FunctionWithInformation function);

        // The toolkit filter as the dialog program's filters, one "name | glob glob" per entry
        // in order. Only the first 511 bytes of the filter count (it was made for a 512-byte
        // buffer). "*.*" becomes "*" (it meant every file). An entry without a pattern is
        // dropped; one without a name is named by its patterns.
        std::vector<std::string> ToDialogFilters(const std::string& filter);
    }
}
