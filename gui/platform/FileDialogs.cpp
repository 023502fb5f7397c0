#include "gui/platform/FileDialogs.h"

#include "gui/events/Information.h"
#include "gui/platform/Debug.h"
#include "gui/platform/DialogProgram.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace Gui
{
namespace WindowsLayer
{
namespace
{
const size_t FilterBufferBytes = 512;
const int DialogCancelledStatus = 1;

enum class Choice
{
    ExistingFile,
    NewFile,
    Folder
};

const char* DialogName(Choice choice)
{
    return choice == Choice::ExistingFile ? "file open" : choice == Choice::NewFile ? "file save" : "folder open";
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> fields(1);
    for (char c : text)
    {
        if (c == separator)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

// The dialog program separates globs by spaces, the toolkit by ";".
std::string Globs(const std::string& pattern)
{
    std::string spaced = pattern;
    std::replace(spaced.begin(), spaced.end(), ';', ' ');
    std::string globs;
    for (const std::string& glob : Split(spaced, ' '))
    {
        if (glob.empty())
            continue;
        globs += (globs.empty() ? "" : " ") + (glob == "*.*" ? std::string("*") : glob);
    }
    return globs;
}

// Keeps what fits a 512-byte buffer with its terminator, never ending inside a UTF-8 sequence.
std::string CutToFilterBuffer(const std::string& filter)
{
    if (filter.size() < FilterBufferBytes)
        return filter;
    size_t length = FilterBufferBytes - 1;
    while (length > 0 && (filter[length] & 0xC0) == 0x80)
        --length;
    return filter.substr(0, length);
}

size_t CharacterCount(const std::string& utf8)
{
    return std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; });
}

// The dialog program opens in a folder only when it is given as an absolute path ending in "/".
std::string AsFolder(const std::string& path)
{
    char workingFolder[4096];
    const bool relative = path.front() != '/' && getcwd(workingFolder, sizeof(workingFolder)) != nullptr;
    const std::string absolute = relative ? std::string(workingFolder) + "/" + path : path;
    return absolute.back() == '/' ? absolute : absolute + "/";
}

bool IsUsable(Choice choice, const std::string& path)
{
    struct stat info;
    if (choice == Choice::NewFile)
    {
        const size_t slash = path.find_last_of('/');
        const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
        return !path.empty() && path.back() != '/' && stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) == (choice == Choice::Folder);
}

// The chosen path, or false after a warning when there is none to use.
bool AskForPath(Choice choice, const std::vector<std::string>& arguments, std::string& path)
{
    const char* dialog = DialogName(choice);
    if (!HasDisplay())
    {
        Debug::Msg("WARNING: The %s dialog cannot be shown without a display.\n", dialog);
        return false;
    }
    const int status = RunDialogProgram(arguments, path);
    if (status == -1)
    {
        Debug::Msg("WARNING: The %s dialog needs the program zenity, which could not be started (%s).\n", dialog,
                   std::strerror(errno));
        return false;
    }
    if (status == DialogCancelledStatus)
        return false;
    if (status != 0)
    {
        Debug::Msg("WARNING: The %s dialog (zenity) failed.\n", dialog);
        return false;
    }
    if (!path.empty() && path.back() == '\n')
        path.pop_back();
    if (CharacterCount(path) > FileDialogMaxPathLength)
    {
        Debug::Msg("WARNING: The path chosen in the %s dialog is longer than %u characters and was not used: %s\n",
                   dialog, (unsigned)FileDialogMaxPathLength, path.c_str());
        return false;
    }
    if (!IsUsable(choice, path))
    {
        Debug::Msg("WARNING: The path chosen in the %s dialog does not exist and was not used: %s\n", dialog,
                   path.c_str());
        return false;
    }
    return true;
}

bool ShowDialog(Choice choice, const std::string& title, const std::string& startPath, const std::string& filter,
                Event::Handler* handler, Event::Handler::FunctionWithInformation function)
{
    // "--option=value" keeps a value that starts with "-" from being read as an option.
    std::vector<std::string> arguments = {"--file-selection", "--title=" + title};
    if (choice == Choice::NewFile)
        arguments.push_back("--save");
    if (choice == Choice::Folder)
        arguments.push_back("--directory");
    if (!startPath.empty())
        arguments.push_back("--filename=" + AsFolder(startPath));
    for (const std::string& dialogFilter : ToDialogFilters(filter))
        arguments.push_back("--file-filter=" + dialogFilter);

    std::string path;
    if (!AskForPath(choice, arguments, path))
        return false;
    if (handler != nullptr && function != nullptr)
    {
        Event::Information information;
        information.String = path;
        (handler->*function)(information);
    }
    return true;
}
}

std::vector<std::string> ToDialogFilters(const std::string& filter)
{
    const std::vector<std::string> fields = Split(CutToFilterBuffer(filter), '|');
    std::vector<std::string> filters;
    for (size_t i = 0; i + 1 < fields.size(); i += 2)
    {
        const std::string globs = Globs(fields[i + 1]);
        if (!globs.empty())
            filters.push_back((fields[i].empty() ? globs : fields[i]) + " | " + globs);
    }
    return filters;
}

bool FileOpen(const std::string& title, const std::string& startPath, const std::string& filter,
              Event::Handler* handler, Event::Handler::FunctionWithInformation function)
{
    return ShowDialog(Choice::ExistingFile, title, startPath, filter, handler, function);
}

bool FileSave(const std::string& title, const std::string& startPath, const std::string& filter,
              Event::Handler* handler, Event::Handler::FunctionWithInformation function)
{
    return ShowDialog(Choice::NewFile, title, startPath, filter, handler, function);
}

bool FolderOpen(const std::string& title, const std::string& startPath, Event::Handler* handler,
                Event::Handler::FunctionWithInformation function)
{
    return ShowDialog(Choice::Folder, title, startPath, std::string(), handler, function);
}
}
}
