#include "gui/platform/FileDialogs.h"

#include "gui/platform/Debug.h"

namespace Gui
{
namespace WindowsLayer
{
namespace
{
bool Unavailable(const char* dialog, const std::string& title)
{
    Debug::Msg("WARNING: The %s dialog (\"%s\") is not available on this platform.\n", dialog, title.c_str());
    return false;
}
}

bool FileOpen(const std::string& title, const std::string&, const std::string&, Event::Handler*,
              Event::Handler::FunctionWithInformation)
{
    return Unavailable("file open", title);
}

bool FileSave(const std::string& title, const std::string&, const std::string&, Event::Handler*,
              Event::Handler::FunctionWithInformation)
{
    return Unavailable("file save", title);
}

bool FolderOpen(const std::string& title, const std::string&, Event::Handler*, Event::Handler::FunctionWithInformation)
{
    return Unavailable("folder open", title);
}
}
}
