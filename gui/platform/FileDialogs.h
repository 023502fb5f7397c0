#pragma once

#include "gui/events/Handler.h"

#include <string>

// File and folder dialogs. This platform has no system dialogs for the toolkit: each call
// logs a "WARNING: " line and never calls the handler.
namespace Gui
{
    namespace WindowsLayer
    {
        // The filter is "name|pattern|name|pattern". On a choice the handler's function would
        // get the chosen path as the information's text.
        bool FileOpen(const std::string& title, const std::string& startPath, const std::string& filter,
                      Event::Handler* handler, Event::Handler::FunctionWithInformation function);
        bool FileSave(const std::string& title, const std::string& startPath, const std::string& filter,
                      Event::Handler* handler, Event::Handler::FunctionWithInformation function);
        bool FolderOpen(const std::string& title, const std::string& startPath, Event::Handler* handler,
                        Event::Handler::FunctionWithInformation function);
    }
}
